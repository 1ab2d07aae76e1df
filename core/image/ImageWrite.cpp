// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageWrite.h"

#include "core/image/RollbackJournal.h"

#include <QDir>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zorvek {

namespace {

// Unchanged bytes between two changes shorter than this are written again
// with their own values rather than splitting the write: each write costs
// several system calls (identity check, the journal's read, seek, write).
constexpr qsizetype kJoinGap = 64;
// Equal blocks of this size are skipped with one comparison.
constexpr qsizetype kBlock = 256;

struct ByteRun {
    qint64 offset;
    QByteArray bytes;
};

std::vector<ByteRun> changedRuns(const QByteArray& before, const QByteArray& after)
{
    std::vector<ByteRun> runs;
    const qsizetype n = std::min(before.size(), after.size());
    const char* a = before.constData();
    const char* b = after.constData();
    qsizetype i = 0;
    while (i < n) {
        if (i + kBlock <= n && std::memcmp(a + i, b + i, kBlock) == 0) {
            i += kBlock;
            continue;
        }
        if (a[i] == b[i]) {
            ++i;
            continue;
        }
        qsizetype last = i;
        for (qsizetype j = i + 1; j < n && j - last <= kJoinGap; ++j)
            if (a[j] != b[j])
                last = j;
        runs.push_back({i, after.mid(i, last + 1 - i)});
        i = last + 1;
    }
    return runs;
}

} // namespace

QString stepLeftText(const CommandOutcome& outcome, const QString& imagePath)
{
    if (outcome.takenBack)
        return QStringLiteral("The writes already made were taken back: the image is as it was.");
    if (!outcome.partlyWritten)
        return {};
    if (!outcome.takeBackResult.error.isEmpty())
        return QStringLiteral(
                   "Taking back the writes already made failed too (%1): the image may hold part of the "
                   "changes.")
            .arg(outcome.takeBackResult.error);
    return QStringLiteral(
               "Taking back the writes already made failed too: the image may hold part of the changes "
               "until it is opened again, when its rollback journal \"%1\" takes them back.")
        .arg(QDir::toNativeSeparators(rollback::journalPath(imagePath)));
}

CommandOutcome commitThroughCopy(ImageWriteSession& session, const QByteArray& imageBytes, const QString& command,
                                 const std::function<IoResult(RomImage& copy)>& writes)
{
    RomImage copy;
    copy.openCopy(imageBytes, RomImage::CopyAccess::Scratch);
    if (IoResult r = writes(copy); !r.ok())
        return CommandOutcome::of(r);
    const std::vector<ByteRun> runs = changedRuns(imageBytes, copy.readBytes(0, copy.size()));
    RomImage& rom = session.rom();
    return session.run(command, CommandKind::Save, [&] {
        for (const ByteRun& run : runs)
            if (IoResult r = rom.writeBytes(run.offset, run.bytes); !r.ok())
                return r;
        return IoResult::success();
    });
}

} // namespace zorvek
