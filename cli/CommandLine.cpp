#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "main/AppInfo.h"
#include "main/EditorStamp.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

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
    "  info IMAGE              Size, copier type, internal name and check word.\n"
    "  export IMAGE [--monsters FILE] [--characters FILE]\n"
    "                          Writes the 256 monsters and the 4 characters as\n"
    "                          tab-separated tables (FILE - is standard output).\n"
    "  import IMAGE [--monsters FILE] [--characters FILE] [--dry-run]\n"
    "                          Writes the records that differ in the tables back\n"
    "                          into the image (FILE - is standard input). Every\n"
    "                          cell is checked first: one bad cell and nothing is\n"
    "                          written.\n"
    "\n"
    "Without a command the editor window opens.\n"
    "\n"
    "Exit codes:\n"
    "  0  success (also when there was nothing to change)\n"
    "  1  usage error\n"
    "  2  the image cannot be opened or read, is too short, or is not this game's image\n"
    "  3  a table cannot be read or is refused; nothing was written\n"
    "  4  writing the image or an exported table failed";

void write(QIODevice& device, const QString& text) { device.write(text.toUtf8()); }

int usageError(Console& console, const QString& problem)
{
    write(console.err, problem + QStringLiteral("\nTry --help.\n"));
    return kUsageError;
}

} // namespace

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

bool wantsCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return withoutQtOptions(arguments).size() > 1;
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
                                    QStringLiteral("Import: list the records and fields that would change, "
                                                   "and write nothing."));
    parser.addOptions({monsters, characters, dryRun});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("info, export or import."));
    parser.addPositionalArgument(QStringLiteral("image"), QStringLiteral("The ROM image file."));

    if (!parser.parse(withoutQtOptions(arguments)))
        return usageError(console, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        write(console.out, parser.helpText());
        return kSuccess;
    }
    if (parser.isSet(version)) {
        write(console.out, QStringLiteral("%1 %2\n").arg(QLatin1String(kAppTitle), stamp::versionText()));
        return kSuccess;
    }

    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    const QSet<QString> known = {QStringLiteral("info"), QStringLiteral("export"), QStringLiteral("import")};
    if (!known.contains(command))
        return usageError(console, QStringLiteral("Unknown command \"%1\".").arg(command));
    if (words.size() != 2)
        return usageError(console, QStringLiteral("%1 takes one image file.").arg(command));
    const QString image = words[1];
    const TablePaths tables{parser.value(monsters), parser.value(characters)};
    const bool tablesGiven = !tables.monsters.isEmpty() || !tables.characters.isEmpty();

    if (command == QLatin1String("info")) {
        if (tablesGiven || parser.isSet(dryRun))
            return usageError(console, QStringLiteral("info takes no options."));
        return infoCommand(image, console);
    }
    if (!tablesGiven)
        return usageError(console, QStringLiteral("%1 needs --monsters FILE, --characters FILE or both.").arg(command));
    if (tables.monsters == tables.characters)
        return usageError(console, QStringLiteral("The two tables need two different files."));
    if (command == QLatin1String("export")) {
        if (parser.isSet(dryRun))
            return usageError(console, QStringLiteral("--dry-run is an option of import."));
        return exportCommand(image, tables, console);
    }
    return importCommand(image, tables, parser.isSet(dryRun), console, now);
}

int run(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
