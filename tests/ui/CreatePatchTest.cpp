// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchMaker.h"
#include "support/GuiTestBase.h"
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::patches;
using namespace zorvek::test;

namespace {

QByteArray applyIps(const QByteArray& patch, const QByteArray& source)
{
    return ips::apply(patch, ips::read(patch), source);
}

class CreatePatchTest : public GuiTestBase { };

TEST_F(CreatePatchTest, EitherFormatCarriesEveryDifferenceOfTheRomDataAndARefusalNamesItsFile)
{
    const RomFixture original = RomFixture(RomFixture::kFullSize)
                                    .fillRandom(61)
                                    .copierHeader(1)
                                    .checkWord(0x1878)
                                    .internalName("KELVARNTHOSIA 5")
                                    .bytesAt(0x20200, QByteArray(70000, '\0'));
    const QByteArray headerless = original.bytes().mid(0x200);
    ASSERT_TRUE(original.writeTo(tempPath("original.smc")));
    ASSERT_TRUE(RomFixture(0).bytesAt(0, headerless).writeTo(tempPath("original.sfc")));
    // A run longer than one IPS record, the last byte, and a monster saved
    // (with its stamp in the copier header, which no patch carries).
    const uint8_t last = original.bytes().back();
    openImage(RomFixture(original).bytesAt(0x20200, QByteArray(70000, '\x77')).byteAt(0x2001FF, last ^ 0xFF),
              "hack.smc");
    QWidget* form2 = openMonsterEditor(200);
    typeInto(form2, "GilTXT", "4321");
    clickOn(form2, "SaveCMD");
    form2->close();
    const QByteArray edited = fileBytes();

    // Headered or headerless originals; the format by the patch's extension, else by the filter chosen.
    effects.openAnswers = {tempPath("original.smc"), tempPath("original.sfc")};
    effects.saveAnswers = {SaveChoice{tempPath("hack.ips"), "BPS Patch (*.bps)"},
                           SaveChoice{tempPath("hack"), "BPS Patch (*.bps)"}};
    trigger("mnuCreatePatch");
    trigger("mnuCreatePatch");
    EXPECT_EQ(effects.lastFilters, QStringList({"IPS Patch (*.ips)", "BPS Patch (*.bps)"}));
    EXPECT_EQ(applyIps(readFile(tempPath("hack.ips")), headerless), edited.mid(0x200));
    EXPECT_EQ(bps::apply(readFile(tempPath("hack")), headerless).target, edited.mid(0x200));
    expectMessage(2, MessageIcon::Information, {QDir::toNativeSeparators(tempPath("hack"))});

    // Another game's original, one of another size, a patch that cannot be
    // written, one that is the open image or the original by another name:
    // each refused by its file's name. A cancel stops at once.
    ASSERT_TRUE(RomFixture(original).checkWord(0x1879).writeTo(tempPath("other.smc")));
    ASSERT_TRUE(RomFixture(0x100200).checkWord(0x1878).writeTo(tempPath("small.smc")));
    std::vector<std::tuple<const char*, const char*, const char*>> refusals = {{"other.smc", "p.ips", "other.smc"},
                                                                               {"small.smc", "p.ips", "small.smc"},
                                                                               {"original.smc", "no/p.ips", "p.ips"}};
#ifdef Q_OS_UNIX
    ASSERT_TRUE(QFile::link(romPath, tempPath("image-link.ips")));
    ASSERT_EQ(::link(QFile::encodeName(tempPath("original.smc")).constData(),
                     QFile::encodeName(tempPath("original-too.ips")).constData()),
              0);
    refusals.push_back({"original.smc", "image-link.ips", "would replace the open ROM image"});
    refusals.push_back({"original.smc", "original-too.ips", "would replace the original image"});
#endif
    for (const auto& [from, to, named] : refusals) {
        effects.openAnswers = {tempPath(from)};
        effects.saveAnswers = {SaveChoice{tempPath(to), "IPS Patch (*.ips)"}};
        trigger("mnuCreatePatch");
        const auto& [icon, text] = effects.messages.back();
        EXPECT_TRUE(icon == MessageIcon::Exclamation && text.contains(named) && !text.endsWith(": "))
            << text.toStdString();
    }
    EXPECT_EQ(effects.messages.size(), 2 + refusals.size());
    EXPECT_FALSE(QFile::exists(tempPath("p.ips")));
    trigger("mnuCreatePatch");
    EXPECT_EQ(size_t(effects.saveDialogCount), 2 + refusals.size());
    // The original's dialog lists headered and headerless images at once.
    EXPECT_EQ(effects.lastSelectedFilter, "ROM Images (*.smc *.swc *.fig *.sfc)");
    EXPECT_EQ(fileBytes(), edited);
    EXPECT_EQ(readFile(tempPath("original.smc")), original.bytes());
}

} // namespace
