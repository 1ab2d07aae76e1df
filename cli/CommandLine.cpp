// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include "cli/ApplyPatchCommand.h"
#include "cli/Commands.h"
#include "cli/HeaderCommands.h"
#include "cli/PlayCopyCommand.h"
#include "core/program/AppInfo.h"
#include "core/program/AppSettings.h"
#include "core/header/EditorStamp.h"
#include "core/image/SystemError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <set>

namespace zorvek::cli {

namespace {

// Options every Qt program takes; some take the next argument as value.
const std::set<QString> kQtValueOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowicon", "icon", "qwindowtitle", "title", "display", "name", "style", "stylesheet",
    "session", "visual"};
const std::set<QString> kQtFlagOptions = {"reverse", "nograb", "dograb", "sync", "widgetcount",
                                          "testability", "qmljsdebugger"};

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

const char kCommands[] =
    "Commands:\n"
    "  info IMAGE              Size, copier type, internal name, check word and\n"
    "                          checksum state.\n"
    "  export IMAGE [--monsters FILE] [--characters FILE]\n"
    "                          Writes the 256 monsters and the 4 characters as\n"
    "                          tab-separated tables (FILE - is standard output).\n"
    "                          A FILE that is the image is refused.\n"
    "  import IMAGE [--monsters FILE] [--characters FILE] [OPTION...]\n"
    "                          Writes the records that differ in the tables back\n"
    "                          into the image (FILE - is standard input). Every\n"
    "                          cell is checked first: one bad cell and nothing is\n"
    "                          written. A write that fails part way is taken back.\n"
    "                          Options: --dry-run, --no-backup, --fix-checksum.\n"
    "  fix-checksum IMAGE [--no-backup]\n"
    "                          Writes the checksum words for the ROM data; nothing\n"
    "                          when they are already valid.\n"
    "  make-patch ORIGINAL IMAGE PATCH [--format ips|bps]\n"
    "                          Writes a patch from the unmodified ORIGINAL to\n"
    "                          IMAGE, in the format --format or PATCH's extension\n"
    "                          names. Neither image is written. IMAGE and\n"
    "                          ORIGINAL may be with or without a copier header.\n"
    "  apply-patch IMAGE PATCH... [OPTION...]\n"
    "                          Applies IPS, BPS and UPS patches, in the order\n"
    "                          given, to the ROM data as one step. A patch for\n"
    "                          another version of the image, or one that changes\n"
    "                          its size, is refused. Options: --dry-run (prints\n"
    "                          what would change), --no-backup, --fix-checksum,\n"
    "                          --output OUT (writes the result to OUT instead).\n"
    "  add-header IMAGE OUT [--type smc|swc|fig] [--force]\n"
    "                          Writes a copy of a headerless image (.sfc) with a\n"
    "                          copier header in front (Super MagiCom unless\n"
    "                          --type says otherwise), as the editor opens it.\n"
    "  remove-header IMAGE OUT [--force]\n"
    "                          Writes the ROM data of IMAGE without its copier\n"
    "                          header, for emulators and patch tools.\n"
    "                          Neither command writes over IMAGE, nor over an\n"
    "                          existing OUT unless --force is given.\n"
    "  play-copy IMAGE OUT     Writes what the editor's Play gives an emulator:\n"
    "                          the ROM data without the copier header, with valid\n"
    "                          checksum words. OUT is replaced; IMAGE is only read.\n"
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

// The operands and options of each command.
struct CommandShape {
    const char* name;
    QStringList operands;
    QStringList options;
};

const CommandShape kShapes[] = {
    {"info", {QStringLiteral("IMAGE")}, {}},
    {"export", {QStringLiteral("IMAGE")}, {QStringLiteral("monsters"), QStringLiteral("characters")}},
    {"import",
     {QStringLiteral("IMAGE")},
     {QStringLiteral("monsters"), QStringLiteral("characters"), QStringLiteral("dry-run"), QStringLiteral("no-backup"),
      QStringLiteral("fix-checksum")}},
    {"fix-checksum", {QStringLiteral("IMAGE")}, {QStringLiteral("no-backup")}},
    {"make-patch", {QStringLiteral("ORIGINAL"), QStringLiteral("IMAGE"), QStringLiteral("PATCH")},
     {QStringLiteral("format")}},
    {"apply-patch", {QStringLiteral("IMAGE"), QStringLiteral("PATCH")},
     {QStringLiteral("dry-run"), QStringLiteral("no-backup"), QStringLiteral("fix-checksum"), QStringLiteral("output")}},
    {"add-header", {QStringLiteral("IMAGE"), QStringLiteral("OUT")}, {QStringLiteral("type"), QStringLiteral("force")}},
    {"remove-header", {QStringLiteral("IMAGE"), QStringLiteral("OUT")}, {QStringLiteral("force")}},
    {"play-copy", {QStringLiteral("IMAGE"), QStringLiteral("OUT")}, {}},
};

bool isCommandName(const QString& word)
{
    return std::any_of(std::begin(kShapes), std::end(kShapes),
                       [&](const CommandShape& s) { return word == QLatin1String(s.name); });
}

void write(QIODevice& device, const QString& text) { device.write(text.toUtf8()); }

int output(Console& console, const QString& text)
{
    return writeOutput(console, text.toUtf8()) ? kSuccess : kWriteFailed;
}

int usageError(Console& console, const QString& problem)
{
    write(console.err, problem + QStringLiteral("\nTry --help.\n"));
    return kUsageError;
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
    if (kept.size() == 2 && !isCommandName(first) && !first.startsWith(QLatin1Char('-')) &&
        QFileInfo(first).isFile())
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
        QStringLiteral("Edits the monster and character records of a ROM image in place.\n\n") +
        QString::fromLatin1(kCommands));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption monsters(QStringLiteral("monsters"), QStringLiteral("The monster table."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption characters(QStringLiteral("characters"), QStringLiteral("The character table."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("Import, apply-patch: list the records and fields that would change, "
                                                   "as stored before and after, and whether the checksum "
                                                   "words would be written; write nothing."));
    const QCommandLineOption noBackup(QStringLiteral("no-backup"),
                                      QStringLiteral("Import, fix-checksum, apply-patch: no backup copy of the image this time."));
    const QCommandLineOption fixChecksum(QStringLiteral("fix-checksum"),
                                         QStringLiteral("Import, apply-patch: also write the checksum words this time."));
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
                                 QStringLiteral("info, export, import, fix-checksum, make-patch, apply-patch, "
                                                "add-header, remove-header or play-copy; or an image file to open in the editor."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The command's files."));

    if (!parser.parse(withoutQtOptions(arguments)))
        return usageError(console, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return output(console, parser.helpText());
    if (parser.isSet(version))
        return output(console, QStringLiteral("%1 %2\n"
                                              "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                              "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                              "This is free software: you are free to change and redistribute it.\n"
                                              "There is NO WARRANTY, to the extent permitted by law.\n")
                                   .arg(QLatin1String(kAppTitle), stamp::versionText()));

    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    if (command.isEmpty())
        return usageError(console, QStringLiteral("Name a command: info, export, import, fix-checksum, make-patch, "
                                                  "apply-patch, add-header, remove-header or play-copy."));
    const auto shape = std::find_if(std::begin(kShapes), std::end(kShapes),
                                    [&](const CommandShape& s) { return command == QLatin1String(s.name); });
    if (shape == std::end(kShapes)) {
        const QString problem = QStringLiteral("Unknown command \"%1\".").arg(command);
        // Only the headless executable gets here with an image: the editor's opens it.
        if (words.size() == 1 && QFileInfo(command).isFile())
            return usageError(console, problem + QStringLiteral(" To open the image in the editor: zorvek-multi-editor %1")
                                                     .arg(command));
        if (words.size() == 1)
            return usageError(console, problem + QStringLiteral(" There is no file of that name to open either."));
        return usageError(console, problem);
    }
    const bool morePatches = command == QLatin1String("apply-patch") && words.size() > shape->operands.size() + 1;
    if (words.size() != shape->operands.size() + 1 && !morePatches)
        return usageError(console, QStringLiteral("%1 takes %2.").arg(command, shape->operands.join(QLatin1Char(' '))));
    for (const QString& option : parser.optionNames())
        if (!shape->options.contains(option))
            return usageError(console, QStringLiteral("%1 takes no --%2.").arg(command, option));
    const QString image = words[1];

    const auto writeOptions = [&] {
        const AppSettings settings;
        return WriteOptions{!parser.isSet(noBackup) && settings.backUpBeforeFirstSave(),
                            parser.isSet(fixChecksum) || settings.fixChecksumOnSave()};
    };
    if (command == QLatin1String("info"))
        return infoCommand(image, console);
    if (command == QLatin1String("fix-checksum"))
        return fixChecksumCommand(image, writeOptions(), console, now);
    if (command == QLatin1String("make-patch")) {
        std::optional<patches::PatchFormat> chosen;
        if (parser.isSet(format)) {
            const QString name = parser.value(format).toLower();
            if (name != QLatin1String("ips") && name != QLatin1String("bps"))
                return usageError(console, QStringLiteral("--format takes ips or bps."));
            chosen = name == QLatin1String("bps") ? patches::PatchFormat::Bps : patches::PatchFormat::Ips;
        }
        return makePatchCommand(words[1], words[2], words[3], chosen, console);
    }
    if (command == QLatin1String("apply-patch"))
        return applyPatchCommand({image, words.mid(2), parser.isSet(dryRun), parser.value(outputFile)}, writeOptions(),
                                 console, now);
    if (command == QLatin1String("add-header")) {
        const QString name = parser.isSet(type) ? parser.value(type).toLower() : QStringLiteral("smc");
        const std::pair<const char*, CopierType> types[] = {{"smc", CopierType::SuperMagicom},
                                                            {"swc", CopierType::SuperWildCard},
                                                            {"fig", CopierType::ProFighter}};
        const auto chosen = std::find_if(std::begin(types), std::end(types),
                                         [&](const auto& t) { return name == QLatin1String(t.first); });
        if (chosen == std::end(types))
            return usageError(console, QStringLiteral("--type takes smc, swc or fig."));
        return addHeaderCommand(words[1], words[2], chosen->second, parser.isSet(force), console);
    }
    if (command == QLatin1String("remove-header"))
        return removeHeaderCommand(words[1], words[2], parser.isSet(force), console);
    if (command == QLatin1String("play-copy"))
        return playCopyCommand(words[1], words[2], console);

    const TablePaths tables{parser.value(monsters), parser.value(characters)};
    if (tables.monsters.isEmpty() && tables.characters.isEmpty())
        return usageError(console, QStringLiteral("%1 needs --monsters FILE, --characters FILE or both.").arg(command));
    if (tables.monsters == tables.characters)
        return usageError(console, QStringLiteral("The two tables need two different files."));
    if (command == QLatin1String("export"))
        return exportCommand(image, tables, console);
    // A dry run reads the settings too: it tells whether the checksum words would be written.
    return importCommand(image, tables, parser.isSet(dryRun), writeOptions(), console, now);
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
