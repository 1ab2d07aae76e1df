// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"
#include "support/CommandRun.h"
#include "patches/PatchApply.h"
#include "support/ExpectedPlayCopy.h"
#include "fixtures/RomFixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace zorvek;
using namespace zorvek::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// This game's ROM data as a headerless dump holds it: 64 banks of 32 KiB,
// random bytes behind the check word.
const QByteArray kBare = RomFixture(RomFixture::kFullSize).fillRandom(15).checkWord(0x1878).bytes().mid(0x200);

// The first twelve bytes of each copier header, written out by hand; the
// rest of the 512 bytes are zeros.
QByteArray header(const char* firstTwelve) { return QByteArray::fromHex(firstTwelve) + QByteArray(500, '\0'); }

using HeadersAndSpreadsheetsTest = CommandTest;

TEST_F(HeadersAndSpreadsheetsTest, AddHeaderAndRemoveHeaderWriteEveryByteAndOpenAsTheEditorDoes)
{
    const QString bare = file(u"game.sfc"_s, kBare);
    const std::pair<QStringList, QByteArray> types[] = {
        {{}, header("0001000000000000AABB0400")},
        {{u"--type"_s, u"SWC"_s}, header("8000040000000000AABB0400")},
        {{u"--type"_s, u"fig"_s}, header("800000007783000000000000")},
    };
    for (const auto& [option, expected] : types) {
        const QString copy = dir.filePath(u"copy.smc"_s);
        QFile::remove(copy);
        const CommandResult r = run(QStringList{u"add-header"_s, bare, copy} + option);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(readFile(copy), expected + kBare);
        EXPECT_EQ(run({u"info"_s, copy}).code, 0);
    }
    EXPECT_EQ(readFile(bare), kBare);

    const QString back = dir.filePath(u"back.sfc"_s);
    EXPECT_EQ(run({u"remove-header"_s, dir.filePath(u"copy.smc"_s), back}).code, 0);
    EXPECT_EQ(readFile(back), kBare);
    EXPECT_EQ(run({u"add-header"_s, bare, back, u"--type"_s, u"n64"_s}).code, 1);
}

TEST_F(HeadersAndSpreadsheetsTest, NeitherCommandWritesOverItsInputAnExistingFileOrAnythingButAFile)
{
    const QString bare = file(u"game.sfc"_s, kBare);
    const QString headered = file(u"game.smc"_s, header("0001000000000000AABB0400") + kBare);
    const QString existing = file(u"kept.smc"_s, "keep me");
    ASSERT_TRUE(QFile::link(bare, dir.filePath(u"link.smc"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
    const QString add = u"add-header"_s, remove = u"remove-header"_s, force = u"--force"_s;
    const std::tuple<QStringList, int, QString> refusals[] = {
        {{add, bare, existing}, 1, u"already exists"_s},
        {{add, bare, bare, force}, 1, u"image being copied"_s},
        {{add, bare, dir.filePath(u"link.smc"_s), force}, 1, u"image being copied"_s},
        {{remove, headered, headered, force}, 1, u"image being copied"_s},
        {{add, bare, dir.filePath(u"folder"_s), force}, 4, u"not a regular file"_s},
        {{add, bare, dir.filePath(u"no folder/x.smc"_s)}, 4, u"could not be written"_s},
        {{add, headered, dir.filePath(u"a.smc"_s)}, 2, u"already has a copier header"_s},
        {{add, file(u"other.sfc"_s, QByteArray(kBare).replace(0, 1, "\x79")), dir.filePath(u"a.smc"_s)},
         2,
         u"not this game's ROM data"_s},
        {{add, file(u"cut.sfc"_s, kBare.left(0x8001)), dir.filePath(u"a.smc"_s)}, 2, u"32769 bytes"_s},
        {{remove, bare, dir.filePath(u"a.sfc"_s)}, 2, u"no copier header to remove"_s},
    };
    for (const auto& [arguments, code, said] : refusals) {
        const CommandResult r = run(arguments);
        EXPECT_TRUE(r.code == code && r.err.contains(said)) << arguments.join(' ').toStdString() << "\n"
                                                            << r.err.toStdString();
    }
#ifdef Q_OS_UNIX
    // A rename would put a file where the pipe was.
    const QString pipe = dir.filePath(u"pipe"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(run({add, bare, pipe, force}).code, 4);
    EXPECT_FALSE(QFileInfo(pipe).isFile());
#endif
    EXPECT_EQ(readFile(bare) + readFile(headered) + readFile(existing),
              kBare + header("0001000000000000AABB0400") + kBare + "keep me");
    EXPECT_FALSE(QFile::exists(dir.filePath(u"a.smc"_s)) || QFile::exists(dir.filePath(u"a.sfc"_s)));
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    left.removeAll(u"pipe"_s);
    EXPECT_EQ(left.join(' '), u"cut.sfc game.sfc game.smc kept.smc link.smc other.sfc"_s); // no temporary files

    EXPECT_EQ(run({add, bare, existing, force}).code, 0);
    EXPECT_EQ(readFile(existing), header("0001000000000000AABB0400") + kBare);

    // A link to no file is a name taken too; replaced with --force, never written through.
    const QString dangling = dir.filePath(u"dangling.sfc"_s), nowhere = dir.filePath(u"nowhere.sfc"_s);
    ASSERT_TRUE(QFile::link(nowhere, dangling));
    EXPECT_EQ(run({remove, headered, dangling}).code, 1);
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(run({remove, headered, dangling, force}).code, 0);
    EXPECT_FALSE(QFile::exists(nowhere) || QFileInfo(dangling).isSymLink());
    EXPECT_EQ(readFile(dangling), kBare);
}

TEST_F(HeadersAndSpreadsheetsTest, AHeaderlessImageIsNamedSoAndMakePatchTakesItAsImage)
{
    const QByteArray headered = header("0001000000000000AABB0400") + kBare;
    const QString bare = file(u"game.sfc"_s, kBare);
    const QString original = file(u"original.smc"_s, headered);
    QByteArray editedBare = kBare;
    editedBare.replace(0x100008, 2, "\x34\x12");
    const QString hack = file(u"hack.sfc"_s, editedBare);
    const QString hackHeadered = file(u"hack.smc"_s, header("0001000000000000AABB0400") + editedBare);

    for (const QStringList& arguments : {QStringList{u"export"_s, bare, u"--monsters"_s, u"-"_s},
                                         QStringList{u"import"_s, bare, u"--monsters"_s, u"-"_s},
                                         QStringList{u"fix-checksum"_s, bare}, QStringList{u"info"_s, bare}}) {
        const CommandResult r = run(arguments);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE((r.err + QString::fromUtf8(r.out)).contains(u"no copier header"_s)) << r.err.toStdString();
    }
    EXPECT_EQ(readFile(bare), kBare);

    const QString fromBare = dir.filePath(u"bare.ips"_s), fromHeadered = dir.filePath(u"headered.ips"_s);
    ASSERT_EQ(run({u"make-patch"_s, original, hack, fromBare}).code, 0);
    ASSERT_EQ(run({u"make-patch"_s, original, hackHeadered, fromHeadered}).code, 0);
    EXPECT_EQ(readFile(fromBare), readFile(fromHeadered));
    EXPECT_EQ(patches::applyPatches(kBare, {{{}, readFile(fromBare)}}).romData, editedBare);
    // Images that do not differ give a patch that says so.
    const CommandResult same = run({u"make-patch"_s, original, bare, dir.filePath(u"same.ips"_s)});
    EXPECT_TRUE(same.code == 0 && same.err.contains(u"do not differ"_s)) << same.err.toStdString();

    // info reads a headerless image's name and checksum where its ROM data holds them.
    const QByteArray named =
        RomFixture(kBare.size() + 0x200).bytesAt(0x200, kBare).internalName("KELVARNTHOSIA 5").bytes();
    const auto lines = [&](const QString& name, const QByteArray& bytes) {
        return QString::fromUtf8(run({u"info"_s, file(name, bytes)}).out).split(u'\n').mid(2);
    };
    const QStringList fromBareInfo = lines(u"named.sfc"_s, named.mid(0x200)),
                      fromHeaderedInfo = lines(u"named.smc"_s, named);
    EXPECT_EQ(fromBareInfo.value(0), u"Copier type: none: the image has no copier header"_s);
    EXPECT_EQ(fromBareInfo.value(1), u"Internal name: KELVARNTHOSIA 5"_s);
    EXPECT_EQ(fromBareInfo.value(3), fromHeaderedInfo.value(3)); // the checksum
}

TEST_F(HeadersAndSpreadsheetsTest, AFileInsteadOfACommandOpensTheWindow)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    file(u"info"_s, kBare);
    file(u"game.smc"_s, kBare);
    const auto decide = [](const QStringList& arguments) {
        return cli::decideLaunch(QStringList{u"zorvek-multi-editor"_s} + arguments);
    };
    using L = cli::Launch;
    EXPECT_EQ(decide({}).kind, L::Window);
    EXPECT_EQ(decide({u"-platform"_s, u"offscreen"_s, u"--style=fusion"_s, u"-reverse"_s}).kind, L::Window);
    EXPECT_EQ(decide({u"-platform"_s, u"offscreen"_s, u"game.smc"_s}).image, u"game.smc"_s);
    EXPECT_EQ(decide({u"./info"_s}).image, u"./info"_s);
    const QStringList commands[] = {{u"info"_s},       {u"info"_s, u"game.smc"_s},
                                    {u"--version"_s},  {u"game.smc"_s, u"info"_s},
                                    {u"absent.smc"_s}, {u"."_s}};
    for (const QStringList& arguments : commands)
        EXPECT_EQ(decide(arguments).kind, L::Command) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run({u"absent.smc"_s}).err.contains(u"no file of that name"_s));
    ASSERT_TRUE(QDir::setCurrent(previous));
}

// The bash completion is written by hand: it offers what the table holds.
TEST(CommandTableTest, TheBashCompletionOffersEveryCommandWithItsOptions)
{
    const QString script = QString::fromUtf8(readFile(QStringLiteral(ZORVEK_COMPLETION)));
    QStringList names;
    for (const auto& command : cli::commands()) {
        names.append(command->name());
        const QRegularExpression line(u"\\n *"_s + QRegularExpression::escape(command->name())
                                      + u"\\) options\\+=\" ([^\"]*)\""_s);
        QStringList options;
        for (const QString& option : command->options())
            options.append(u"--"_s + option);
        EXPECT_EQ(line.match(script).captured(1).toStdString(), options.join(u' ').toStdString());
    }
    EXPECT_EQ(QRegularExpression(u"local commands=\"([^\"]*)\""_s).match(script).captured(1).toStdString(),
              names.join(u' ').toStdString());
}

// The real executable given an image as a desktop entry gives it: the window
// opens it, which puts it first in Open Recent.
TEST_F(HeadersAndSpreadsheetsTest, TheExecutableOpensTheImageItIsGiven)
{
    const QString image = file(u"game.smc"_s, header("0001000000000000AABB0400") + kBare);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(ZORVEK_EXECUTABLE), {image});
    ASSERT_TRUE(editor.waitForStarted());
    const QString settings = dir.filePath(u"config/Quenmark-Soft/Zorvek Multi Editor.conf"_s);
    const bool opened =
        QTest::qWaitFor([&] { return readFile(settings).contains("RecentImages=" + image.toUtf8()); }, 60000);
    EXPECT_TRUE(opened) << readFile(settings).toStdString();
    EXPECT_EQ(editor.state(), QProcess::Running) << editor.readAllStandardError().toStdString();
    editor.kill();
    editor.waitForFinished();
}

TEST_F(HeadersAndSpreadsheetsTest, TheDemoImageHasAValidChecksum)
{
    const QString demo = dir.filePath(u"demo.smc"_s);
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZORVEK_DEMO_WRITER), {demo}), 0);
    EXPECT_TRUE(run({u"info"_s, demo}).out.contains("Checksum: valid ("));
}

// A table as spreadsheet programs write it by default: text cells in
// quotes, quotes inside doubled, \r\n line ends and an empty line at the end.
QByteArray spreadsheetForm(const QByteArray& table)
{
    QByteArray out;
    for (const QByteArray& line : table.split('\n')) {
        if (line.isEmpty())
            continue;
        QList<QByteArray> cells = line.split('\t');
        for (QByteArray& cell : cells) {
            bool number = false;
            cell.toInt(&number);
            if (!number)
                cell = '"' + QByteArray(cell).replace("\"", "\"\"") + '"';
        }
        out += cells.join('\t') + "\r\n";
    }
    return out + "\r\n";
}

TEST_F(HeadersAndSpreadsheetsTest, QuotedCellsImportAsThePlainTableDoes)
{
    const RomFixture rom = RomFixture::standard(404);
    const QString plainImage = file(u"plain.smc"_s, rom.bytes()), quotedImage = file(u"quoted.smc"_s, rom.bytes());
    QByteArray characters = run({u"export"_s, plainImage, u"--characters"_s, u"-"_s}).out;
    QList<QByteArray> lines = characters.split('\n');
    QList<QByteArray> cells = lines[2].split('\t');
    cells[2] = "1234";  // hit points of slot 1
    cells[13] = "0x02"; // its left hand
    lines[2] = cells.join('\t');
    characters = lines.join('\n');
    ASSERT_TRUE(spreadsheetForm(characters).contains("\"Level\"\t\"Hit Points\""));

    const QString plain = file(u"plain.tsv"_s, characters), quoted = file(u"quoted.tsv"_s, spreadsheetForm(characters));
    for (const auto& [image, table] : {std::pair{plainImage, plain}, std::pair{quotedImage, quoted}}) {
        const CommandResult r = run({u"import"_s, image, u"--characters"_s, table, u"--no-backup"_s});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
    }
    EXPECT_NE(readFile(plainImage), rom.bytes());
    EXPECT_EQ(readFile(quotedImage), readFile(plainImage));

    // A doubled quote is one quote of the cell; a quote not closed is refused where it opens.
    const QByteArray header = characters.left(characters.indexOf('\n') + 1);
    const QByteArray row = characters.split('\n')[1];
    // Past the table's last column a quote not closed still names its own column.
    const qsizetype extra = header.count('\t') + 6;
    const std::pair<QByteArray, QString> refused[] = {
        {header + "0" + QByteArray("\t1").repeated(extra) + "\t\"x\n",
         u"t.tsv:2:%1: expected a closing quote"_s.arg(extra + 2)},
        {QByteArray(row).replace("\t\"", "\t\"").replace("\tBlank", "\t\"Bl\"\"ank\""), u"found \"Bl\"ank\""_s},
        {header + "0\t\"5\t1\n", u"t.tsv:2:2: expected a closing quote"_s},
        {header + "0\t\"5\"x\t1\n", u"t.tsv:2:2: expected a tab or the end of the line after the closing quote"_s},
        {characters + "\n\n", u"t.tsv:"_s},
    };
    for (const auto& [table, said] : refused) {
        const QByteArray text = table.startsWith("Slot") ? table : header + table + '\n';
        const CommandResult r = run({u"import"_s, quotedImage, u"--characters"_s, file(u"t.tsv"_s, text)});
        EXPECT_EQ(r.code, 3);
        EXPECT_TRUE(r.err.contains(said)) << r.err.toStdString();
    }
}

TEST_F(HeadersAndSpreadsheetsTest, PlayCopyWritesTheWindowsCopyAndNeverTheImage)
{
    const QByteArray image = playableImage(21).bytes();
    const QString path = file(u"game.smc"_s, image);
    const QString out = file(u"old.sfc"_s, "the last play");
    const CommandResult r = run({u"play-copy"_s, path, out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(out), expectedPlayCopy(image));
    EXPECT_EQ(run({u"play-copy"_s, path, path}).code, 1);
    EXPECT_EQ(run({u"play-copy"_s, file(u"bare.sfc"_s, kBare), dir.filePath(u"x.sfc"_s)}).code, 2);
    EXPECT_EQ(readFile(path), image);
}

} // namespace
