// The production seam with Qt's real dialogs, answered the way a user would.

#include "main/QtSideEffects.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorvek;

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

TEST(QtSideEffectsTest, MessageBoxCarriesTitleIconAndText)
{
    QtSideEffects effects;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    effects.showMessage(nullptr, MessageIcon::Critical, "You need to load your Zorvek ROM to continue.");
    EXPECT_EQ(title, "Zorvek Multi Editor");
    EXPECT_EQ(text, "You need to load your Zorvek ROM to continue.");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(QtSideEffectsTest, OpenDialogOffersTheFourFiltersAndReturnsTheChoice)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("game.smc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList filters{"All Files (*.*)", "Super MagiCom ROM File (*.smc)",
                              "Super Wild Card ROM File (*.swc)", "Pro Fighter X ROM File (*.fig)"};

    QtSideEffects effects;
    QString shownFilter;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        shownFilter = dialog->selectedNameFilter();
        EXPECT_EQ(dialog->objectName(), "CommonDialog1");
        // Type the path into the dialog's own name box and press Enter.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> chosen = effects.chooseFileToOpen(nullptr, filters, filters.at(1));
    EXPECT_EQ(shownFilter, "Super MagiCom ROM File (*.smc)");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(), QFileInfo(path).canonicalFilePath());

    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(effects.chooseFileToOpen(nullptr, filters, filters.at(1)).has_value());
}

} // namespace
