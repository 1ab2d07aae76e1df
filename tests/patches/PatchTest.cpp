// Each patch is applied by a reader written here from the formats' published
// descriptions, not from the code that makes them.

#include "monsters/Form2.h"
#include "patches/IpsPatch.h"
#include "patches/PatchMaker.h"
#include "support/GuiTestBase.h"

#include <QListWidget>
#include <QPushButton>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

using namespace zorvek;
using namespace zorvek::patches;
using zorvek::test::GuiTestBase;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

uint32_t bigEndian(const QByteArray& p, qsizetype& pos, int bytes)
{
    uint32_t value = 0;
    while (bytes-- > 0)
        value = value << 8 | static_cast<uint8_t>(p[pos++]);
    return value;
}

// "PATCH", records (3-byte offset, 2-byte size, data; size 0: 2-byte count and a byte), "EOF".
QByteArray applyIps(const QByteArray& patch, QByteArray image, std::vector<uint32_t>* starts)
{
    EXPECT_TRUE(patch.startsWith("PATCH"));
    qsizetype pos = 5;
    while (patch.mid(pos, 3) != "EOF") {
        const uint32_t offset = bigEndian(patch, pos, 3);
        const uint32_t size = bigEndian(patch, pos, 2);
        const qsizetype count = size ? size : bigEndian(patch, pos, 2);
        const QByteArray data = size ? patch.mid(pos, size) : QByteArray(count, patch[pos]);
        pos += size ? size : 1;
        starts->push_back(offset);
        image.resize(std::max<qsizetype>(image.size(), offset + data.size()));
        image.replace(offset, data.size(), data);
    }
    EXPECT_EQ(pos + 3, patch.size());
    return image;
}

uint64_t bpsNumber(const QByteArray& p, qsizetype& pos)
{
    uint64_t data = 0, shift = 1;
    for (;;) {
        const auto x = static_cast<uint8_t>(p[pos++]);
        data += (x & 0x7F) * shift;
        if (x & 0x80)
            return data;
        shift <<= 7;
        data += shift;
    }
}

uint32_t crcOf(const QByteArray& b) { return crc32(0, reinterpret_cast<const Bytef*>(b.data()), b.size()); }

// "BPS1", sizes, metadata, the four actions, then source, target and patch CRC32.
QByteArray applyBps(const QByteArray& patch, const QByteArray& source)
{
    EXPECT_TRUE(patch.startsWith("BPS1"));
    qsizetype pos = 4, out = 0, sourceAt = 0, targetAt = 0;
    EXPECT_EQ(bpsNumber(patch, pos), static_cast<uint64_t>(source.size()));
    QByteArray target(static_cast<qsizetype>(bpsNumber(patch, pos)), '\0');
    pos += static_cast<qsizetype>(bpsNumber(patch, pos));
    const qsizetype footer = patch.size() - 12;
    while (pos < footer) {
        const uint64_t data = bpsNumber(patch, pos), action = data & 3;
        if (action >= 2) {
            const uint64_t d = bpsNumber(patch, pos);
            (action == 2 ? sourceAt : targetAt) += (d & 1 ? -1 : 1) * static_cast<qsizetype>(d >> 1);
        }
        for (uint64_t n = (data >> 2) + 1; n > 0; --n, ++out)
            target[out] = action == 0 ? source[out] : action == 1 ? patch[pos++]
                        : action == 2 ? source[sourceAt++] : target[targetAt++];
    }
    const auto word = [&](int i) { return qFromLittleEndian<quint32>(patch.constData() + footer + 4 * i); };
    EXPECT_EQ(word(0), crcOf(source));
    EXPECT_EQ(word(1), crcOf(target));
    EXPECT_EQ(word(2), crcOf(patch.left(patch.size() - 4)));
    return target;
}

TEST(PatchTest, NoIpsRecordStartsWhereItWouldReadAsTheEnd)
{
    const qsizetype eof = 0x454F46;
    const QByteArray source(0x460000, '\0');
    for (const qsizetype start : {eof, eof - 0xFFFF}) {  // a run there, and a record split landing there
        const QByteArray target = QByteArray(source).replace(start, eof + 8 - start, QByteArray(eof + 8 - start, '\1'));
        std::vector<uint32_t> starts;
        EXPECT_EQ(applyIps(ips::create(source, target).bytes, source, &starts), target);
        EXPECT_EQ(std::count(starts.begin(), starts.end(), eof), 0);
    }
    EXPECT_FALSE(ips::create({}, QByteArray(0x1000001, '\1')).ok());
}

class CreatePatchTest : public GuiTestBase {};

TEST_F(CreatePatchTest, EitherFormatCarriesEveryDifferenceOfTheRomDataAndARefusalNamesItsFile)
{
    const RomFixture original = RomFixture(RomFixture::kFullSize).fillRandom(61).copierHeader(1).checkWord(0x1878)
        .internalName("KELVARNTHOSIA 5").bytesAt(0x20200, QByteArray(70000, '\0'));
    const QByteArray headerless = original.bytes().mid(0x200);
    ASSERT_TRUE(original.writeTo(tempPath("original.smc")));
    ASSERT_TRUE(RomFixture(0).bytesAt(0, headerless).writeTo(tempPath("original.sfc")));
    // A run longer than one IPS record, the last byte, and a monster saved
    // (with its stamp in the copier header, which no patch carries).
    const uint8_t last = original.bytes().back();
    openImage(RomFixture(original).bytesAt(0x20200, QByteArray(70000, '\x77')).byteAt(0x2001FF, last ^ 0xFF), "hack.smc");
    clickToolButton("Monsters");
    QWidget* form2 = form1->monsterEditor();
    find<QListWidget>(form2, "MonsterList")->setCurrentRow(200);
    typeInto(form2, "GilTXT", "4321");
    QTest::mouseClick(find<QPushButton>(form2, "SaveCMD"), Qt::LeftButton);
    form2->close();
    const QByteArray edited = fileBytes();

    // Headered or headerless originals; the format by the patch's extension, else by the filter chosen.
    effects.openAnswers = {tempPath("original.smc"), tempPath("original.sfc")};
    effects.saveAnswers = {SaveChoice{tempPath("hack.ips"), patches::kBpsFilter},
                           SaveChoice{tempPath("hack"), patches::kBpsFilter}};
    trigger("mnuCreatePatch");
    trigger("mnuCreatePatch");
    EXPECT_EQ(effects.lastFilters, QStringList({patches::kIpsFilter, patches::kBpsFilter}));
    std::vector<uint32_t> starts;
    EXPECT_EQ(applyIps(readFile(tempPath("hack.ips")), headerless, &starts), edited.mid(0x200));
    EXPECT_EQ(applyBps(readFile(tempPath("hack")), headerless), edited.mid(0x200));
    ASSERT_EQ(effects.messages.size(), 2u);
    EXPECT_EQ(effects.messages[1].icon, MessageIcon::Information);
    EXPECT_TRUE(effects.messages[1].text.contains(QDir::toNativeSeparators(tempPath("hack"))));

    // Another game's original, one of another size, a patch that cannot be
    // written: each refused by its file's name. A cancel stops at once.
    ASSERT_TRUE(RomFixture(original).checkWord(0x1879).writeTo(tempPath("other.smc")));
    ASSERT_TRUE(RomFixture(0x100200).checkWord(0x1878).writeTo(tempPath("small.smc")));
    const std::tuple<const char*, const char*, const char*> refusals[] = {
        {"other.smc", "p.ips", "other.smc"}, {"small.smc", "p.ips", "small.smc"}, {"original.smc", "no/p.ips", "p.ips"}};
    for (const auto& [from, to, named] : refusals) {
        effects.openAnswers = {tempPath(from)};
        effects.saveAnswers = {SaveChoice{tempPath(to), patches::kIpsFilter}};
        trigger("mnuCreatePatch");
        const auto& [icon, text] = effects.messages.back();
        EXPECT_TRUE(icon == MessageIcon::Exclamation && text.contains(named) && !text.endsWith(": "))
            << text.toStdString();
    }
    EXPECT_EQ(effects.messages.size(), 5u);
    EXPECT_FALSE(QFile::exists(tempPath("p.ips")));
    trigger("mnuCreatePatch");
    EXPECT_EQ(effects.saveDialogCount, 5);
    EXPECT_EQ(fileBytes(), edited);
}

} // namespace
