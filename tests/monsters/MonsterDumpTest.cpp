#include "data/GameData.h"
#include "main/EditorStamp.h"
#include "monsters/MonsterDump.h"
#include "MonsterEditorTestBase.h"

#include <QApplication>
#include <QDir>
#include <QFile>

using namespace zorvek;
using namespace zorvek::test;
namespace dump = zorvek::monsters::dump;

namespace {

dump::DumpFields sampleFields()
{
    dump::DumpFields f;
    f.name = "Cave Bat";
    f.dateTime = "12/5/02, 4:37:57 PM";
    f.romPath = "/roms/game.smc";
    f.level = "12";
    f.nameIndex = "3";
    f.experience = "100";
    f.gil = "77";
    f.hitPoints = "4660";
    f.strength = "20";
    f.speed = "7";
    f.defense = "9";
    f.evade = "5";
    f.magicPower = "11";
    f.unknown = "200";
    f.attackIndex = "42";
    f.attackDescription = "Reverse Grey Curl Slash";
    return f;
}

QByteArray expectedText(const QString& name, const QString& when, const QString& path, const char* gil,
                        const char* hide)
{
    return QStringLiteral("Kelvarnthosia 5 Monster Editor - Stats of: %1\r\n"
                          "Dumped on: %2\r\n"
                          "ROM Filename: %3\r\n"
                          "\r\n"
                          "\r\n"
                          "Level: 12\r\n"
                          "Name Index: 3\r\n"
                          "EXP: 100\r\n"
                          "Gil: %4\r\n"
                          "HP: 4660\r\n"
                          "Strength: 20\r\n"
                          "Speed: 7\r\n"
                          "Defense: 9\r\n"
                          "Evade%: 5\r\n"
                          "Magic Power: 11\r\n"
                          "Unknown: 200\r\n"
                          "Attack Animation Index: 42 - Reverse Grey Curl Slash\r\n"
                          "Hide HP from Scan: %5\r\n"
                          "\r\n"
                          "Weaknesses won't be dumped in this release, perhaps in a future release.")
        .arg(name, when, path, QString::fromLatin1(gil), QString::fromLatin1(hide))
        .toLatin1();
}

} // namespace

TEST(MonsterDumpTextTest, FillsExactlyTheFileSizeWithBlanksOrCutsTheText)
{
    dump::DumpFields f = sampleFields();
    const QByteArray text = expectedText("Cave Bat", "12/5/02, 4:37:57 PM", "/roms/game.smc", "77", "No ");
    const QByteArray bytes = dump::fileBytes(f);
    ASSERT_EQ(bytes.size(), 1024);
    EXPECT_EQ(bytes.left(text.size()), text);
    EXPECT_EQ(bytes.mid(text.size()), QByteArray(1024 - text.size(), ' '));

    f.hideHp = true;
    EXPECT_TRUE(dump::text(f).contains("Hide HP from Scan: Yes\r\n"));

    // A long image path pushes the tail out; the weaknesses line goes first.
    f.romPath = "/" + QString(900, 'p') + "/game.smc";
    const QByteArray cut = dump::fileBytes(f);
    EXPECT_EQ(cut.size(), 1024);
    EXPECT_FALSE(cut.contains("Weaknesses"));
    EXPECT_TRUE(cut.contains("Level: 12"));
    EXPECT_NE(cut.back(), ' ');
}

TEST(MonsterDumpTextTest, NamesThatNoFileSystemTakesAreRefused)
{
    for (const char* name : {"????", "a/b", "a\\b", "a:b", "a*b", "a\"b", "a<b", "a>b", "a|b", "a\tb", "a\nb", ""})
        EXPECT_FALSE(dump::isUsableFileName(QString::fromLatin1(name))) << name;
    for (const char* name : {"Cave Bat", "Mr. Mold (2)", "Gob's Kin", "Unknown", "(No name)"})
        EXPECT_TRUE(dump::isUsableFileName(QString::fromLatin1(name))) << name;
}

TEST(MonsterDumpTextTest, TheFileIsReplacedWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Cave Bat.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(3000, 'X'));
    old.close();
    ASSERT_TRUE(dump::writeFile(path, dump::fileBytes(sampleFields())).ok());
    EXPECT_EQ(readFile(path), dump::fileBytes(sampleFields()));
    EXPECT_FALSE(dump::writeFile(dir.filePath("missing/Cave Bat.txt"), "x").ok());
}

// ---------------------------------------------------------------------------
// Through the window

namespace {

class MonsterDumpTest : public MonsterEditorTestBase {
protected:
    RomFixture dumpImage() const
    {
        RomFixture rom = RomFixture::standard();
        const std::pair<int, uint8_t> bytes[] = {{31, 12}, {30, 3}, {1, 20}, {0, 7}, {4, 9}, {3, 5},
                                                 {2, 11},  {5, 200}, {16, 42}, {25, 0x80}};
        for (const auto& [k, v] : bytes)
            rom.monsterByte(0, k, v);
        rom.monsterWord(0, 12, 100).monsterWord(0, 14, 50).monsterWord(0, 8, 4660);
        return rom;
    }

    QString dumpPath(int record) const
    {
        return QDir(effects.folder).filePath(data::monsterNames().at(record) + ".txt");
    }
};

} // namespace

TEST_F(MonsterDumpTest, DumpsTheShownValuesIntoTheProgramFolder)
{
    const RomFixture rom = dumpImage();
    openEditor(rom);
    effects.msPerSecond = 100;
    retype("GilTXT", "77");  // not saved: dumped all the same
    click("HideHPCHK");      // cleared
    QFile old(dumpPath(0));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'X'));
    old.close();

    click("Dump2TXT");
    const QByteArray text = expectedText(data::monsterNames().at(0),
                                         stamp::dateTimeText(effects.clock, QLocale()),
                                         QDir::toNativeSeparators(romPath), "77", "No ");
    const QByteArray bytes = readFile(dumpPath(0));
    ASSERT_EQ(bytes.size(), 1024);
    EXPECT_EQ(bytes.left(text.size()), text);
    EXPECT_EQ(bytes.mid(text.size()), QByteArray(1024 - text.size(), ' '));
    EXPECT_EQ(fileBytes(), rom.bytes());  // the image is not touched

    const QString shown =
        "The stats of " + data::monsterNames().at(0) + " was saved to " + QDir::toNativeSeparators(dumpPath(0));
    EXPECT_EQ(info(), shown);
    QTest::qWait(1000);  // ten seconds would be over, fifteen are not
    EXPECT_EQ(info(), shown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return info().isEmpty(); }, 5000));

    click("HideHPCHK");
    click("Dump2TXT");
    EXPECT_TRUE(readFile(dumpPath(0)).contains("Hide HP from Scan: Yes\r\n"));
    EXPECT_EQ(readFile(dumpPath(0)).size(), 1024);
}

TEST_F(MonsterDumpTest, ANameNoFileCanHoldClosesTheEditor)
{
    const RomFixture rom = dumpImage();
    openEditor(rom);
    retype("HPTXT", "5");
    selectMonster(228);
    ASSERT_EQ(monsterList()->currentItem()->text(), "????");
    click("Dump2TXT");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(effects.messages[0].text, "An Error has occured.  Closing Monster Editor.");
    EXPECT_TRUE(form1->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
    EXPECT_EQ(QDir(effects.folder).entryList(QDir::Files), QStringList{"game.smc"});
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(MonsterDumpTest, AFolderThatCannotBeWrittenTakesTheSamePath)
{
    openEditor(dumpImage());
    effects.folder = tempPath("no such folder");
    click("Dump2TXT");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, "An Error has occured.  Closing Monster Editor.");
    EXPECT_TRUE(form1->isVisible());
    EXPECT_FALSE(editor->isVisible());
}
