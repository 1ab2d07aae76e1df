// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the windows offscreen to PNG files, on a demo image, for the
// README, and the application icon for installation.

#include "ui/characters/CharacterEditor.h"
#include "core/table/MonsterTable.h"
#include "data/Artwork.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/monsters/MonsterEditor.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"
#include "ScriptedSideEffects.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPalette>
#include <QTabBar>

#include <cstdio>

namespace {

bool save(QWidget* window, const QString& file)
{
    QApplication::processEvents();
    const bool ok = window->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

// A dark desktop theme as many users have it: the table's marks must read on it too.
QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xee, 0xee, 0xee);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

} // namespace

int main(int argc, char** argv)
{
    zorvek::demo::useOffscreenUnlessSet();
    zorvek::demo::useScratchSettings();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render-windows <demo image> <output folder>\n"
                             "       render-windows --icon <png file>\n");
        return 2;
    }
    if (QString::fromLatin1(argv[1]) == QLatin1String("--icon"))
        return zorvek::data::applicationIcon().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    zorvek::demo::ScriptedSideEffects effects;
    effects.imagePath = QString::fromLocal8Bit(argv[1]);
    zorvek::ui::MainWindow form1(effects);
    form1.show();
    form1.LoadROM();
    bool ok = save(&form1, out.filePath("main-window.png"));

    form1.mnuAbout_Click();
    if (auto* about = form1.findChild<zorvek::ui::AboutDialog*>("About")) {
        ok &= save(about, out.filePath("about.png"));
        about->close();
    }

    form1.openMonsterEditor();
    if (QWidget* form2 = form1.monsterEditor()) {
        auto* monsters = form2->findChild<QListWidget*>("MonsterList");
        auto* weak = form2->findChild<QListWidget*>("WeakLST");
        auto* status = form2->findChild<QListWidget*>("StatusConditionsLST");
        auto selectedIn = [](QListWidget* list, int first, int last) {
            int n = 0;
            for (int i = first; i <= last; ++i)
                n += list->item(i)->isSelected() ? 1 : 0;
            return n;
        };
        // Show a monster whose flag lists have something to show at the top.
        for (int row = 1; monsters && weak && status && row < monsters->count(); ++row) {
            monsters->setCurrentRow(row);
            if (selectedIn(weak, 0, 7) >= 2 && selectedIn(status, 8, 15) >= 1)
                break;
        }
        ok &= save(form2, out.filePath("monster-editor.png"));
        form2->close();
    }

    form1.openMonsterTable();
    if (zorvek::ui::MonsterTableWindow* table = form1.monsterTable()) {
        namespace mt = zorvek::table::monstertable;
        // The demo image stands as its own original, so every edit is marked twice:
        // not saved yet, and different from the original.
        table->compareWith();
        table->resize(980, 430);
        zorvek::ui::MonsterTableModel& model = table->model();
        model.applyValues({{1, mt::HitPoints, 4800}, {1, mt::Gil, 350}, {3, mt::Level, 27},
                           {3, mt::Strength, 61}, {6, mt::Experience, 900}, {6, mt::FirstFlag + 1, 1}});
        ok &= save(table, out.filePath("monster-table.png"));
        const QPalette light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        ok &= save(table, out.filePath("monster-table-dark.png"));
        QApplication::setPalette(light);
        model.revert();
        table->closeForGoodImage();
    }

    form1.openCharacterEditor();
    if (QWidget* form3 = form1.characterEditor()) {
        ok &= save(form3, out.filePath("character-editor.png"));
        if (auto* tabs = form3->findChild<QTabBar*>("TabStrip1")) {
            tabs->setCurrentIndex(1);
            ok &= save(form3, out.filePath("character-editor-equipment.png"));
        }
        form3->close();
    }
    return ok ? 0 : 1;
}
