// Renders the windows offscreen to PNG files, on a demo image, for the
// README, and the application icon for installation.

#include "ui/characters/CharacterEditor.h"
#include "core/table/MonsterTable.h"
#include "data/Artwork.h"
#include "ui/AboutDialog.h"
#include "ui/EmulatorDialog.h"
#include "ui/MainWindow.h"
#include "ui/PlayLauncher.h"
#include "ui/monsters/MonsterEditor.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"
#include "ScriptedSideEffects.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool save(QWidget* window, const QString& file)
{
    QApplication::processEvents();
    const bool ok = window->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
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

    {
        // A machine with a few emulators and cores, made up in a scratch folder.
        const QTemporaryDir emulators;
        QDir(emulators.path()).mkpath(QStringLiteral("bin"));
        QDir(emulators.path()).mkpath(QStringLiteral("cores"));
        for (const char* name : {"bin/retroarch", "bin/mednafen", "bin/snes9x-gtk", "cores/snes9x_libretro.so",
                                 "cores/bsnes_libretro.so"}) {
            QFile file(emulators.filePath(QString::fromLatin1(name)));
            file.open(QIODevice::WriteOnly);
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        }
        form1.playLauncher().setSearchPlaces(
            {{emulators.filePath(QStringLiteral("bin"))}, {emulators.filePath(QStringLiteral("cores"))}});
        form1.mnuEmulator_Click();
        if (auto* dialog = form1.findChild<zorvek::ui::EmulatorDialog*>("EmulatorDialog")) {
            if (auto* presets = dialog->findChild<QComboBox*>("EmulatorPresetCBO")) {
                presets->setCurrentIndex(2);
                emit presets->activated(2);
            }
            ok &= save(dialog, out.filePath("emulator-dialog.png"));
            dialog->reject();
        }
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
