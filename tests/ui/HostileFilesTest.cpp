// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/PendingStamp.h"
#include "core/image/RollbackJournal.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"
#include "support/OutsideWrite.h"

#include <QDir>
#include <QLabel>
#include <QSaveFile>
#include <QScrollBar>
#include <QToolBar>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

class HostileFilesTest : public GuiTestBase {
protected:
    bool loaded() { return find<QToolBar>("Toolbar2")->isEnabled() && form1->session().rom().isOpen(); }
};

TEST_F(HostileFilesTest, ImageEndingInsideTheMonsterTableShowsZerosBeyondItsEnd)
{
    // Ends in the middle of record 10's hit points.
    RomFixture cut(0x100200 + 32 * 10 + 9);
    cut.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    cut.monsterWord(3, 8, 1234);
    openImage(cut);
    ASSERT_TRUE(loaded());
    QWidget* form2 = openMonsterEditor();
    auto* list = find<QListWidget>(form2, "MonsterList");
    for (const auto& [record, hp] : {std::pair{3, 1234}, {10, int(cut.bytes().at(0x100200 + 32 * 10 + 8))}, {200, 0}}) {
        list->setCurrentRow(record);
        EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), QString::number(hp)) << record;
    }
    form2->close();

    QWidget* form3 = openCharacterEditor();
    find<QScrollBar>(form3, "Scroll")->setValue(3);
    EXPECT_EQ(find<QLineEdit>(form3, "LevelTXT")->text(), "0");
    form3->close();
    EXPECT_EQ(fileBytes(), cut.bytes());
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(HostileFilesTest, PathsWithSpacesNonAsciiAndLinksWork)
{
    ASSERT_TRUE(QDir(tempPath("")).mkpath(QStringLiteral("my röms ゲーム")));
    const QString odd = tempPath(QStringLiteral("my röms ゲーム/Kelvarnthosia (ü) 5.smc"));
    openImage(RomFixture::standard(), QStringLiteral("my röms ゲーム/Kelvarnthosia (ü) 5.smc"));
    ASSERT_TRUE(loaded());
    trigger("mnuSave");
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_TRUE(readFile(odd).mid(0x60).startsWith("Zorvek Multi Editor | 0.65 | "));

    // A link is followed: the write lands in the file it points to.
    const QString target = tempPath("target.smc"), link = tempPath("link.smc");
    ASSERT_TRUE(RomFixture::standard().writeTo(target));
    if (!QFile::link(target, link))
        GTEST_SKIP() << "symbolic links not available";
    openPath(link);
    ASSERT_TRUE(loaded());
    trigger("mnuSave");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(readFile(target).mid(0x60).startsWith("Zorvek Multi Editor | 0.65 | "));
}

TEST_F(HostileFilesTest, ImageCutShortOrRemovedWhileOpenNeitherCrashesNorLies)
{
    // Cut short (by another program, say), the image has no room for its internal name: the
    // save says so instead of growing the file with a megabyte of zeros, and writes no stamp either.
    const RomFixture cut = RomFixture(0x300).copierHeader(1).checkWord(0x1878);
    openImage(cut);
    ASSERT_TRUE(loaded());
    trigger("mnuSave");
    EXPECT_EQ(fileBytes(), cut.bytes());
    expectMessage(1, MessageIcon::Exclamation, {"too short"});

    // The monster editor on the cut file: loads read zeros, a save is refused aloud.
    QWidget* form2 = openMonsterEditor(9);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "0");
    typeInto(form2, "HPTXT", "321");
    clickOn(form2, "SaveCMD");
    EXPECT_EQ(fileBytes(), cut.bytes());
    expectMessage(2, MessageIcon::Exclamation, {"too short"});
    EXPECT_FALSE(find<QLabel>(form2, "InfoLBL")->text().contains("has been saved"));

    // Removed behind the editor's back: the save is refused aloud, nothing
    // brings the file back.
    form2->close();
    ASSERT_TRUE(QFile::remove(romPath));
    trigger("mnuSave");
    expectMessage(3, MessageIcon::Exclamation, {"replaced or removed"});
    EXPECT_FALSE(QFile::exists(romPath));
    trigger("mnuClose");
    EXPECT_FALSE(loaded());
}

TEST_F(HostileFilesTest, ACraftedJournalIsLeftAloneAndAFileTooLargeOrUnreadableIsNotOpened)
{
    const RomFixture rom = RomFixture::standard();
    const QByteArray crafted = rollback::encode("game.smc", rom.bytes().size(), {{0x7FFFFFFFFFFFFFFF, "A", "B"}});
    ASSERT_TRUE(RomFixture(0).bytesAt(0, crafted).writeTo(tempPath("game.smc-journal")));
    openImage(rom);
    expectMessage(1, MessageIcon::Exclamation, {"game.smc-journal", "does not fit the image"});
    EXPECT_TRUE(loaded() && fileBytes() == rom.bytes() && readFile(tempPath("game.smc-journal")) == crafted);

    ASSERT_TRUE(QFile::resize(romPath, (qint64{8} << 20) + 513));
    openPath(romPath);
    EXPECT_FALSE(loaded());
    expectMessage(2, MessageIcon::Exclamation, {"64 Mbit"});

    // Nor is one that cannot be read, where the rights allow such a file.
    ASSERT_TRUE(QFile::resize(romPath, rom.bytes().size()));
    QFile::setPermissions(romPath, QFileDevice::Permissions());
    if (QFile(romPath).open(QIODevice::ReadOnly))
        return;
    openPath(romPath);
    EXPECT_FALSE(loaded());
    expectMessage(3, MessageIcon::Exclamation, {"game.smc"});
}

TEST_F(HostileFilesTest, ImageReplacedOrRewrittenInPlaceIsNeverWrittenUntilOpenedAgain)
{
    effects.msPerSecond = 100; // the character save's stamp falls due after a second
    openImage(RomFixture::standard());
    QWidget* form3 = openCharacterEditor();
    typeInto(form3, "STRTXT", "77");
    clickOn(form3, "SaveCMD");
    ASSERT_TRUE(form1->session().pendingStamp().isPending());

    // A patcher writes a new file and renames it over the image.
    const QByteArray onDisk = fileBytes();
    QSaveFile replacement(romPath);
    ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
    replacement.write(onDisk);
    ASSERT_TRUE(replacement.commit());

    auto expectRefused = [&](size_t count) {
        expectMessage(count, MessageIcon::Exclamation, {QDir::toNativeSeparators(romPath), "replaced or removed"});
        EXPECT_EQ(fileBytes(), onDisk);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !effects.messages.empty(); }, 5000)) << "the due stamp";
    expectRefused(1);
    clickOn(form3, "SaveCMD");
    expectRefused(2);
    EXPECT_EQ(find<QLineEdit>(form3, "STRTXT")->text(), "77");
    form3->close();

    QWidget* form2 = openMonsterEditor();
    typeInto(form2, "HPTXT", "321");
    clickOn(form2, "SaveCMD");
    expectRefused(3);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "321");
    form2->close();

    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    trigger("mnuSave");
    expectRefused(4);
    EXPECT_EQ(find<QLineEdit>("InternalROMNameTXT")->text(), "AB");
    // Nor do undo and the checksum fix; the save stays to be undone.
    trigger("mnuUndo");
    expectRefused(5);
    trigger("mnuFixChecksum");
    expectRefused(6);
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "&Undo Save of Character 0");

    // Opened again, it is the file the user sees, with nothing to undo.
    openPath(romPath);
    EXPECT_FALSE(find<QAction>("mnuUndo")->isEnabled());
    trigger("mnuSave");
    EXPECT_EQ(effects.messages.size(), 6u);
    EXPECT_NE(fileBytes(), onDisk);

    // Another program's import writes in place and sets the modification time
    // back: neither an undo of that save nor a new save writes into it.
    ASSERT_TRUE(rewriteInPlace(romPath, RomFixture::monster(0, 8), QByteArray::fromHex("3905"), true));
    const QByteArray outside = fileBytes();
    trigger("mnuUndo");
    expectMessage(7, MessageIcon::Exclamation, {"changed by another program since it was opened"});
    trigger("mnuSave");
    expectMessage(8, MessageIcon::Exclamation, {"changed by another program since it was opened"});
    EXPECT_EQ(fileBytes(), outside);
}

TEST_F(HostileFilesTest, ZerosOfAFailedReadAreNeitherShownAsTheFilesNorWrittenBack)
{
    const RomFixture rom = RomFixture::standard(8);
    openImage(rom);
    // The medium fails every read from now on; its bytes stay behind.
    MemoryDevice* memory = attachMemory(form1->session().rom(), rom.bytes(), -1, {}, romPath);
    const auto failReads = [&](bool on) { memory->readsLeft = on ? 0 : -1; };
    const auto expectRead = [&](size_t count, const char* consequence) {
        expectMessage(count, MessageIcon::Exclamation,
                      {QDir::toNativeSeparators(romPath), "could not be read", "Input/output error", consequence});
        EXPECT_TRUE(memory->writeOffsets.empty());
    };
    failReads(true);
    trigger("mnuFixChecksum");
    expectRead(1, "");
    EXPECT_TRUE(find<QLabel>("ChecksumLBL")->text().startsWith("Checksum: not known (The file could not be read"));
    effects.openAnswers = {romPath};
    effects.saveAnswers = {SaveChoice{tempPath("p.ips"), {}}};
    trigger("mnuCreatePatch");
    expectRead(2, "The patch");
    EXPECT_FALSE(QFile::exists(tempPath("p.ips")));

    // An editor whose load failed saves nothing until the record is read again.
    QWidget* form2 = openMonsterEditor();
    expectRead(3, "Save writes nothing until the record is read again");
    typeInto(form2, "HPTXT", "321");
    clickOn(form2, "SaveCMD");
    expectRead(4, "Save writes nothing");
    failReads(false);
    clickOn(form2, "SaveCMD");
    expectRead(5, "Save writes nothing");
    auto* list = find<QListWidget>(form2, "MonsterList");
    list->setCurrentRow(1);
    list->setCurrentRow(0);
    typeInto(form2, "HPTXT", "321");
    clickOn(form2, "SaveCMD");
    EXPECT_EQ(memory->data().mid(RomFixture::monster(0, 8), 2), QByteArray::fromHex("4101"));
    memory->writeOffsets.clear();
    form2->close();

    QWidget* form3 = openCharacterEditor();
    failReads(true);
    find<QScrollBar>(form3, "Scroll")->setValue(1);
    expectRead(6, "until the slot is read again");
    failReads(false);
    clickOn(form3, "SaveCMD");
    expectRead(7, "Save writes nothing");
    form1->session().pendingStamp().cancel();
    form3->close();

    // Undo reads the bytes it replaces first: unread, it writes nothing.
    const QByteArray before = memory->data();
    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    trigger("mnuSave");
    const QByteArray saved = memory->data();
    memory->writeOffsets.clear();
    failReads(true);
    trigger("mnuUndo");
    expectRead(8, "");
    // Undo puts back Save ROM's six writes, reading each place first; the
    // name, read back as zeros, would be saved again.
    memory->readsLeft = 6;
    trigger("mnuUndo");
    EXPECT_EQ(memory->data(), before);
    memory->writeOffsets.clear();
    expectRead(9, "Save ROM writes nothing until the image is opened again");
    failReads(false);
    trigger("mnuSave");
    expectRead(10, "Open the image again to save");
}

} // namespace
