// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one command through the real windows, offscreen, on the image it is
// given, and ends: the crash tests stop it at each of its writes.
// Usage: crash-driver IMAGE monster-save|character-save|undo

#include "core/image/PendingStamp.h"
#include "support/FakeSideEffects.h"
#include "ui/MainWindow.h"
#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

using namespace zorvek;

namespace {

void type(QWidget* window, const char* box, const QString& text)
{
    auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(box));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void click(QWidget* window, const char* button)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

void saveMonster(ui::MainWindow& form1)
{
    form1.openMonsterEditor();
    QWidget* form2 = form1.monsterEditor();
    form2->findChild<QListWidget*>(QStringLiteral("MonsterList"))->setCurrentRow(5);
    type(form2, "HPTXT", QStringLiteral("1234"));
    type(form2, "LevelTXT", QStringLiteral("42"));
    type(form2, "GilTXT", QStringLiteral("777"));
    click(form2, "SaveCMD");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zorvek crash driver"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 3) {
        std::fprintf(stderr, "usage: crash-driver IMAGE monster-save|character-save|undo\n");
        return 2;
    }
    const QString command = QString::fromLatin1(argv[2]);
    test::FakeSideEffects effects;
    effects.openAnswers.push_back(QString::fromLocal8Bit(argv[1]));
    int status = 0;
    {
        ui::MainWindow form1(effects);
        form1.show();
        form1.LoadROM();
        if (!form1.isLoaded())
            return 2;
        if (command == QLatin1String("character-save")) {
            form1.openCharacterEditor();
            QWidget* form3 = form1.characterEditor();
            form3->findChild<QScrollBar*>(QStringLiteral("Scroll"))->setValue(2);
            type(form3, "STRTXT", QStringLiteral("77"));
            type(form3, "MHPTXT", QStringLiteral("4321"));
            click(form3, "SaveCMD");
            form1.session().pendingStamp().flush();
        } else {
            saveMonster(form1);
            if (command == QLatin1String("undo"))
                form1.mnuUndo_Click();
        }
        for (const auto& message : effects.messages) {
            std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
            status = 3;
        }
    }
    return status;
}
