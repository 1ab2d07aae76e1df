// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlayLauncher.h"

#include "core/image/ImageSession.h"
#include "core/play/PlayCopy.h"
#include "core/program/AppSettings.h"
#include "ui/EmulatorDialog.h"
#include "ui/SideEffects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace zorvek::ui {

namespace {

constexpr int kShownLines = 12;
constexpr qint64 kTailBytes = 4096;

// The last lines the emulator printed; its log may be long.
QString lastLines(const QString& logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    log.seek(std::max<qint64>(0, log.size() - kTailBytes));
    QStringList lines = QString::fromLocal8Bit(log.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    return lines.mid(std::max<qsizetype>(0, lines.size() - kShownLines)).join(u'\n');
}

} // namespace

PlayLauncher::PlayLauncher(SideEffects& effects, const QString& cacheFolder, QObject* parent)
    : QObject(parent), m_effects(effects), m_cacheFolder(cacheFolder), m_places(emulator::SearchPlaces::system())
{ }

PlayLauncher::~PlayLauncher()
{
    // One still running is the user's game: deleting its process would end it.
    for (const QPointer<QProcess>& process : m_running)
        if (process && process->state() == QProcess::NotRunning)
            delete process;
}

QString PlayLauncher::copyPathFor(const QString& imagePath) const
{
    return playcopy::pathFor(m_cacheFolder, imagePath);
}

QString PlayLauncher::play(QWidget* parent, ImageSession& session,
                           const std::vector<table::monstertable::RecordSave>& unsaved)
{
    RomImage& rom = session.rom();
    const QString image = QDir::toNativeSeparators(rom.path());
    const std::optional<emulator::Launch> launch =
        emulator::resolve(AppSettings().emulatorCommand(), copyPathFor(rom.path()));
    if (!launch)
        return {};
    const QByteArray bytes = rom.readBytes(0, static_cast<int>(rom.size()));
    if (const IoResult unread = rom.takeReadFailure(); !unread.ok()) {
        m_effects.showMessage(
            parent, MessageIcon::Exclamation,
            tr("The ROM image \"%1\" could not be read for the play copy:\n%2\n\nNothing was started.")
                .arg(image, unread.error));
        return {};
    }
    const playcopy::Copy copy = playcopy::make(bytes, unsaved);
    const QString copyPath = copyPathFor(rom.path());
    IoResult result = copy.result;
    if (result.ok())
        result = playcopy::write(copyPath, copy.romData);
    if (!result.ok()) {
        m_effects.showMessage(parent, MessageIcon::Exclamation,
                              tr("The play copy \"%1\" of \"%2\" could not be written:\n%3\n\nNothing was started.")
                                  .arg(QDir::toNativeSeparators(copyPath), image, result.error));
        return {};
    }

    // No parent: an emulator still running when this program ends must not
    // be ended with it. Its output goes to a file, as a pipe would break then.
    auto* process = new QProcess;
    process->setProgram(launch->program);
    process->setArguments(launch->arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::MergedChannels);
    const QString logPath = copyPath + QStringLiteral(".log");
    process->setStandardOutputFile(logPath);
    watch(process, parent, emulator::shown(*launch), logPath);
    const QPointer<QProcess> startedProcess(process);
    m_effects.startProgram(*process);
    emit started();
    // A program that is not there may be refused at once; that was reported.
    if (!startedProcess
        || (startedProcess->state() == QProcess::NotRunning && startedProcess->error() == QProcess::FailedToStart))
        return {};

    QString text =
        tr("Playing a copy of %1 in %2").arg(QFileInfo(rom.path()).fileName(), QFileInfo(launch->program).fileName());
    if (!unsaved.empty())
        text += tr(", with the table's unsaved changes to %n monster(s)", nullptr, static_cast<int>(unsaved.size()));
    return text + u'.';
}

void PlayLauncher::watch(QProcess* process, QWidget* parent, const QString& shownCommand, const QString& logPath)
{
    m_running.erase(std::remove_if(m_running.begin(), m_running.end(), [](const auto& p) { return !p; }),
                    m_running.end());
    m_running.emplace_back(process);
    auto* early = new QTimer(process);
    early->setSingleShot(true);
    early->start(kEarlyEndMs);
    const QPointer<QWidget> over(parent);
    connect(process, &QProcess::errorOccurred, this, [=, this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        m_effects.showMessage(
            over, MessageIcon::Exclamation,
            tr("The emulator could not be started:\n%1\n\n%2\n\nChoose another in Stuff > Emulator...")
                .arg(shownCommand, process->errorString()));
    });
    connect(process, &QProcess::finished, this, [=, this](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        if (!early->isActive() || (status == QProcess::NormalExit && exitCode == 0))
            return;
        const QString how = status == QProcess::CrashExit ? tr("it crashed") : tr("exit code %1").arg(exitCode);
        const QString printed = lastLines(logPath);
        m_effects.showMessage(over, MessageIcon::Exclamation,
                              tr("The emulator ended at once, with %1:\n%2\n\n%3")
                                  .arg(how, shownCommand,
                                       printed.isEmpty() ? tr("It printed nothing.")
                                                         : tr("The last lines it printed:\n%1").arg(printed)));
    });
}

void PlayLauncher::chooseEmulator(QWidget* parent, const QString& imagePath, std::function<void()> chosen)
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    const QString romPath =
        imagePath.isEmpty() ? QDir(m_cacheFolder).filePath(QStringLiteral("game.sfc")) : copyPathFor(imagePath);
    m_dialog = new EmulatorDialog(m_places, AppSettings().emulatorCommand(), romPath, parent);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    EmulatorDialog* dialog = m_dialog;
    connect(dialog, &QDialog::accepted, this, [dialog, chosen = std::move(chosen)] {
        AppSettings().setEmulatorCommand(dialog->command());
        if (chosen)
            chosen();
    });
    dialog->open();
}

} // namespace zorvek::ui
