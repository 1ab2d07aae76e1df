// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MainWindow.h"
#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"
#include "support/FakeSideEffects.h"
#include "fixtures/RomFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// Failed comparisons show texts as text rather than as code units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zorvek::test {

// Pastes with Ctrl+V, as a user does: over the box's selection, if any.
inline void pasteInto(QLineEdit* box, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Drags text, files or both from another program to the widget's right end and drops it.
inline void dropOnto(QWidget* on, const QString& text, const QList<QUrl>& urls = {})
{
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    const QPoint at(on->width() - 2, on->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &drop);
}

// Builds the real main window on a fake seam and a temporary ROM image.
class GuiTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings().clear(); // no folder remembered from another test
        effects.folder = m_dir.path();
        form1 = std::make_unique<ui::MainWindow>(effects);
        form1->show();
    }

    void TearDown() override
    {
        form1.reset();
        // Deferred deletes of closed windows run here, not in the next test.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString tempPath(const QString& name) const { return m_dir.filePath(name); }

    // Writes the image and opens it through the Open toolbar button.
    void openImage(const RomFixture& rom, const QString& name = QStringLiteral("game.smc"))
    {
        romPath = tempPath(name);
        ASSERT_TRUE(rom.writeTo(romPath));
        openPath(romPath);
    }

    void openPath(const QString& path)
    {
        effects.openAnswers.push_back(path);
        clickToolButton(QStringLiteral("Open"));
    }

    QByteArray fileBytes() const { return readFile(romPath); }

    template <typename T>
    T* find(QObject* root, const QString& name) const
    {
        T* found = root->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control named " << name.toStdString();
        return found;
    }

    template <typename T>
    T* find(const QString& name) const
    {
        return find<T>(form1.get(), name);
    }

    void clickToolButton(const QString& key) { clickOn(form1.get(), key); }

    void clickOn(QObject* window, const QString& name)
    {
        auto* control = find<QWidget>(window, name);
        ASSERT_NE(control, nullptr);
        QTest::mouseClick(control, Qt::LeftButton);
    }

    // The Monsters toolbar button's window, showing the record given.
    ui::MonsterEditor* openMonsterEditor(int record = 0)
    {
        clickToolButton(QStringLiteral("Monsters"));
        ui::MonsterEditor* form2 = form1->monsterEditor();
        EXPECT_NE(form2, nullptr);
        if (form2 && record > 0)
            find<QListWidget>(form2, QStringLiteral("MonsterList"))->setCurrentRow(record);
        return form2;
    }

    ui::CharacterEditor* openCharacterEditor()
    {
        clickToolButton(QStringLiteral("Characters"));
        EXPECT_NE(form1->characterEditor(), nullptr);
        return form1->characterEditor();
    }

    // The count of messages so far, and the newest one's icon and texts.
    void expectMessage(size_t count, ui::MessageIcon icon, const QStringList& parts)
    {
        ASSERT_EQ(effects.messages.size(), count);
        const auto& [shown, text] = effects.messages.back();
        EXPECT_EQ(shown, icon) << text.toStdString();
        for (const QString& part : parts)
            EXPECT_TRUE(text.contains(part)) << '"' << part.toStdString() << "\" not in: " << text.toStdString();
    }

    // Replaces a text box's text by typing, as a user does.
    void typeInto(QObject* window, const QString& boxName, const QString& text)
    {
        auto* box = find<QLineEdit>(window, boxName);
        ASSERT_NE(box, nullptr);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    void trigger(const QString& actionName)
    {
        auto* action = find<QAction>(form1.get(), actionName);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }

    FakeSideEffects effects;
    std::unique_ptr<ui::MainWindow> form1;
    QString romPath;

private:
    QTemporaryDir m_dir;
};

} // namespace zorvek::test
