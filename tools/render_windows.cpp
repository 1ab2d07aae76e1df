// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the windows offscreen to PNG files, on a demo image, for the
// README, and the application icon for installation.

#include "ui/characters/CharacterEditor.h"
#include "core/table/MonsterTable.h"
#include "data/Artwork.h"
#include "core/monsters/MonsterRecord.h"
#include "patches/BpsPatch.h"
#include "ui/AboutDialog.h"
#include "ui/ApplyPatchDialog.h"
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
#include <QPalette>
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
        std::fprintf(stderr,
                     "usage: render-windows <demo image> <output folder>\n"
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
        model.applyValues({{1, mt::HitPoints, 4800},
                           {1, mt::Gil, 350},
                           {3, mt::Level, 27},
                           {3, mt::Strength, 61},
                           {6, mt::Experience, 900},
                           {6, mt::FirstFlag + 1, 1}});
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

    // A balance patch of a few monsters and a character, as another tool makes one.
    QFile image(effects.imagePath);
    QTemporaryDir scratch;
    if (image.open(QIODevice::ReadOnly) && scratch.isValid()) {
        const QByteArray rom = image.readAll().mid(0x200);
        QByteArray hack = rom;
        const auto word = [&](int record, int k, int value) {
            const qsizetype at = zorvek::monsters::kTableOffset - 0x200 + 32 * record + k;
            hack[at] = static_cast<char>(value & 0xFF);
            hack[at + 1] = static_cast<char>(value >> 8);
        };
        word(1, zorvek::monsters::field::kHitPoints, 4800);
        word(1, zorvek::monsters::field::kGil, 350);
        word(3, zorvek::monsters::field::kExperience, 900);
        hack[zorvek::monsters::kTableOffset - 0x200 + 32 * 6 + zorvek::monsters::field::kWeakness] ^= 0x05;
        hack[0x117000 + 80 + 2] = 30; // character 1's level
        hack.replace(0x1A0000, 24, QByteArray(24, '\x42'));
        QFile patch(scratch.filePath(QStringLiteral("balance.bps")));
        if (patch.open(QIODevice::WriteOnly) && patch.write(zorvek::patches::bps::create(rom, hack).bytes) > 0) {
            patch.close();
            zorvek::ui::ApplyPatchDialog dialog(form1.session(), effects, {patch.fileName()}, {}, &form1);
            dialog.show();
            ok &= save(&dialog, out.filePath("apply-patch.png"));
        }
    }
    return ok ? 0 : 1;
}
