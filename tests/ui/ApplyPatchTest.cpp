// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/MonsterTable.h"
#include "patches/BpsPatch.h"
#include "support/GuiTestBase.h"
#include "support/ByteLiteral.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::patches;
using namespace zorvek::test;

namespace {

class ApplyPatchWindowTest : public GuiTestBase { };

TEST_F(ApplyPatchWindowTest, PatchesFromAnotherToolApplyAsOneStepInTheOrderShownAndUndoWhole)
{
    const RomFixture original = RomFixture(RomFixture::kFullSize)
                                    .fillRandom(63)
                                    .copierHeader(1)
                                    .checkWord(0x1878)
                                    .internalName("KELVARNTHOSIA 5");
    const QByteArray rom = original.bytes().mid(0x200);
    // The tool's target: a monster's hit points, a character's level, bytes no table holds.
    QByteArray tool = RomFixture(original).monsterWord(5, 8, 1234).characterByte(1, 2, 42).bytes().mid(0x200);
    tool.replace(0x1F0000, 3, "XYZ");
    ASSERT_TRUE(RomFixture(0).bytesAt(0, bps::create(rom, tool).bytes).writeTo(tempPath("balance.bps")));
    ASSERT_TRUE(RomFixture(0)
                    .bytesAt(0, "PATCH" + bytes({0x1F, 0, 0x10, 0, 0, 0, 16, 'R'}) + "EOF")
                    .writeTo(tempPath("fill.ips")));
    const QByteArray expected = QByteArray(tool).replace(0x1F0010, 16, QByteArray(16, 'R'));
    openImage(original);
    QWidget* form2 = openMonsterEditor(5);

    // Cancel writes nothing.
    effects.openAnswers = {tempPath("balance.bps")};
    trigger("mnuApplyPatch");
    auto* dialog = find<QDialog>(form1.get(), "ApplyPatchDialog");
    ASSERT_NE(dialog, nullptr);
    clickOn(dialog, "CancelCMD");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form1->findChild<QDialog*>("ApplyPatchDialog"), nullptr);
    EXPECT_EQ(fileBytes(), original.bytes());

    // An unsaved edit in the monster table to a monster the patch changes too.
    form1->openMonsterTable();
    form1->monsterTable()->model().applyValues({{5, table::monstertable::Gil, 77}});
    effects.openAnswers = {tempPath("balance.bps"), tempPath("fill.ips")};
    trigger("mnuApplyPatch");
    dialog = find<QDialog>(form1.get(), "ApplyPatchDialog");
    ASSERT_NE(dialog, nullptr);
    clickOn(dialog, "AddCMD");
    auto* preview = find<QPlainTextEdit>(dialog, "PreviewTXT");
    auto* apply = find<QPushButton>(dialog, "ApplyCMD");
    for (const char* part :
         {"unsaved changes to monsters 5,", "Monster 5 ", "Hit Points", "-> 1234", "Character 1: Level", "-> 42",
          "19 bytes in 2 ranges: 0x1F0200-0x1F0202 (3), 0x1F0210-0x1F021F (16)"})
        EXPECT_TRUE(preview->toPlainText().contains(part))
            << part << " not in " << preview->toPlainText().toStdString();
    // The fill first: the BPS is then for another version of the image.
    clickOn(dialog, "UpCMD");
    EXPECT_EQ(find<QListWidget>(dialog, "PatchLST")->item(0)->text(), tempPath("fill.ips"));
    EXPECT_TRUE(preview->toPlainText().contains("another version of the image"))
        << preview->toPlainText().toStdString();
    EXPECT_FALSE(apply->isEnabled());
    clickOn(dialog, "DownCMD");
    ASSERT_TRUE(apply->isEnabled());
    clickOn(dialog, "ApplyCMD");

    const QByteArray after = fileBytes();
    EXPECT_EQ(after.mid(0x200), expected);
    EXPECT_EQ(after.left(0x60), original.bytes().left(0x60));
    EXPECT_TRUE(after.mid(0x60, 22) == "Zorvek Multi Editor | ");
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "1234");
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "&Undo Apply patch balance.bps, fill.ips");
    trigger("mnuUndo");
    EXPECT_EQ(fileBytes(), original.bytes());
    EXPECT_EQ(effects.messages.size(), 0u);
    form1->monsterTable()->model().dropEdits();
}

} // namespace
