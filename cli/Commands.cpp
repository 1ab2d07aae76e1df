#include "cli/Commands.h"

#include "core/characters/CharacterRecord.h"
#include "cli/CharacterTable.h"
#include "cli/DryRun.h"
#include "cli/ImageInfo.h"
#include "cli/ImageWrite.h"
#include "cli/ImportPlan.h"
#include "cli/MonsterTable.h"
#include "cli/TableText.h"
#include "core/header/CopierHeader.h"
#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"
#include "core/image/SystemError.h"
#include "core/monsters/MonsterRecord.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <tuple>

namespace zorvek::cli {

namespace {

const QString kStandardStream = QStringLiteral("-");

void say(Console& console, const QString& text) { console.err.write((text + QLatin1Char('\n')).toUtf8()); }

// Reading commands work on a copy in memory: one read of the file, and no
// way to write to it.
void attachCopy(RomImage& rom, const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    rom.attach(std::move(buffer), QStringLiteral("copy in memory"));
}

IoResult readWhole(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(file.errorString());
    return IoResult::success();
}

IoResult readCopy(const QString& path, RomImage& rom)
{
    QByteArray bytes;
    if (IoResult r = readWhole(path, bytes); !r.ok())
        return r;
    attachCopy(rom, bytes);
    return IoResult::success();
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
    say(console, QStringLiteral("%1 is not this game's image: its check word is wrong.").arg(path));
    return false;
}

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

// Reads at most limit + 1 bytes: enough to tell a file that is too long
// without holding all of it.
IoResult readAtMost(QIODevice& device, qint64 limit, QByteArray& bytes)
{
    constexpr qint64 kChunk = 64 * 1024;
    bytes.clear();
    while (bytes.size() <= limit) {
        const qint64 want = std::min(kChunk, limit + 1 - bytes.size());
        const qsizetype had = bytes.size();
        bytes.resize(had + want);
        errno = 0;
        const qint64 got = device.read(bytes.data() + had, want);
        if (got < 0)
            return IoResult::failure(failureReason(device, errno));
        bytes.resize(had + got);
        if (got == 0)
            break;
    }
    return IoResult::success();
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
    if (IoResult r = readAtMost(standardInput ? console.in : opened, limit, file.text); !r.ok()) {
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

// What a failed write did to the image, for people.
QString failureText(const QString& image, const WriteOutcome& outcome)
{
    const QString error = outcome.written.result.error;
    if (outcome.written.backupFailed)
        return QStringLiteral("Nothing was written to %1: its backup copy could not be made: %2\n"
                              "To write without a backup, add --no-backup.")
            .arg(image, error);
    QString text = QStringLiteral("Writing %1 failed: %2\n").arg(image, error);
    if (outcome.takenBack)
        return text + QStringLiteral("The writes already made were taken back: the image is as it was.");
    if (outcome.partlyWritten)
        return text + QStringLiteral("Taking back the writes already made failed too (%1): the file may hold "
                                     "part of the changes.")
                          .arg(outcome.takeBackResult.error);
    return text + QStringLiteral("Nothing was written.");
}

void sayBackup(const ImageWriteSession& session, Console& console)
{
    if (!session.backupPath().isEmpty())
        say(console, QStringLiteral("A copy of the image was made first: %1").arg(session.backupPath()));
}

} // namespace

int infoCommand(const QString& image, Console& console)
{
    RomImage rom;
    if (IoResult r = readCopy(image, rom); !r.ok()) {
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
        RecordCells (*cells)(RomImage&, int, CellValues);
    };
    const Output outputs[] = {
        {tables.monsters, monstertable::definition(), &monstertable::cells},
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
    if (IoResult r = readCopy(image, rom); !r.ok()) {
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
    const IoResult opened = dryRun ? readWhole(image, imageBytes) : rom.open(image);
    if (!opened.ok()) {
        say(console, QStringLiteral("Cannot open %1: %2").arg(image, opened.error));
        return kImageRefused;
    }
    if (!dryRun) {
        imageBytes = rom.readBytes(0, static_cast<int>(rom.size()));
        if (IoResult r = rom.takeReadFailure(); !r.ok()) {
            say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
            return kImageRefused;
        }
    }
    RomImage current;
    attachCopy(current, imageBytes);
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
    if (IoResult r = readCopy(image, rom); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (!isThisGame(rom, image, console))
        return kImageRefused;
    patches::PatchFailure failure = patches::PatchFailure::None;
    if (IoResult r = patches::createPatchFile(original, patches::romDataOf(rom), patch, *format, &failure); !r.ok()) {
        say(console, r.error);
        return failure == patches::PatchFailure::Original ? kImageRefused : kWriteFailed;
    }
    say(console, QStringLiteral("Wrote the %1 patch %2.")
                     .arg(*format == patches::PatchFormat::Bps ? QStringLiteral("BPS") : QStringLiteral("IPS"), patch));
    return kSuccess;
}

} // namespace zorvek::cli
