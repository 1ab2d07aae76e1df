// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QStringList>

class QIODevice;

namespace zorvek::cli {

// Fixed, and listed in --help.
enum ExitCode : int {
    kSuccess = 0,
    kUsageError = 1,
    kImageRefused = 2, // the image cannot be opened or read, is too short, or is not this game's
    kTableRefused = 3, // a table cannot be read or is refused; nothing was written
    kWriteFailed = 4,  // writing the image, a file, a copy or standard output failed
};

struct Console {
    QIODevice& in;  // tables given as "-"
    QIODevice& out; // data
    QIODevice& err; // messages for people
};

// Data for standard output. False, with a message naming the system's
// reason, when it cannot take it all (a full disk, /dev/full): the command
// then ends with kWriteFailed.
bool writeOutput(Console& console, const QByteArray& data);

// What the arguments ask for. Nothing besides Qt's own options opens the
// window; one argument naming a file that is not a command opens the window
// with that image; anything else runs as a command line, without the window
// system (an unknown command is its usage error).
struct Launch {
    enum Kind { Window, WindowWithImage, Command } kind = Window;
    QString image;
};
Launch decideLaunch(const QStringList& arguments);
Launch decideLaunch(int argc, char** argv);

// Qt's own options (-platform xcb, -style=fusion, ...) taken out.
QStringList withoutQtOptions(const QStringList& arguments);

// Runs one command; arguments start with the program's name.
int execute(const QStringList& arguments, Console& console, const QDateTime& now);

// The command line as main() starts it: a core application and the
// process's standard streams.
int run(int argc, char** argv);

} // namespace zorvek::cli
