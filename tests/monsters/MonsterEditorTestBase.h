#pragma once

#include "monsters/Form2.h"
#include "support/GuiTestBase.h"
#include "QStringPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zorvek::test {

// The real monster editor, opened from the main window's "Monsters" button.
class MonsterEditorTestBase : public GuiTestBase {
protected:
    static constexpr qint64 kTable = 0x100200;
    static qint64 at(int record, int k) { return kTable + 32 * record + k; }

    void openEditor(const RomFixture& rom)
    {
        openImage(rom);
        ASSERT_TRUE(form1->rom().isOpen());
        effects.messages.clear();
        clickToolButton(QStringLiteral("Monsters"));
        editor = form1->monsterEditor();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
    }

    template <typename T = QWidget>
    T* control(const QString& name) const { return find<T>(editor, name); }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QListWidget* monsterList() const { return control<QListWidget>(QStringLiteral("MonsterList")); }
    QString info() const { return control<QLabel>(QStringLiteral("InfoLBL"))->text(); }

    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Replaces a box's text the way a user does: select all, then type.
    void retype(const QString& name, const QString& text)
    {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
    }

    void clickListEntry(QListWidget* list, int row)
    {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    void selectMonster(int row) { clickListEntry(monsterList(), row); }

    QByteArray recordBytes(int record) const { return fileBytes().mid(at(record, 0), 32); }

    QPointer<Form2> editor;
};

} // namespace zorvek::test
