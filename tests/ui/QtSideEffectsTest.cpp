// SPDX-License-Identifier: GPL-3.0-or-later
// The production seam with Qt's real dialogs, answered the way a user would.

#include "ui/QtSideEffects.h"
#include "fixtures/RomFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::ui;

namespace {

// Runs `answer` on the first modal dialog of type T once it is showing.
template <typename T>
void whenShown(std::function<void(T*)> answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

TEST(QtSideEffectsTest, MessageBoxesCarryTitleIconAndTextAndTheSaveQuestionsCloseBoxIsCancel)
{
    QtSideEffects effects;
    QString shown;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        shown = QStringList{box->windowTitle(), box->text(), box->informativeText()}.join('|');
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    effects.explainMessage(nullptr, MessageIcon::Critical, "You need to load your Zorvek ROM to continue.", "Why.");
    EXPECT_EQ(shown, "Zorvek Multi Editor|You need to load your Zorvek ROM to continue.|Why.");
    const std::pair<QMessageBox::StandardButton, SaveAnswer> answers[] = {{QMessageBox::Save, SaveAnswer::Save},
                                                                          {QMessageBox::Discard, SaveAnswer::Discard},
                                                                          {QMessageBox::Cancel, SaveAnswer::Cancel}};
    for (const auto& [button, expected] : answers) {
        QString title;
        whenShown<QMessageBox>([&, button = button](QMessageBox* box) { // clang 14 cannot capture a binding itself
            title = box->windowTitle();
            box->button(button)->click();
        });
        EXPECT_EQ(effects.askToSave(nullptr, "Save them?"), expected);
        EXPECT_EQ(title, "Zorvek Multi Editor");
    }
    whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(effects.askToSave(nullptr, "Save them?"), SaveAnswer::Cancel);
}

TEST(QtSideEffectsTest, OpenDialogStartsInTheFolderGivenAndAllFilesListsEveryFile)
{
    QTemporaryDir dir;
    for (const char* name : {"game.smc", "game"})
        ASSERT_TRUE(test::RomFixture(1).writeTo(dir.filePath(name)));
    const QStringList filters{"All Files (*.*)", "Super MagiCom ROM File (*.smc)", "Super Wild Card ROM File (*.swc)",
                              "Pro Fighter X ROM File (*.fig)"};

    QtSideEffects effects;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), "CommonDialog1");
        EXPECT_EQ(dialog->directory().canonicalPath(), QFileInfo(dir.path()).canonicalFilePath());
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* view = dialog->findChild<QListView*>("listView");
        if (!types || !view)
            return dialog->reject();
        EXPECT_EQ(types->currentText(), filters.at(1));
        // Pick "All Files (*.*)" as a user does, then the file without an extension.
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up);
        EXPECT_EQ(types->currentText(), filters.at(0));
        QModelIndex noExtension;
        const bool listed = QTest::qWaitFor([&] {
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                if (view->model()->index(row, 0, view->rootIndex()).data().toString() == "game")
                    noExtension = view->model()->index(row, 0, view->rootIndex());
            return noExtension.isValid();
        });
        if (!listed)
            return dialog->reject();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(noExtension).center());
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    });
    const std::optional<QString> chosen = effects.chooseFileToOpen(nullptr, {}, filters, filters.at(1), dir.path());
    ASSERT_TRUE(chosen.has_value()) << "the file without an extension was not listed";
    EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(), QFileInfo(dir.filePath("game")).canonicalFilePath());

    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(effects.chooseFileToOpen(nullptr, {}, filters, filters.at(1), {}).has_value());
}

TEST(QtSideEffectsTest, SaveDialogGivesThePathTypedAndTheFilterPicked)
{
    QTemporaryDir dir;
    const QStringList filters{"IPS Patch (*.ips)", "BPS Patch (*.bps)"};
    QtSideEffects effects;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), "SaveFileDialog");
        EXPECT_EQ(dialog->windowTitle(), "Create Patch");
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!types || !name || dialog->acceptMode() != QFileDialog::AcceptSave)
            return dialog->reject();
        EXPECT_EQ(name->text(), "game.ips");
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, "hack");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<SaveChoice> chosen =
        effects.chooseFileToSave(nullptr, "Create Patch", filters, filters.at(0), dir.filePath("game.ips"));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, QDir(dir.path()).filePath("hack"));
    EXPECT_EQ(chosen->selectedFilter, filters.at(1));
}

} // namespace
