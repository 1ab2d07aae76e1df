// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ImportPlan.h"
#include "core/image/ImageWrite.h"
#include "core/program/AppSettings.h"
#include "core/header/EditorStamp.h"
#include "core/image/RollbackJournal.h"
#include "support/FileSizeLimit.h"
#include "support/MemoryImage.h"
#include "support/CommandRun.h"
#include "patches/BpsPatch.h"
#include "patches/PatchApply.h"
#include "patches/UpsPatch.h"

#include <QFileInfo>
#include <QProcess>

#include <functional>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zorvek;
using namespace zorvek::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Random bytes everywhere, plus values the windows show otherwise than the
// file holds them, or keep without offering them.
RomFixture variedImage()
{
    RomFixture rom = RomFixture::standard(20240309);
    rom.monsterWord(3, 12, 500).monsterWord(3, 14, 600);
    rom.monsterWord(7, 8, 0xFFFF).monsterWord(7, 12, 0xFFF0).monsterWord(7, 14, 100); // shown as 65500
    rom.characterWord(2, 6, 0xFFFB).characterWord(2, 8, 300);                         // -5 / 300 hit points
    rom.characterWord(2, 10, 5000).characterWord(2, 12, 5000);                        // more than can be typed
    rom.characterByte(2, 25, 0xA5);                                                   // a command beyond the list
    rom.characterByte(0, 14, 0x85);                                                   // a head that is not "Blank"
    return rom;
}

QList<QByteArray> splitLines(const QByteArray& table)
{
    QList<QByteArray> lines = table.split('\n');
    lines.removeLast();
    return lines;
}

// The table with one cell replaced; lines count from 0 here, the header being line 0.
QByteArray withCell(const QByteArray& table, int line, const QByteArray& column, const QByteArray& value)
{
    QList<QByteArray> lines = splitLines(table);
    QList<QByteArray> cells = lines[line].split('\t');
    cells[lines.first().split('\t').indexOf(column)] = value;
    lines[line] = cells.join('\t');
    return lines.join('\n') + '\n';
}

class CommandLineTest : public CommandTest {
protected:
    using Result = CommandResult;

    void SetUp() override
    {
        CommandTest::SetUp();
        image = dir.filePath(u"game.smc"_s);
        ASSERT_TRUE(original.writeTo(image));
    }

    QByteArray exported(const QString& option)
    {
        const Result r = run({u"export"_s, image, option, u"-"_s});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return r.out;
    }

    RomFixture original = variedImage();
    QString image;
};

TEST_F(CommandLineTest, AnUnchangedExportImportsWithoutAnyWrite)
{
    const QByteArray monsters = exported(u"--monsters"_s);
    const QByteArray characters = exported(u"--characters"_s);
    // Ragged rows or blanks at a line's end would fail the import below.
    EXPECT_EQ(splitLines(monsters).size(), 257);
    EXPECT_EQ(splitLines(characters).size(), 5);
    EXPECT_TRUE(characters.contains("\t-5\t300\t5000\t5000\t"));
    EXPECT_TRUE(characters.contains("Unlisted command (0xA5)"));

    const Result r =
        run({u"import"_s, image, u"--monsters"_s, u"-"_s, u"--characters"_s, file(u"c.tsv"_s, characters)}, monsters);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"Nothing to change"_s));
    EXPECT_EQ(readFile(image), original.bytes()); // not even a stamp
}

TEST_F(CommandLineTest, AnEditedTableWritesTheStampAndTheChangedRecordsOnly)
{
    QByteArray monsters = withCell(exported(u"--monsters"_s), 1 + 3, "Hit Points", "1234");
    const bool windWasOn = (original.bytes()[RomFixture::monster(3, 0x15)] & 0x80) != 0;
    monsters = withCell(monsters, 1 + 3, "Absorb: Wind", windWasOn ? "0" : "1");
    monsters = withCell(monsters, 1 + 7, "Level", "42");
    QByteArray characters = withCell(exported(u"--characters"_s), 1 + 2, "Head", "0x00"); // "Blank" is ambiguous
    characters = withCell(characters, 1 + 2, "Command 1", "Attack");
    const QStringList tables = {u"--monsters"_s, file(u"m.tsv"_s, monsters), u"--characters"_s,
                                file(u"c.tsv"_s, characters)};

    const Result dry = run(QStringList{u"import"_s, image, u"--dry-run"_s} + tables);
    EXPECT_EQ(dry.code, 0);
    EXPECT_EQ(readFile(image), original.bytes());
    const QList<QByteArray> planned = splitLines(dry.out);
    ASSERT_EQ(planned.size(), 3) << dry.out.toStdString();
    EXPECT_TRUE(planned[0].startsWith("monster 3 ") && planned[0].contains("Hit Points"));
    // The level was edited; the capped words are written with it.
    EXPECT_TRUE(planned[1].contains("Level") && planned[1].contains("Hit Points 65535 -> 65500")
                && planned[1].contains("Experience 65520 -> 65500"))
        << planned[1].toStdString();
    EXPECT_TRUE(planned[2].contains("character 2: Head") && planned[2].contains("-> Blank (0x00)"));
    EXPECT_TRUE(dry.err.contains(u"2 monsters and 1 character would change, after the editor stamp"_s));
    const Result withWords = run(QStringList{u"import"_s, image, u"--dry-run"_s, u"--fix-checksum"_s} + tables);
    EXPECT_TRUE(splitLines(withWords.out).value(3).startsWith("checksum words: ")
                && withWords.err.contains(u"stamp, with the checksum words."_s))
        << withWords.err.toStdString();

    const Result r = run(QStringList{u"import"_s, image} + tables);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"2 monsters and 1 character changed"_s));
    RomFixture expected = original;
    expected.bytesAt(0x60, stamp::text(kNow).toLatin1()).monsterWord(3, 8, 1234);
    expected.monsterByte(3, 0x15, original.bytes()[RomFixture::monster(3, 0x15)] ^ 0x80);
    // A saved monster's words are written as shown, as the window's Save does.
    expected.monsterByte(7, 0x1F, 42).monsterWord(7, 8, 65500).monsterWord(7, 12, 65500);
    expected.characterByte(2, 14, 0x00).characterByte(2, 22, 0x01);
    EXPECT_EQ(readFile(image), expected.bytes());
}

TEST_F(CommandLineTest, EveryKindOfBadTableIsRefusedWhereItGoesWrongAndNothingIsWritten)
{
    const QByteArray monsters = exported(u"--monsters"_s);
    const QByteArray characters = exported(u"--characters"_s);
    QByteArray missingRow = monsters;
    missingRow.remove(missingRow.indexOf("\n8\t") + 1, splitLines(monsters)[9].size() + 1);
    QList<QByteArray> shortLine = splitLines(monsters);
    shortLine[1].chop(shortLine[1].size() - shortLine[1].lastIndexOf('\t'));

    const std::tuple<const char*, QByteArray, const char*> cases[] = {
        // what, table, file:line:column
        {"renamed header", withCell(monsters, 0, "Hit Points", "HP"), "m.tsv:1:5:"},
        {"missing column", shortLine.join('\n') + '\n', "m.tsv:2:64:"},
        {"extra column", QByteArray(monsters).replace("\n3\t", "\n3\tx\t"), "m.tsv:5:65:"},
        {"missing row", missingRow, "m.tsv:257:1:"},
        {"duplicated record", QByteArray(monsters).replace("\n8\t", "\n7\t"), "m.tsv:10:1:"},
        {"a row too many", monsters + splitLines(monsters)[1] + '\n', "m.tsv:258:1:"},
        {"record out of range", withCell(monsters, 5, "Record", "256"), "m.tsv:6:1:"},
        {"byte too big", withCell(monsters, 5, "Level", "256"), "m.tsv:6:4:"},
        {"word above the cap", withCell(monsters, 5, "Gil", "65501"), "m.tsv:6:8:"},
        {"fraction", withCell(monsters, 5, "Strength", "12.5"), "m.tsv:6:9:"},
        {"negative", withCell(monsters, 5, "Defense", "-7"), "m.tsv:6:11:"},
        {"leading zero", withCell(monsters, 5, "Agility", "07"), "m.tsv:6:10:"},
        {"blank around", withCell(monsters, 5, "Special Bits", " 5"), "m.tsv:6:16:"},
        {"flag not 0 or 1", withCell(monsters, 5, "Wall", "2"), "m.tsv:6:64:"},
        {"read-only name", withCell(monsters, 5, "Name", "Someone"), "m.tsv:6:2:"},
        {"read-only magic points", withCell(monsters, 5, "Magic Points", "1"), "m.tsv:6:6:"},
        {"not UTF-8", QByteArray(monsters).replace("\n4\t", "\n4\xff\t"), "m.tsv:6:1:"},
        {"empty file", QByteArray(), "m.tsv:1:1:"},
        {"ambiguous list text", withCell(characters, 1, "Head", "Blank"), "c.tsv:2:15:"},
        {"unknown list text", withCell(characters, 1, "Body", "Nothing Like It"), "c.tsv:2:16:"},
        {"beyond the command list", withCell(characters, 1, "Command 2", "0xA5"), "c.tsv:2:19:"},
        {"more hit points than can be typed", withCell(characters, 1, "Maximum Hit Points", "10000"), "c.tsv:2:4:"},
        {"more magic points than can be typed", withCell(characters, 1, "Magic Points", "1000"), "c.tsv:2:5:"},
        {"negative hit points not held now", withCell(characters, 1, "Hit Points", "-1"), "c.tsv:2:3:"},
        {"read-only experience", withCell(characters, 1, "Experience", "1"), "c.tsv:2:7:"},
    };
    for (const auto& [what, table, where] : cases) {
        const QString name = QString::fromLatin1(where).section(':', 0, 0);
        const Result r =
            run({u"import"_s, image, name == "m.tsv" ? u"--monsters"_s : u"--characters"_s, file(name, table)});
        EXPECT_EQ(r.code, 3) << what;
        EXPECT_TRUE(r.err.contains(where) && r.err.contains(u"expected"_s)) << what << ": " << r.err.toStdString();
        EXPECT_EQ(readFile(image), original.bytes()) << what;
    }
}

// The real executables, started the way a script starts them: no display and
// no platform chosen. The window's executable runs the same commands as the
// headless one, which loads no window system at all.
TEST_F(CommandLineTest, BothExecutablesWorkWithoutADisplayAndTheHeadlessOneLoadsNoWindowSystem)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const auto start = [&](const char* program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromLocal8Bit(program), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    };

    for (const char* program : {ZORVEK_EXECUTABLE, ZORVEK_CLI_EXECUTABLE}) {
        SCOPED_TRACE(program);
        EXPECT_TRUE(start(program, {u"info"_s, image}).contains("Internal name: KELVARNTHOSIA 5\n"));
        const QByteArray monsters = start(program, {u"export"_s, image, u"--monsters"_s, u"-"_s});
        ASSERT_EQ(splitLines(monsters).size(), 257);
        const QByteArray hitPoints = QByteArray::number(4321 + (program == QByteArray(ZORVEK_CLI_EXECUTABLE)));
        start(program,
              {u"import"_s, image, u"--monsters"_s, file(u"m.tsv"_s, withCell(monsters, 1, "Hit Points", hitPoints))});
        EXPECT_EQ(readFile(image).mid(0x100208, 2), RomFixture(2).word16At(0, hitPoints.toUShort()).bytes());
    }
    // The same help but for the program's name in the usage line.
    const auto help = [&](const char* program) {
        const QByteArray text = start(program, {u"--help"_s});
        return text.mid(text.indexOf('\n'));
    };
    EXPECT_EQ(help(ZORVEK_CLI_EXECUTABLE), help(ZORVEK_EXECUTABLE));

#ifdef __GLIBC__
    // The dynamic loader lists what each program would load, and runs nothing.
    environment.insert(u"LD_TRACE_LOADED_OBJECTS"_s, u"1"_s);
    const QByteArray headless = start(ZORVEK_CLI_EXECUTABLE, {});
    EXPECT_TRUE(headless.contains("libQt6Core")) << headless.toStdString();
    EXPECT_FALSE(headless.contains("libQt6Gui")) << headless.toStdString();
    EXPECT_FALSE(headless.contains("libQt6Widgets")) << headless.toStdString();
    EXPECT_TRUE(start(ZORVEK_EXECUTABLE, {}).contains("libQt6Widgets"));
#endif
}

TEST_F(CommandLineTest, AHugeTableIsRefusedUnreadAndBadCellsAndNamesAreShownReadably)
{
    const QByteArray line(2'000'000, '\t');
    const QByteArray longCell(100'000, 'x');
    const QString huge = file(u"m.tsv"_s, line);
    const Result fromFile = run({u"import"_s, image, u"--monsters"_s, huge});
    const Result fromInput = run({u"import"_s, image, u"--monsters"_s, u"-"_s}, line);
    const Result badCell = run({u"import"_s, image, u"--monsters"_s,
                                file(u"bad.tsv"_s, withCell(exported(u"--monsters"_s), 5, "Level", longCell))});
    for (const Result& r : {fromFile, fromInput, badCell}) {
        EXPECT_EQ(r.code, 3);
        EXPECT_LT(r.err.size(), 400) << r.err.left(400).toStdString();
    }
    EXPECT_TRUE(fromFile.err.startsWith(huge + u":1:1: expected a table of 256 monsters, at most"_s)
                && fromFile.err.contains(u"found 2000000 bytes"_s))
        << fromFile.err.toStdString();
    EXPECT_TRUE(fromInput.err.contains(u"at most"_s));
    EXPECT_TRUE(badCell.err.contains(u":6:4: Level:"_s)
                && badCell.err.contains(u"found \""_s + QString(40, u'x') + u"\u2026\" (100000 characters)"_s))
        << badCell.err.toStdString();
    EXPECT_EQ(readFile(image), original.bytes());
    // Control characters are shown, not sent to the terminal.
    const QByteArray table = withCell(exported(u"--monsters"_s), 0, "Level", "Level\r");
    const Result r = run({u"import"_s, image, u"--monsters"_s, file(u"m.tsv"_s, table)});
    EXPECT_TRUE(r.err.contains(u"found \"Level\\r\""_s)) << r.err.toStdString();
    ASSERT_TRUE(RomFixture(original).bytesAt(RomFixture::kInternalName + 2, QByteArray("\0\x1b", 2)).writeTo(image));
    EXPECT_TRUE(run({u"info"_s, image}).out.contains("Internal name: KE\\x00\\x1bARNTHOSIA 5"));
}

// A whole image (its ROM data a power of two long, so its checksum is a
// plain sum) with stale checksum words.
const RomFixture kFull =
    RomFixture(RomFixture::kFullSize).fillRandom(77).copierHeader(1).checkWord(0x1878).word32At(0x101DC, 0x56781234);

// The four bytes at 0x101DC that make the image's checksum valid, and the sum as info shows it.
QByteArray validWords(const QByteArray& image, QByteArray* shown = nullptr)
{
    const auto sum = static_cast<uint16_t>(plainRomSum(image, 0, RomFixture::kFullSize - 0x200));
    if (shown)
        *shown = "0x" + QByteArray::number(sum, 16).toUpper().rightJustified(4, '0');
    return RomFixture(4).word16At(0, static_cast<uint16_t>(~sum)).word16At(2, sum).bytes();
}

TEST_F(CommandLineTest, ApplyPatchWritesTheBytesTheToolGaveOrRefusesWithItsExitCode)
{
    const QByteArray rom = original.bytes().mid(0x200);
    const QByteArray tool = RomFixture(original).monsterWord(3, 8, 4321).bytes().mid(0x200);
    const QString bps = file(u"balance.bps"_s, patches::bps::create(rom, tool).bytes);
    const QString back = file(u"back.ups"_s, patches::ups::create(tool, rom).bytes);
    const QString grows = file(u"grows.ips"_s, "PATCH" + QByteArray("\x12\0\0\0\x01x", 6) + "EOF");
    const QString apply = u"apply-patch"_s, out = dir.filePath(u"out.smc"_s);
    Result r = run({apply, image, bps, u"--dry-run"_s});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Monster 3 ") && r.out.contains("Hit Points") && r.out.contains("-> 4321"))
        << r.out.toStdString();

    const std::pair<QStringList, int> refusals[] = {
        {{apply, image, back}, 3},
        {{apply, image, grows}, 3},
        {{apply, image, dir.filePath(u"none.ips"_s)}, 3},
        {{apply, image, file(u"wrong-game.ips"_s, QByteArray("PATCH\0\0\0\0\x01\0EOF", 14))}, 3},
        {{apply, file(u"other.smc"_s, RomFixture(original).checkWord(0x1234).bytes()), bps}, 2}};
    for (const auto& [arguments, code] : refusals)
        EXPECT_EQ(run(arguments).code, code) << arguments.join(' ').toStdString();
    EXPECT_EQ(readFile(image), original.bytes());

    ASSERT_EQ(run({apply, image, grows, u"--output"_s, out}).code, 0);
    EXPECT_EQ(readFile(out).mid(0x200), rom + QByteArray(0x120000 - rom.size(), '\0') + 'x');
    EXPECT_EQ(readFile(image), original.bytes());
    r = run({apply, image, bps, u"--no-backup"_s});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(image).mid(0x200), tool);
    EXPECT_TRUE(readFile(image).mid(0x60).startsWith("Zorvek Multi Editor | "));
    ASSERT_EQ(run({apply, image, back, u"--no-backup"_s}).code, 0);
    EXPECT_EQ(readFile(image).mid(0x200), rom);
}

TEST_F(CommandLineTest, MakePatchGivesTheImageRomDataAndTheNewCommandsRefuseByName)
{
    const QString headered = file(QStringLiteral("original.smc"), kFull.bytes());
    const QString headerless = file(QStringLiteral("original.sfc"), kFull.bytes().mid(0x200));
    const RomFixture edited = RomFixture(kFull)
                                  .bytesAt(0x60, "stamp")
                                  .bytesAt(0x20200, QByteArray(70000, '\x77'))
                                  .monsterWord(200, 8, 4321)
                                  .byteAt(RomFixture::kFullSize - 1, 0x5A);
    const QString hack = file(QStringLiteral("hack.smc"), edited.bytes());
    const QString ips = dir.filePath(QStringLiteral("p.IPS")), bps = dir.filePath(QStringLiteral("p.patch"));
    const QString make = QStringLiteral("make-patch"), fix = QStringLiteral("fix-checksum");
    EXPECT_EQ(run({make, headered, hack, ips}).code, 0);
    EXPECT_EQ(patches::applyPatches(kFull.bytes().mid(0x200), {{{}, readFile(ips)}}).romData,
              edited.bytes().mid(0x200));
    EXPECT_EQ(run({make, headerless, hack, bps, QStringLiteral("--format"), QStringLiteral("bps")}).code, 0);
    EXPECT_EQ(patches::applyPatches(kFull.bytes().mid(0x200), {{{}, readFile(bps)}}).romData,
              edited.bytes().mid(0x200));

    const QString other = file(QStringLiteral("other.smc"), RomFixture(kFull).checkWord(0x1234).bytes());
    const QString cut = file(QStringLiteral("cut.smc"), RomFixture(0x101DE).copierHeader(1).checkWord(0x1878).bytes());
    const QString q = dir.filePath(QStringLiteral("q.ips")), noFormat = dir.filePath(QStringLiteral("q.dat"));
    const std::tuple<QStringList, int, QString> refusals[] = {
        {{make, other, hack, q}, 2, other},
        {{make, headered, other, q}, 2, other},
        {{make, headered, hack, noFormat}, 1, noFormat},
        {{make, headered, hack, hack}, 1, hack}, // the patch would replace an image
        {{fix, cut}, 2, cut},
    };
    for (const auto& [arguments, code, named] : refusals) {
        const Result r = run(arguments);
        EXPECT_TRUE(r.code == code && r.err.contains(named)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(q) || QFile::exists(noFormat));
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.bak")}).isEmpty());
    EXPECT_EQ(readFile(headered) + readFile(hack) + readFile(other),
              kFull.bytes() + edited.bytes() + RomFixture(kFull).checkWord(0x1234).bytes());
}

TEST_F(CommandLineTest, ImportAndFixChecksumMakeOneBackupAndWriteTheChecksumWordsWhenAsked)
{
    ASSERT_TRUE(kFull.writeTo(image));
    const QString table = file(u"m.tsv"_s, withCell(exported(u"--monsters"_s), 6, "Hit Points", "777"));
    const QStringList import = {u"import"_s, u"--monsters"_s, table};
    // Command and flags, the "Fix Checksum on Every Save" setting, and whether a backup and the words are expected.
    const std::tuple<QStringList, bool, bool, bool> cases[] = {
        {import, false, true, false},
        {import + QStringList{u"--no-backup"_s, u"--fix-checksum"_s}, false, false, true},
        {import, true, true, true},
        {{u"fix-checksum"_s}, false, true, true},
    };
    int n = 0;
    for (const auto& [command, setting, backup, words] : cases) {
        const QString name = u"image%1.smc"_s.arg(++n);
        QStringList arguments = command;
        arguments.insert(1, file(name, kFull.bytes()));
        AppSettings().setFixChecksumOnSave(setting);
        const Result r = run(arguments);
        AppSettings().setFixChecksumOnSave(false);
        EXPECT_EQ(r.code, 0);
        const QByteArray after = readFile(arguments[1]);
        EXPECT_NE(after, kFull.bytes());
        EXPECT_EQ(after.mid(0x101DC, 4), words ? validWords(after) : kFull.bytes().mid(0x101DC, 4))
            << name.toStdString();
        const QStringList backups = QDir(dir.path()).entryList({name + u".*.bak"_s});
        EXPECT_EQ(backups.size(), backup ? 1 : 0) << name.toStdString();
        EXPECT_TRUE(!backup || readFile(dir.filePath(backups.value(0))) == kFull.bytes());
    }
    // Fixed once, the words are left alone, and info tells the state.
    const QString fixed = dir.filePath(u"image4.smc"_s);
    const Result again = run({u"fix-checksum"_s, fixed});
    EXPECT_TRUE(again.code == 0 && again.err.contains(u"already valid"_s)) << again.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList({u"image4.smc.*.bak"_s}).size(), 1);
    QByteArray sum;
    validWords(kFull.bytes(), &sum);
    const auto checksumLine = [&](const QString& path) { return run({u"info"_s, path}).out.split('\n').value(5); };
    EXPECT_EQ(checksumLine(fixed), "Checksum: valid (" + sum + ")");
    EXPECT_EQ(checksumLine(file(u"stale.smc"_s, kFull.bytes())),
              "Checksum: stale (stored 0x5678, computed " + sum + ")");
}

// At the level of the import's write: the windows' writes made in memory,
// then a few writes of what changed, all or nothing.
TEST_F(CommandLineTest, TheCoalescedImportEndsAsTheFieldByFieldSaveAndAFailedOneIsTakenBack)
{
    // Every monster's last flag turned over, every character's strength set.
    QByteArray monsters = exported(QStringLiteral("--monsters")), characters = exported(QStringLiteral("--characters"));
    const qsizetype wall = splitLines(monsters).first().split('\t').indexOf("Wall");
    for (int line = 1; line <= 256; ++line)
        monsters = withCell(monsters, line, "Wall", splitLines(monsters)[line].split('\t')[wall] == "1" ? "0" : "1");
    for (int line = 1; line <= 4; ++line)
        characters = withCell(characters, line, "Strength", QByteArray::number(70 + line));
    const QByteArray bytes = original.bytes();
    MemoryImage planned(bytes);
    cli::ImportPlan plan;
    ASSERT_FALSE(cli::planMonsters({QStringLiteral("m"), monsters}, planned.rom, plan));
    ASSERT_FALSE(cli::planCharacters({QStringLiteral("c"), characters}, planned.rom, plan));
    ASSERT_EQ(plan.monsters.size() + plan.characters.size(), 260u);
    MemoryImage fieldByField(bytes);
    ASSERT_TRUE(cli::writeImport(fieldByField.rom, plan, kNow).ok());

    const auto commit = [&](RomImage& rom) {
        ImageWriteSession session(rom, [] { return kNow; });
        return cli::commitImport(session, bytes, plan, kNow);
    };
    RomImage coalesced;
    MemoryDevice* device = attachMemory(coalesced, bytes);
    EXPECT_TRUE(commit(coalesced).ok());
    EXPECT_EQ(device->data(), fieldByField.bytes());
    EXPECT_EQ(device->writeOffsets.front(), 0x60); // the stamp first
    EXPECT_LE(device->writeOffsets.size(), 6u);

    // The second write fails: the stamp already written is taken back,
    // unless the device refuses that too.
    for (const bool faultPasses : {true, false}) {
        RomImage failing;
        device = attachMemory(failing, bytes, 1);
        device->failOnce = faultPasses;
        const CommandOutcome out = commit(failing);
        EXPECT_TRUE(!out.ok() && out.takenBack == faultPasses && out.partlyWritten == !faultPasses);
        EXPECT_EQ(device->data() == bytes, faultPasses);
    }
    // The bytes a run replaces cannot be read: no zeros go into the way back, nothing is written.
    RomImage unreadable;
    device = attachMemory(unreadable, bytes);
    device->readsLeft = 0;
    EXPECT_TRUE(!commit(unreadable).ok() && device->writeOffsets.empty());
}

TEST_F(CommandLineTest, ExitCodesSayWhatWentWrongAndNoOutputReplacesAnInputOrWhatIsNoFile)
{
    const QString wrongGame = file(u"other.smc"_s, RomFixture(original).checkWord(0x1234).bytes());
    const QString cut = file(u"cut.smc"_s, RomFixture(0x117300).copierHeader(1).checkWord(0x1878).bytes());
    const QString table = file(u"c.tsv"_s, exported(u"--characters"_s)), kept = file(u"kept.tsv"_s, "kept");
    const QString fifo = dir.filePath(u"pipe.ips"_s);
    const QString m = u"--monsters"_s, c = u"--characters"_s, in = u"import"_s, out = u"export"_s;
    std::vector<std::pair<QStringList, int>> cases = {
        {{u"--version"_s}, 0},
        {{u"--help"_s}, 0},
        {{u"info"_s, image}, 0},
        {{u"frobnicate"_s, image}, 1},
        {{out, image}, 1},
        {{out, image, m, u"-"_s, c, u"-"_s}, 1},
        {{in, image, u"--everything"_s}, 1},
        {{out, image, c, image}, 1},
        {{u"info"_s, wrongGame}, 2},
        {{out, dir.filePath(u"absent.smc"_s), m, u"-"_s}, 2},
        {{in, wrongGame, c, table}, 2},
        {{in, cut, c, table}, 2},
        {{in, image, c, dir.filePath(u"absent.tsv"_s)}, 3},
        {{out, image, m, dir.filePath(u"no folder/m.tsv"_s)}, 4},
        {{out, image, m, dir.path()}, 4},
    };
#ifdef Q_OS_UNIX
    const QString symbolic = dir.filePath(u"link.smc"_s), hard = dir.filePath(u"hard.tsv"_s);
    const QString keptToo = dir.filePath(u"kept-too.tsv"_s), full = file(u"full.smc"_s, kFull.bytes());
    ASSERT_TRUE(QFile::link(image, symbolic));
    ASSERT_EQ(::link(QFile::encodeName(image).constData(), QFile::encodeName(hard).constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(kept).constData(), QFile::encodeName(keptToo).constData()), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    cases.insert(cases.end(),
                 {{{out, image, m, symbolic}, 1},
                  {{out, image, c, hard}, 1},
                  {{out, image, m, kept, c, keptToo}, 1},
                  {{out, image, m, fifo}, 4},
                  {{u"make-patch"_s, full, full, fifo}, 4}});
#endif
    for (const auto& [arguments, code] : cases) {
        const Result r = run(arguments);
        EXPECT_EQ(r.code, code) << arguments.join(' ').toStdString() << "\n" << r.err.toStdString();
    }
    EXPECT_TRUE(run({u"--help"_s}).out.contains("4  writing"));
    EXPECT_EQ(run({u"-platform"_s, u"offscreen"_s, u"--version"_s}).code, 0);
    EXPECT_EQ(readFile(image) + readFile(kept), original.bytes() + "kept");
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

#ifdef Q_OS_UNIX
// The real executable on a full disk (a file size limit stands in for one)
// and with its standard output on /dev/full.
TEST_F(CommandLineTest, AFullDiskOrStandardOutputIsExitFourWithTheSystemsReasonAndNoFileLeft)
{
    // A patch of a kilobyte: past the limit, small enough for Qt's buffer.
    const QString full = file(u"full.smc"_s, kFull.bytes());
    const QString edited = file(u"edited.smc"_s, RomFixture(kFull).bytesAt(0x1000, QByteArray(1000, '\x55')).bytes());
    const QString patch = dir.filePath(u"p.ips"_s), table = dir.filePath(u"m.tsv"_s);
    const auto start = [](const QStringList& arguments, const QString& output) {
        QProcess process;
        if (output.isEmpty())
            process.setChildProcessModifier([] { test::limitFileSize(50); });
        else
            process.setStandardOutputFile(output);
        process.start(QStringLiteral(ZORVEK_EXECUTABLE), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    };
    const QString tooLarge = QString::fromUtf8(std::strerror(EFBIG)),
                  noSpace = QString::fromUtf8(std::strerror(ENOSPC));
    const std::tuple<QStringList, QString, QString> cases[] = {
        // arguments, standard output, reason
        {{u"make-patch"_s, full, edited, patch}, {}, tooLarge},
        {{u"export"_s, image, u"--monsters"_s, table}, {}, tooLarge},
        {{u"info"_s, image}, u"/dev/full"_s, noSpace},
        {{u"export"_s, image, u"--characters"_s, u"-"_s}, u"/dev/full"_s, noSpace},
    };
    for (const auto& [arguments, output, reason] : cases) {
        const auto [code, err] = start(arguments, output);
        EXPECT_EQ(code, 4) << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains(reason) && !err.contains(u"Unknown error"_s)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(patch) || QFile::exists(table));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3); // the images alone
}
#endif

TEST_F(CommandLineTest, AStepCutOffByACrashIsReadAroundByReadingCommandsAndTakenBackBeforeAWrite)
{
    // An import's record write cut off half way, its journal beside the image.
    const qint64 at = RomFixture::monster(9, 8);
    const QByteArray record = original.bytes().mid(at, 8);
    QByteArray half = original.bytes();
    half.replace(at, 3, "\x01\x02\x03");
    ASSERT_TRUE(RomFixture(0).bytesAt(0, half).writeTo(image));
    ASSERT_TRUE(rollback::write(image, half.size(), {{at, record, "\x01\x02\x03\x04\x05\x06\x07\x08"}}).ok());
    const QString journal = image + u"-journal"_s;

    // Reading commands see the image as before the step and leave both files.
    const QByteArray monsters = exported(u"--monsters"_s);
    Result r = run({u"export"_s, image, u"--monsters"_s, u"-"_s});
    EXPECT_TRUE(r.err.contains(u"is read as it was before that step"_s) && r.err.contains(journal))
        << r.err.toStdString();
    EXPECT_EQ(readFile(image), half);
    ASSERT_TRUE(QFile::exists(journal));

    // Another program changed a byte of the step: an import writes nothing.
    QByteArray changed = half;
    changed[at + 5] = static_cast<char>(changed[at + 5] ^ 0x5A);
    ASSERT_TRUE(RomFixture(0).bytesAt(0, changed).writeTo(image));
    r = run({u"import"_s, image, u"--monsters"_s, u"-"_s}, monsters);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(u"another program changed the image since"_s)) << r.err.toStdString();
    EXPECT_EQ(readFile(image), changed);
    EXPECT_TRUE(QFile::exists(journal));

    // Opened to be written, the image gets its bytes back first.
    ASSERT_TRUE(RomFixture(0).bytesAt(0, half).writeTo(image));
    r = run({u"import"_s, image, u"--monsters"_s, u"-"_s}, monsters);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"put back the bytes from before that step"_s)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"Nothing to change"_s));
    EXPECT_EQ(readFile(image), original.bytes());
    EXPECT_FALSE(QFile::exists(journal));
}

#ifdef Q_OS_UNIX
TEST_F(CommandLineTest, AFileAnotherHandLeftAtTheJournalNameIsLeftAloneAndSaysWhy)
{
    const QString journal = image + u"-journal"_s;
    const auto journalOf = [&](qint64 at, const QByteArray& before) {
        return rollback::encode(u"game.smc"_s, original.bytes().size(), {{at, before, original.bytes().mid(at, 2)}});
    };
    QByteArray damaged = journalOf(0x300, "\x01\x02");
    damaged[30] = static_cast<char>(damaged[30] ^ 4);
    // Each would write into the image if it were taken back, or hang, or crash.
    const std::tuple<const char*, std::function<bool()>> cases[] = {
        {"does not fit",
         [&] {
             const QByteArray crafted =
                 rollback::encode(u"game.smc"_s, original.bytes().size(), {{0x7FFFFFFFFFFFFFFF, "A", "B"}});
             return file(u"game.smc-journal"_s, crafted) == journal;
         }},
        {"damaged", [&] { return file(u"game.smc-journal"_s, damaged) == journal; }},
        {"not a regular file", [&] { return ::mkfifo(QFile::encodeName(journal).constData(), 0600) == 0; }},
        {"symbolic link", [&] { return QFile::link(u"/dev/zero"_s, journal); }},
        {"4242",
         [&] { // another user's
             file(u"game.smc-journal"_s, journalOf(0x300, "\x01\x02"));
             return ::chown(QFile::encodeName(journal).constData(), 4242, 4242) == 0;
         }},
    };
    for (const auto& [reason, make] : cases) {
        ASSERT_TRUE(make()) << reason;
        const QFileInfo before(journal);
        Result r = run({u"info"_s, image});
        EXPECT_TRUE(r.code == 0 && r.err.contains(u"left alone"_s) && r.err.contains(QLatin1String(reason)))
            << r.err.toStdString();
        r = run({u"fix-checksum"_s, image});
        EXPECT_TRUE(r.code == 2 && r.err.contains(journal) && r.err.contains(QLatin1String(reason)))
            << r.err.toStdString();
        EXPECT_EQ(readFile(image), original.bytes()) << reason;
        EXPECT_TRUE(QFileInfo(journal).isSymLink() == before.isSymLink() && QFileInfo(journal).size() == before.size());
        QFile::remove(journal);
    }
}
#endif

TEST_F(CommandLineTest, AFileLargerThanAnyCartridgeIsRefusedUnreadAndAFailedReadGivesItsReason)
{
    // Sparse beyond the image's bytes: a whole image, 8 MiB + 513 bytes long.
    const QString huge = file(u"huge.smc"_s, original.bytes());
    ASSERT_TRUE(QFile::resize(huge, (qint64{8} << 20) + 513));
    const QString table = file(u"m.tsv"_s, exported(u"--monsters"_s)), out = dir.filePath(u"out.ips"_s);
    const QStringList commands[] = {
        {u"info"_s, huge},
        {u"export"_s, huge, u"--monsters"_s, u"-"_s},
        {u"fix-checksum"_s, huge},
        {u"import"_s, huge, u"--monsters"_s, table},
        {u"import"_s, huge, u"--monsters"_s, table, u"--dry-run"_s},
        {u"remove-header"_s, huge, out},
        {u"make-patch"_s, huge, image, out},
        {u"make-patch"_s, image, huge, out},
    };
    for (const QStringList& arguments : commands) {
        const Result r = run(arguments);
        EXPECT_TRUE(r.code == 2 && r.err.contains(u"64 Mbit"_s) && r.out.isEmpty())
            << arguments.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));

#ifdef Q_OS_LINUX
    // Its first page is never mapped: reading it fails with the system's reason.
    const Result r = run({u"make-patch"_s, u"/proc/self/mem"_s, image, out});
    EXPECT_TRUE(r.code == 2 && r.err.contains(u"Input/output error"_s)) << r.err.toStdString();
#endif
}

} // namespace
