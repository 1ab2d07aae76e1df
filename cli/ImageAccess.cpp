// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ImageAccess.h"

#include "cli/CommandSupport.h"
#include "core/header/CopierHeader.h"
#include "core/image/FileLock.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/RollbackJournal.h"
#include "core/text/VisibleText.h"

#include <QDir>
#include <QFile>

namespace zorvek::cli {

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
        say(console,
            QStringLiteral("%1 holds part of a step cut off by a crash: it is read as it was before that "
                           "step. Its rollback journal %2 puts the file back the next time the image is "
                           "opened to be written.")
                .arg(shown(path), shown(found.journal)));
    else if (found.state == State::Changed)
        say(console,
            QStringLiteral("%1 has the rollback journal %2 of a step cut off by a crash, but another "
                           "program changed the image since: it is read as it is.")
                .arg(shown(path), shown(found.journal)));
    else if (found.state == State::Refused)
        say(console,
            QStringLiteral("%1 was left alone as no rollback journal of %2: %3. The image is read as it is.")
                .arg(shown(found.journal), shown(path), found.reason));
    else if (found.state == State::Failed)
        say(console,
            QStringLiteral("The rollback journal %1 could not be read: %2").arg(shown(found.journal), found.reason));
}

} // namespace

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

IoResult readCopy(const QString& path, RomImage& rom, Console& console)
{
    QByteArray bytes;
    if (IoResult r = readWhole(path, bytes, console); !r.ok())
        return r;
    rom.openCopy(bytes, RomImage::CopyAccess::ReadOnly);
    return IoResult::success();
}

bool takeBackInFile(RomImage& rom, const QString& path, Console& console, int* exitCode)
{
    const rollback::Recovery found = rollback::recover(rom);
    using State = rollback::Recovery::State;
    switch (found.state) {
    case State::None:
        return true;
    case State::TornRemoved:
        say(console,
            QStringLiteral("Removed the rollback journal %1 of a step cut off before it wrote to %2.")
                .arg(shown(found.journal), shown(path)));
        return true;
    case State::TakenBack:
        say(console,
            QStringLiteral("%1 held part of a step cut off by a crash: its rollback journal %2 put back "
                           "the bytes from before that step.")
                .arg(shown(path), shown(found.journal)));
        return true;
    case State::Changed:
        say(console,
            QStringLiteral("%1 has the rollback journal %2 of a step cut off by a crash, but another "
                           "program changed the image since: both were left as they are, and nothing "
                           "was written. Move the journal away to write to the image.")
                .arg(shown(path), shown(found.journal)));
        *exitCode = kImageRefused;
        return false;
    case State::Refused:
        say(console,
            QStringLiteral("%1 was left alone as no rollback journal of %2: %3. Image and journal were "
                           "left as they are, and nothing was written. Move it away to write to the image.")
                .arg(shown(found.journal), shown(path), found.reason));
        *exitCode = kImageRefused;
        return false;
    case State::Failed:
        say(console,
            QStringLiteral("Taking back the step cut off by a crash in %1 with its rollback journal %2 "
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

QString wrongGameText(const QString& name)
{
    return QStringLiteral("%1 is not this game's image: its check word is wrong.").arg(name);
}

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
        say(console,
            QStringLiteral("%1 has no copier header: this game's ROM data starts at its first byte, and "
                           "the editor needs the 512-byte header in front of it.\nMake a copy with one: "
                           "zorvek-multi-editor add-header %1 COPY.smc")
                .arg(path));
    else
        say(console, wrongGameText(path));
    return false;
}

} // namespace zorvek::cli
