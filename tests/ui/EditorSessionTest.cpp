// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/EditorStamp.h"
#include "core/image/ImageSession.h"
#include "ui/characters/CharacterEditor.h"
#include "support/FakeSideEffects.h"
#include "fixtures/RomFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

// An editor works on the open image alone: no main window reads, saves or
// takes over for it, and the stamp it leaves due belongs to the session.
TEST(EditorSessionTest, AnEditorSavesThroughTheSessionAndTheSessionWritesItsDueStampBeforeClosing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.smc"));
    const RomFixture rom = RomFixture::standard();
    ASSERT_TRUE(rom.writeTo(path));

    FakeSideEffects effects;
    effects.msPerSecond = 1000;  // real seconds: the stamp stays due throughout
    ImageSession session(effects);
    ASSERT_TRUE(session.rom().open(path).ok());
    auto* editor = new CharacterEditor(session, effects, QStringLiteral("KELVARNTHOSIA 5"));
    QSignalSpy closed(editor, &CharacterEditor::closed);
    editor->show();
    EXPECT_EQ(editor->windowTitle(), "Character Editor: KELVARNTHOSIA 5");

    auto* level = editor->findChild<QLineEdit*>(QStringLiteral("LevelTXT"));
    ASSERT_NE(level, nullptr);
    level->setFocus();
    level->selectAll();
    QTest::keyClicks(level, QStringLiteral("42"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("SaveCMD")), Qt::LeftButton);
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("CancelCMD")), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    ASSERT_TRUE(session.pendingStamp().isPending());  // the save's message time has not passed

    // Another stamp time shows that close() wrote it, not the save.
    effects.clock = QDateTime(QDate(2003, 1, 2), QTime(3, 4, 5));
    EXPECT_TRUE(session.close().ok());
    EXPECT_FALSE(session.rom().isOpen());
    EXPECT_FALSE(session.pendingStamp().isPending());
    const QByteArray written = readFile(path);
    EXPECT_EQ(static_cast<uint8_t>(written.at(RomFixture::character(0, 2))), 42);
    const QByteArray stampText = stamp::text(effects.clock).toLatin1();
    EXPECT_EQ(written.mid(0x60, stampText.size()), stampText);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
