// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"
#include "core/image/UndoHistory.h"

#include <QString>

#include <optional>
#include <vector>

namespace zorvek {

class RomImage;

// A step's way back, kept on disk beside the image while the step is being
// written, so that a step cut off by a crash can be taken back when the
// image is next opened. One file per image: "<image file name>-journal".
namespace rollback {

// Beside the file the path leads to, so that every way of naming the image finds it.
QString journalPath(const QString& imagePath);

// Writes the changes' journal, complete and on disk (folder entry included)
// before it returns. Never replaces a journal already there.
IoResult write(const QString& imagePath, qint64 imageSize, const std::vector<ByteChange>& changes);

// Removes the journal once the step's writes are on disk. Only ever
// unlinks the name: a journal already gone is no failure.
IoResult remove(const QString& imagePath);

struct Contents {
    QString imageName;
    qint64 imageSize = 0;
    std::vector<ByteChange> changes;
};
// A journal's header, with the length of the whole, is on disk before its
// body is written, and the body before the image is touched: a file shorter
// than its header says was cut off before the image was; one of the length
// it says that does not read back is damaged, and the image may hold part
// of its step.
struct Parsed {
    enum class Form { Whole, Torn, Damaged };
    Form form = Form::Damaged;
    Contents contents; // when Whole: every change lies inside contents.imageSize
};
QByteArray encode(const QString& imageName, qint64 imageSize, const std::vector<ByteChange>& changes);
Parsed decode(const QByteArray& bytes);

// Whether image holds, at every byte the step touches, that byte from
// before or after one of its writes: the step cut off, and nobody else's.
bool holdsOnlyTheStep(const Contents& journal, const QByteArray& image);

struct Recovery {
    enum class State {
        None,        // no journal
        TornRemoved, // cut off before any write to the image: removed
        TakenBack,   // the image holds what it held before the step again
        Changed,     // another program changed the image since: both left alone
        Refused,     // not a journal to act on (see reason): both left alone
        Failed,      // reading or writing failed: see reason
        Busy,        // another program is writing the image: nothing looked at, see reason
    };
    State state = State::None;
    QString journal;
    QString reason; // for Refused: what the file at the journal's name is; for Failed: the system's reason
};

// Takes back the step a journal beside rom's file describes, when it fits,
// holding the file's lock alone; it waits for another program's step.
// Called right after opening: the file as it stands then is the one opened.
Recovery recover(RomImage& rom);

// The same for bytes in memory read from imagePath, which stays untouched.
// The caller holds the file's lock, shared, from its read through this.
Recovery recoverCopy(const QString& imagePath, QByteArray& image);

} // namespace rollback
} // namespace zorvek
