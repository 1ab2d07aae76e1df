// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/ImageWriteSession.h"

#include <QCommandLineParser>

namespace zorvek::cli {

// One run of a command, its words already checked against its shape.
struct Invocation {
    QStringList operands;             // the words after the command's name
    const QCommandLineParser& parser; // only options the command takes are set
    Console& console;
    QDateTime now;

    bool isSet(const char* option) const { return parser.isSet(QLatin1String(option)); }
    QString value(const char* option) const { return parser.value(QLatin1String(option)); }
    // The editor's settings as --no-backup and --fix-checksum change them for
    // this run; read only by the commands that write.
    WriteOptions writeOptions() const;
};

// A command of the command line: its shape, its paragraph of --help, and
// what it does. A new one is a file under commands/ and a line in the table.
class Command {
public:
    Command(const char* name, QStringList operands, QStringList options, const char* help)
        : m_name(name), m_operands(std::move(operands)), m_options(std::move(options)), m_help(help)
    { }
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    QString name() const { return QLatin1String(m_name); }
    const QStringList& operands() const { return m_operands; }
    const QStringList& options() const { return m_options; }
    // Its lines under "Commands:" in --help, each ending in a line end.
    QString help() const { return QString::fromLatin1(m_help); }
    // The last operand may be given more than once.
    virtual bool repeatsLastOperand() const { return false; }

    virtual int run(const Invocation& call) const = 0;

private:
    const char* m_name;
    QStringList m_operands;
    QStringList m_options;
    const char* m_help;
};

// A problem with the words given: said with a pointer to --help.
int usageError(Console& console, const QString& problem);

} // namespace zorvek::cli
