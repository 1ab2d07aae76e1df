// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "cli/CommandTable.h"
#include "core/program/AppInfo.h"
#include "core/header/EditorStamp.h"
#include "core/image/SystemError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <set>

namespace zorvek::cli {

namespace {

// Options every Qt program takes; some take the next argument as value.
const std::set<QString> kQtValueOptions = {"platform",        "platformpluginpath",
                                           "platformtheme",   "plugin",
                                           "qwindowgeometry", "geometry",
                                           "qwindowicon",     "icon",
                                           "qwindowtitle",    "title",
                                           "display",         "name",
                                           "style",           "stylesheet",
                                           "session",         "visual"};
const std::set<QString> kQtFlagOptions = {"reverse",     "nograb",      "dograb",       "sync",
                                          "widgetcount", "testability", "qmljsdebugger"};

// How many arguments a Qt option at arguments[i] takes up; 0 when it is none.
int qtOptionLength(const QStringList& arguments, qsizetype i)
{
    QString name = arguments[i];
    if (!name.startsWith(QLatin1Char('-')))
        return 0;
    // Qt takes "--style" for "-style", and "-style=fusion" in one.
    name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return kQtValueOptions.count(name.left(equals)) || kQtFlagOptions.count(name.left(equals)) ? 1 : 0;
    if (kQtFlagOptions.count(name))
        return 1;
    if (kQtValueOptions.count(name))
        return i + 1 < arguments.size() ? 2 : 1;
    return 0;
}

// What --help says after the commands' own paragraphs.
const char kAfterCommands[] =
    "\n"
    "Before its first write to an image, import and fix-checksum copy it beside\n"
    "itself as <file name>.<yyyyMMdd-HHmmss>.bak, as the editor's \"Back Up Before\n"
    "First Save\" option does (on unless turned off in the editor). Import also\n"
    "writes the checksum words when \"Fix Checksum on Every Save\" is on.\n"
    "\n"
    "Without a command, zorvek-multi-editor opens the editor window; given the\n"
    "name of an image file instead of a command (./info for a file named like\n"
    "one), it opens with that image loaded.\n"
    "\n"
    "Exit codes:\n"
    "  0  success (also when there was nothing to change)\n"
    "  1  usage error\n"
    "  2  an image cannot be opened or read, is too short, or is not this game's image\n"
    "     (or, for add-header and remove-header, not one with or without a header)\n"
    "  3  a table or patch cannot be read or is refused; nothing was written\n"
    "  4  writing the image, its backup, a table, the patch, the copy or standard\n"
    "     output failed, or an output is not a regular file";

bool isCommandName(const QString& word) { return findCommand(word) != nullptr; }

void write(QIODevice& device, const QString& text) { device.write(text.toUtf8()); }

int output(Console& console, const QString& text)
{
    return writeOutput(console, text.toUtf8()) ? kSuccess : kWriteFailed;
}

} // namespace

bool writeOutput(Console& console, const QByteArray& data)
{
    errno = 0;
    if (console.out.write(data) == data.size())
        return true;
    const QString reason = failureReason(console.out, errno);
    write(console.err, QStringLiteral("Cannot write to standard output: %1\n").arg(reason));
    return false;
}

QStringList withoutQtOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size();) {
        const int length = i == 0 ? 0 : qtOptionLength(arguments, i);
        if (length == 0)
            kept.append(arguments[i++]);
        else
            i += length;
    }
    return kept;
}

Launch decideLaunch(const QStringList& arguments)
{
    const QStringList kept = withoutQtOptions(arguments);
    if (kept.size() <= 1)
        return {Launch::Window, {}};
    const QString& first = kept[1];
    // A command keeps its meaning even beside a file of its name; "./info" names the file.
    if (kept.size() == 2 && !isCommandName(first) && !first.startsWith(QLatin1Char('-')) && QFileInfo(first).isFile())
        return {Launch::WindowWithImage, first};
    return {Launch::Command, {}};
}

Launch decideLaunch(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return decideLaunch(arguments);
}

int execute(const QStringList& arguments, Console& console, const QDateTime& now)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the monster and character records of a ROM image in place.\n\n") + commandsHelp()
        + QString::fromLatin1(kAfterCommands));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption monsters(QStringLiteral("monsters"), QStringLiteral("The monster table."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption characters(QStringLiteral("characters"), QStringLiteral("The character table."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral(
                                        "Import, apply-patch: list the records and fields that would change, "
                                        "as stored before and after, and whether the checksum "
                                        "words would be written; write nothing."));
    const QCommandLineOption noBackup(QStringLiteral("no-backup"),
                                      QStringLiteral(
                                          "Import, fix-checksum, apply-patch: no backup copy of the image this time."));
    const QCommandLineOption fixChecksum(QStringLiteral("fix-checksum"),
                                         QStringLiteral(
                                             "Import, apply-patch: also write the checksum words this time."));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("make-patch: ips or bps."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("add-header: the copier header, smc (the default), swc or fig."),
                                  QStringLiteral("TYPE"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("add-header, remove-header: replace an existing OUT."));
    const QCommandLineOption outputFile(QStringLiteral("output"),
                                        QStringLiteral("apply-patch: write the patched image to OUT, not in place."),
                                        QStringLiteral("OUT"));
    parser.addOptions({monsters, characters, dryRun, noBackup, fixChecksum, format, type, force, outputFile});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 commandNames() + QStringLiteral("; or an image file to open in the editor."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The command's files."));

    if (!parser.parse(withoutQtOptions(arguments)))
        return usageError(console, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return output(console, parser.helpText());
    if (parser.isSet(version))
        return output(console,
                      QStringLiteral("%1 %2\n"
                                     "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                     "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                     "This is free software: you are free to change and redistribute it.\n"
                                     "There is NO WARRANTY, to the extent permitted by law.\n")
                          .arg(QLatin1String(kAppTitle), stamp::versionText()));

    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    if (command.isEmpty())
        return usageError(console, QStringLiteral("Name a command: %1.").arg(commandNames()));
    const Command* found = findCommand(command);
    if (!found) {
        const QString problem = QStringLiteral("Unknown command \"%1\".").arg(command);
        // Only the headless executable gets here with an image: the editor's opens it.
        if (words.size() == 1 && QFileInfo(command).isFile())
            return usageError(
                console,
                problem + QStringLiteral(" To open the image in the editor: zorvek-multi-editor %1").arg(command));
        if (words.size() == 1)
            return usageError(console, problem + QStringLiteral(" There is no file of that name to open either."));
        return usageError(console, problem);
    }
    const bool moreOperands = found->repeatsLastOperand() && words.size() > found->operands().size() + 1;
    if (words.size() != found->operands().size() + 1 && !moreOperands)
        return usageError(console,
                          QStringLiteral("%1 takes %2.").arg(command, found->operands().join(QLatin1Char(' '))));
    for (const QString& option : parser.optionNames())
        if (!found->options().contains(option))
            return usageError(console, QStringLiteral("%1 takes no --%2.").arg(command, option));
    return found->run({words.mid(1), parser, console, now});
}

int run(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The window's names: the options it keeps apply here too.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QCoreApplication::setApplicationVersion(stamp::versionText());
    QFile in, out, err;
    in.open(0, QIODevice::ReadOnly);
    out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered);
    Console console{in, out, err};
    return execute(QCoreApplication::arguments(), console, QDateTime::currentDateTime());
}

} // namespace zorvek::cli
