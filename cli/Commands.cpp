// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"

#include "cli/CommandSupport.h"
#include "cli/DryRun.h"
#include "cli/ImageInfo.h"
#include "cli/ImportPlan.h"
#include "core/characters/CharacterRecord.h"
#include "core/header/CopierHeader.h"
#include "core/image/FileIdentity.h"
#include "core/image/FileLock.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/ImageWrite.h"
#include "core/image/RollbackJournal.h"
#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"
#include "core/image/WholeFile.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/MonsterTable.h"
#include "core/table/TableText.h"
#include "core/text/VisibleText.h"
#include "data/CharacterTable.h"
#include "data/GameData.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>
#include <tuple>

namespace zorvek::cli {

using namespace table;

namespace {

const QString kStandardStream = QStringLiteral("-");

} // namespace

void say(Console& console, const QString& text) { console.err.write((text + QLatin1Char('\n')).toUtf8()); }

namespace {

// A line end in a file name must not pass for the end of the message.
QString shown(const QString& path) { return visibleControls(QDir::toNativeSeparators(path)); }

// A step cut off by a crash is seen as not made, also by commands that only
// read: their copy is put back, the file is left for one that writes.
void takeBackInCopy(const QString& path, QByteArray& bytes, Console& console)
{
    const rollback::Recovery found = rollback::recoverCopy(path, bytes);
    using State = rollback::Recovery::State;
    if (found.state == State::TakenBack)
        say(console, QStringLiteral("%1 holds part of a step cut off by a crash: it is read as it was before that "
                                    "step. Its rollback journal %2 puts the file back the next time the image is "
                                    "opened to be written.")
                         .arg(shown(path), shown(found.journal)));
    else if (found.state == State::Changed)
        say(console, QStringLiteral("%1 has the rollback journal %2 of a step cut off by a crash, but another "
                                    "program changed the image since: it is read as it is.")
                         .arg(shown(path), shown(found.journal)));
    else if (found.state == State::Refused)
        say(console, QStringLiteral("%1 was left alone as no rollback journal of %2: %3. The image is read as it is.")
                         .arg(shown(found.journal), shown(path), found.reason));
    else if (found.state == State::Failed)
        say(console, QStringLiteral("The rollback journal %1 could not be read: %2").arg(shown(found.journal), found.reason));
}

IoResult readWhole(const QString& path, QByteArray& bytes, Console& console)
{
    // Shared with other readers while this handle is open: never half of a
    // step, nor a live step's journal. The reading uses a handle of its own.
    QFile locked(path);
    if (locked.open(QIODevice::ReadOnly))
        if (IoResult r = filelock::lock(locked.handle(), LockMode::Shared, path); !r.ok())
            return r;
    if (IoResult r = readImageFile(path, bytes); !r.ok())
        return r;
    takeBackInCopy(path, bytes, console);
    return IoResult::success();
}

} // namespace

// Before an image is written, a step of an earlier run cut off by a crash is
// taken back in the file. False when the image must not be written.
bool takeBackInFile(RomImage& rom, const QString& path, Console& console, int* exitCode)
{
    const rollback::Recovery found = rollback::recover(rom);
    using State = rollback::Recovery::State;
    switch (found.state) {
    case State::None:
        return true;
    case State::TornRemoved:
        say(console, QStringLiteral("Removed the rollback journal %1 of a step cut off before it wrote to %2.")
                         .arg(shown(found.journal), shown(path)));
        return true;
    case State::TakenBack:
        say(console, QStringLiteral("%1 held part of a step cut off by a crash: its rollback journal %2 put back "
                                    "the bytes from before that step.")
                         .arg(shown(path), shown(found.journal)));
        return true;
    case State::Changed:
        say(console, QStringLiteral("%1 has the rollback journal %2 of a step cut off by a crash, but another "
                                    "program changed the image since: both were left as they are, and nothing "
                                    "was written. Move the journal away to write to the image.")
                         .arg(shown(path), shown(found.journal)));
        *exitCode = kImageRefused;
        return false;
    case State::Refused:
        say(console, QStringLiteral("%1 was left alone as no rollback journal of %2: %3. Image and journal were "
                                    "left as they are, and nothing was written. Move it away to write to the image.")
                         .arg(shown(found.journal), shown(path), found.reason));
        *exitCode = kImageRefused;
        return false;
    case State::Failed:
        say(console, QStringLiteral("Taking back the step cut off by a crash in %1 with its rollback journal %2 "
                                    "failed: %3\nNothing else was written.")
                         .arg(shown(path), shown(found.journal), found.reason));
        *exitCode = kWriteFailed;
        return false;
    case State::Busy:
        say(console, found.reason + QStringLiteral("\nNothing was written."));
        *exitCode = kWriteFailed;
        return false;
    }
    return true;
}

namespace {

IoResult readCopy(const QString& path, RomImage& rom, Console& console)
{
    QByteArray bytes;
    if (IoResult r = readWhole(path, bytes, console); !r.ok())
        return r;
    // Reading commands work on a copy: one read of the file, and no way to write to it.
    rom.openCopy(bytes, RomImage::CopyAccess::ReadOnly);
    return IoResult::success();
}

RecordCells monsterCells(RomImage& rom, int index, CellValues values)
{
    return monstertable::cells(rom, index, data::monsterNames().value(index), values);
}

struct TableSpan {
    const char* name;
    qint64 start;
    qint64 size;
};

constexpr TableSpan kMonsterSpan{"monster table", monsters::kTableOffset,
                                 qint64{monsters::kRecordSize} * monsters::kRecordCount};
constexpr TableSpan kCharacterSpan{"character table", characters::CharacterRecord::kTableStart,
                                   characters::CharacterRecord::kSlotStride * characters::CharacterRecord::kSlotCount};

} // namespace

// The windows' own test of the image.
bool isThisGame(const RomImage& rom, const QString& path, Console& console)
{
    const bool right = romcheck::isRightGame(rom);
    if (IoResult r = rom.readFailure(); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(path, r.error));
        return false;
    }
    if (right)
        return true;
    if (headerless::lacksCopierHeader(rom))
        say(console, QStringLiteral("%1 has no copier header: this game's ROM data starts at its first byte, and "
                                    "the editor needs the 512-byte header in front of it.\nMake a copy with one: "
                                    "zorvek-multi-editor add-header %1 COPY.smc")
                         .arg(path));
    else
        say(console, QStringLiteral("%1 is not this game's image: its check word is wrong.").arg(path));
    return false;
}

namespace {

// This game's image, holding the tables asked for.
bool imageAccepted(const RomImage& rom, const QString& path, const TablePaths& tables, Console& console)
{
    if (!isThisGame(rom, path, console))
        return false;
    for (const auto& [asked, span] : {std::pair{!tables.monsters.isEmpty(), kMonsterSpan},
                                      std::pair{!tables.characters.isEmpty(), kCharacterSpan}}) {
        if (asked && !rom.checkHolds(span.start, span.size).ok()) {
            say(console, QStringLiteral("%1 is too short (%2 bytes) to hold the %3.")
                             .arg(path)
                             .arg(rom.size())
                             .arg(QLatin1String(span.name)));
            return false;
        }
    }
    return true;
}

QByteArray tableText(const TableDefinition& table, const std::function<RecordCells(int)>& cells)
{
    TableWriter out;
    writeHeader(out, table);
    for (int record = 0; record < table.recordCount; ++record)
        writeRecord(out, table, cells(record));
    return out.bytes();
}

// A table far longer than its records can be is refused before it is split
// into cells, which takes many times its size in memory.
std::optional<TableFile> readTable(const QString& path, const TableDefinition& table, Console& console)
{
    const qint64 limit = maximumTableBytes(table);
    const bool standardInput = path == kStandardStream;
    TableFile file{standardInput ? QStringLiteral("<standard input>") : path, {}};
    QFile opened(path);
    if (!standardInput && !opened.open(QIODevice::ReadOnly)) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(path, opened.errorString()));
        return std::nullopt;
    }
    if (IoResult r = readUpTo(standardInput ? console.in : opened, limit, file.text); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(file.label, r.error));
        return std::nullopt;
    }
    if (file.text.size() > limit) {
        const QString found = standardInput ? QStringLiteral("more") : QStringLiteral("%1 bytes").arg(opened.size());
        say(console, TableError{file.label, 1, 1, {},
                                QStringLiteral("a table of %1 %2s, at most %3 bytes")
                                    .arg(table.recordCount).arg(QLatin1String(table.recordNoun)).arg(limit),
                                found}
                         .message());
        return std::nullopt;
    }
    return file;
}

} // namespace

// What a failed write did to the image, for people.
QString failureText(const QString& image, const WriteOutcome& outcome)
{
    const QString error = outcome.written.result.error;
    if (outcome.written.backupFailed)
        return QStringLiteral("Nothing was written to %1: its backup copy could not be made: %2\n"
                              "To write without a backup, add --no-backup.")
            .arg(image, error);
    const QString text = QStringLiteral("Writing %1 failed: %2\n").arg(image, error);
    if (const QString left = stepLeftText(outcome, image); !left.isEmpty())
        return text + left;
    return text + QStringLiteral("Nothing was written.");
}

void sayBackup(const ImageWriteSession& session, Console& console)
{
    if (!session.backupPath().isEmpty())
        say(console, QStringLiteral("A copy of the image was made first: %1").arg(session.backupPath()));
}

int infoCommand(const QString& image, Console& console)
{
    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (!writeOutput(console, infoText(imageInfo(rom, image)).toUtf8()))
        return kWriteFailed;
    return romcheck::isRightGame(rom) ? kSuccess : kImageRefused;
}

int exportCommand(const QString& image, const TablePaths& tables, Console& console)
{
    struct Output {
        QString path;
        const TableDefinition& table;
        std::function<RecordCells(RomImage&, int, CellValues)> cells;
    };
    const Output outputs[] = {
        {tables.monsters, monstertable::definition(), &monsterCells},
        {tables.characters, charactertable::definition(), &charactertable::cells},
    };
    // A table written over the image, or both over one file, destroys what
    // was there; a device or a folder is no place for one either. Nothing
    // is written when any output is refused.
    const auto isFile = [](const QString& path) { return !path.isEmpty() && path != kStandardStream; };
    for (const Output& output : outputs) {
        if (!isFile(output.path))
            continue;
        if (isSameFile(output.path, image)) {
            say(console, QStringLiteral("The table %1 would replace the image %2; give another file.")
                             .arg(output.path, image));
            return kUsageError;
        }
        if (const QString refused = SafeFileWriter::refusal(output.path); !refused.isEmpty()) {
            say(console, QStringLiteral("Cannot write %1: %2").arg(output.path, refused));
            return kWriteFailed;
        }
    }
    if (isFile(tables.monsters) && isFile(tables.characters) && isSameFile(tables.monsters, tables.characters)) {
        say(console, QStringLiteral("The two tables need two different files."));
        return kUsageError;
    }

    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (!imageAccepted(rom, image, tables, console))
        return kImageRefused;
    for (const Output& output : outputs) {
        if (output.path.isEmpty())
            continue;
        const QByteArray text = tableText(output.table, [&](int i) { return output.cells(rom, i, CellValues::Shown); });
        if (output.path == kStandardStream) {
            if (!writeOutput(console, text))
                return kWriteFailed;
        } else if (IoResult r = SafeFileWriter::write(output.path, text); !r.ok()) {
            say(console, QStringLiteral("Cannot write %1: %2").arg(output.path, r.error));
            return kWriteFailed;
        }
    }
    return kSuccess;
}

int importCommand(const QString& image, const TablePaths& tables, bool dryRun, const WriteOptions& options,
                  Console& console, const QDateTime& now)
{
    // A dry run never needs to write, so it reads the file; an import opens
    // it as the windows do and reads it once. Both plan on a copy.
    RomImage rom;
    QByteArray imageBytes;
    const IoResult opened = dryRun ? readWhole(image, imageBytes, console) : rom.open(image);
    if (!opened.ok()) {
        say(console, QStringLiteral("Cannot open %1: %2").arg(image, opened.error));
        return kImageRefused;
    }
    if (int refused = kSuccess; !dryRun && !takeBackInFile(rom, image, console, &refused))
        return refused;
    if (!dryRun) {
        imageBytes = rom.readBytes(0, rom.size());
        if (IoResult r = rom.takeReadFailure(); !r.ok()) {
            say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
            return kImageRefused;
        }
    }
    RomImage current;
    current.openCopy(imageBytes, RomImage::CopyAccess::ReadOnly);
    if (!imageAccepted(current, image, tables, console))
        return kImageRefused;

    ImportPlan plan;
    using Planner = std::optional<TableError> (*)(const TableFile&, RomImage&, ImportPlan&);
    const std::tuple<QString, const TableDefinition&, Planner> inputs[] = {
        {tables.monsters, monstertable::definition(), &planMonsters},
        {tables.characters, charactertable::definition(), &planCharacters},
    };
    for (const auto& [path, table, planner] : inputs) {
        if (path.isEmpty())
            continue;
        const std::optional<TableFile> file = readTable(path, table, console);
        if (!file) {
            say(console, QStringLiteral("Nothing was written."));
            return kTableRefused;
        }
        if (const auto error = planner(*file, current, plan)) {
            say(console, error->message());
            say(console, QStringLiteral("Nothing was written."));
            return kTableRefused;
        }
    }

    if (plan.isEmpty()) {
        say(console, QStringLiteral("Nothing to change: the tables match the image."));
        return kSuccess;
    }
    if (dryRun) {
        const DryRunReport report = dryRunReport(imageBytes, plan, options.fixChecksumOnSave, now);
        if (!report.result.ok()) {
            say(console, QStringLiteral("The import would fail: %1\nNothing was written.").arg(report.result.error));
            return kWriteFailed;
        }
        if (!writeOutput(console, report.lines))
            return kWriteFailed;
        say(console, report.summary);
        return kSuccess;
    }
    ImageWriteSession session(rom, [now] { return now; });
    session.setOptions(options);
    const WriteOutcome written = commitImport(session, imageBytes, plan, now);
    if (!written.ok()) {
        say(console, failureText(image, written));
        return kWriteFailed;
    }
    sayBackup(session, console);
    say(console, QStringLiteral("%1 changed%2.")
                     .arg(changeCount(plan), options.fixChecksumOnSave ? QStringLiteral(", checksum words included")
                                                                       : QString()));
    return kSuccess;
}

int fixChecksumCommand(const QString& image, const WriteOptions& options, Console& console, const QDateTime& now)
{
    RomImage rom;
    if (IoResult r = rom.open(image); !r.ok()) {
        say(console, QStringLiteral("Cannot open %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (int refused = kSuccess; !takeBackInFile(rom, image, console, &refused))
        return refused;
    if (!isThisGame(rom, image, console))
        return kImageRefused;
    if (!rom.checkHolds(checksum::kComplementOffset, checksum::kWordsLength).ok()) {
        say(console,
            QStringLiteral("%1 is too short (%2 bytes) to hold the checksum words.").arg(image).arg(rom.size()));
        return kImageRefused;
    }
    const checksum::State state = checksum::readState(rom);
    if (IoResult r = rom.takeReadFailure(); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (state.valid()) {
        say(console, QStringLiteral("The checksum of %1 is already %2: nothing was written.")
                         .arg(image, checksum::stateText(state)));
        return kSuccess;
    }
    ImageWriteSession session(rom, [now] { return now; });
    session.setOptions(options);
    const WriteOutcome written = writeStep(session, QStringLiteral("Fix checksum"), CommandKind::Other,
                                           [&rom] { return checksum::fix(rom); });
    if (!written.ok()) {
        say(console, failureText(image, written));
        return kWriteFailed;
    }
    sayBackup(session, console);
    // Fixing the words never changes the sum they are checked against.
    const checksum::State fixed{state.computed, static_cast<uint16_t>(~state.computed), state.computed};
    say(console, QStringLiteral("The checksum of %1 was %2; it is now %3.")
                     .arg(image, checksum::stateText(state), checksum::stateText(fixed)));
    return kSuccess;
}

int makePatchCommand(const QString& original, const QString& image, const QString& patch,
                     std::optional<patches::PatchFormat> format, Console& console)
{
    // Writing the patch over either image would destroy it.
    if (isSameFile(patch, original) || isSameFile(patch, image)) {
        say(console, QStringLiteral("The patch %1 would replace one of the images; give another file.").arg(patch));
        return kUsageError;
    }
    if (!format)
        format = patches::formatOfName(patch);
    if (!format) {
        say(console, QStringLiteral("%1 names no patch format: give --format ips or --format bps, or end the "
                                    "file name in .ips or .bps.")
                         .arg(patch));
        return kUsageError;
    }
    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    // Headerless, as the original may be: the patch is of the ROM data alone.
    const bool bare = headerless::lacksCopierHeader(rom);
    if (!bare && !isThisGame(rom, image, console))
        return kImageRefused;
    const QByteArray romData = bare ? rom.readBytes(0, rom.size()) : patches::romDataOf(rom);
    patches::PatchFailure failure = patches::PatchFailure::None;
    if (IoResult r = patches::createPatchFile(original, romData, patch, *format, &failure); !r.ok()) {
        say(console, r.error);
        return failure == patches::PatchFailure::Original ? kImageRefused : kWriteFailed;
    }
    say(console, QStringLiteral("Wrote the %1 patch %2.")
                     .arg(*format == patches::PatchFormat::Bps ? QStringLiteral("BPS") : QStringLiteral("IPS"), patch));
    // The original was read and taken above; an empty patch must not pass for a change.
    QString unused;
    if (QByteArray read; readImageFile(original, read).ok()
        && patches::originalRomData(read, original, romData.size(), &unused) == romData)
        say(console, QStringLiteral("The ROM data of %1 and %2 do not differ: the patch changes nothing.")
                         .arg(original, image));
    return kSuccess;
}

} // namespace zorvek::cli
