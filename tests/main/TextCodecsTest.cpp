#include "main/EditorStamp.h"
#include "main/InternalName.h"
#include "main/NumberText.h"
#include "main/SingleByteText.h"
#include "support/RomFixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

TEST(NumberTextTest, ReadsTheLeadingNumber)
{
    using numbertext::toInteger;
    EXPECT_EQ(toInteger("6.50001"), 7);
    EXPECT_EQ(toInteger("1.2.3"), 1);
    EXPECT_EQ(toInteger("."), 0);
    EXPECT_EQ(toInteger("abc"), 0);
    EXPECT_EQ(toInteger("-5"), 0);
    EXPECT_EQ(toInteger("-5", numbertext::Sign::Allowed), -5);
    // Absurdly long digit runs saturate instead of wrapping into range.
    EXPECT_GT(toInteger("99999999999999999999999"), 65535);
}

TEST(NumberTextTest, ComparesWithABoundExactly)
{
    EXPECT_FALSE(numbertext::isAbove("255", 255));
    EXPECT_TRUE(numbertext::isAbove("255.1", 255));
    EXPECT_FALSE(numbertext::isAbove("255.000", 255));
    EXPECT_FALSE(numbertext::isAbove(".", 255));
    EXPECT_TRUE(numbertext::isAbove("99999999999999999999", 65500));
}

TEST(NumberTextTest, AFieldTakesOnlyAWholeTextThatIsANumberItCanHoldRoundedHalfToEven)
{
    const numbertext::FieldRange byte{0, 255}, word{-32768, 32767};
    for (const char* refused : {"", ".", "-", "1..", "1.2.3", "-7", "-0", "7 apples", " 7", "+7", "256", "255.5"})
        EXPECT_EQ(numbertext::toFieldValue(refused, byte), std::nullopt) << refused;
    EXPECT_EQ(numbertext::toFieldValue("-32769", word), std::nullopt);
    const std::tuple<const char*, numbertext::FieldRange, int64_t> accepted[] = {
        {"12.5", byte, 12}, {"13.5", byte, 14},   {"6.4999", byte, 6},     {"025", byte, 25}, {"7.", byte, 7},
        {".51", byte, 1},   {"255.4", byte, 255}, {"-32768", word, -32768}, {"-2.5", word, -2}};
    for (const auto& [text, range, value] : accepted)
        EXPECT_EQ(numbertext::toFieldValue(text, range), value) << text;
}

class FileCodecTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath("t.smc");
        ASSERT_TRUE(RomFixture().fillRandom(11).writeTo(path));
        before = readFile(path);
        ASSERT_TRUE(rom.open(path).ok());
    }

    QTemporaryDir dir;
    QString path;
    QByteArray before;
    RomImage rom;
};

TEST_F(FileCodecTest, InternalNameIsPaddedAndNeverPassesItsField)
{
    ASSERT_TRUE(internalname::write(rom, "AB").ok());
    QByteArray after = readFile(path);
    EXPECT_EQ(after.mid(0x101C0, 21), QByteArray("AB").leftJustified(21, ' '));
    EXPECT_EQ(internalname::read(rom), QString("AB").leftJustified(21, ' '));

    ASSERT_TRUE(internalname::write(rom, QString(30, QLatin1Char('X'))).ok());
    after = readFile(path);
    EXPECT_EQ(after.mid(0x101C0, 21), QByteArray(21, 'X'));
    EXPECT_EQ(after.at(0x101C0 + 21), before.at(0x101C0 + 21));
    EXPECT_EQ(after.left(0x101C0), before.left(0x101C0));
    EXPECT_EQ(after.mid(0x101C0 + 21), before.mid(0x101C0 + 21));

    // One byte per character: what does not fit a byte becomes "?".
    ASSERT_TRUE(internalname::write(rom, QStringLiteral("K\u00e9\u4e2d5")).ok());
    EXPECT_EQ(readFile(path).mid(0x101C0, 4), QByteArray("K\xe9?5"));
}

TEST_F(FileCodecTest, StampTextAndBytes)
{
    const QString text = "Zorvek Multi Editor | 0.65 | 12/5/2002, 4:37:57 PM";
    ASSERT_TRUE(stamp::write(rom, text).ok());
    QByteArray after = readFile(path);
    EXPECT_EQ(after.mid(0x60, text.size()), text.toLatin1());
    EXPECT_EQ(after.left(0x60), before.left(0x60));
    EXPECT_EQ(after.mid(0x60 + text.size()), before.mid(0x60 + text.size()));

    // A shorter stamp leaves the tail of the longer one behind it.
    ASSERT_TRUE(stamp::write(rom, "Zorvek Multi Editor | 0.65 | 1/1/03, 1:02:03 AM").ok());
    const QByteArray second = readFile(path);
    EXPECT_EQ(second.mid(0x60 + 47, text.size() - 47), after.mid(0x60 + 47, text.size() - 47));
}

TEST_F(FileCodecTest, StampCanNeverReachTheRomData)
{
    ASSERT_TRUE(stamp::write(rom, QString(1000, QLatin1Char('z'))).ok());
    const QByteArray after = readFile(path);
    EXPECT_EQ(after.mid(0x60, 0x1A0), QByteArray(0x1A0, 'z'));
    EXPECT_EQ(after.mid(0x200), before.mid(0x200));
}

TEST(StampFormatTest, EveryLocaleGivesAStorableStampWithFourDigitYearsAndNoZone)
{
    const QDateTime when(QDate(2002, 12, 5), QTime(16, 37, 57), Qt::UTC);
    EXPECT_EQ(stamp::text(when, QLocale(QLocale::English, QLocale::UnitedStates)),
              "Zorvek Multi Editor | 0.65 | 12/5/2002, 4:37:57 PM");
    static const QRegularExpression year(QStringLiteral("\\b2002\\b"));
    static const QRegularExpression time(QStringLiteral("\\b(16|0?4)\\D+37\\D+57\\b"));
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString stored = QString::fromLatin1(toSingleBytes(stamp::text(when, locale)));
        EXPECT_TRUE(!stored.contains('?') && !stored.contains("()") && !stored.contains("( )")
                    && !stored.contains("[]") && !stored.contains("UTC") && stored.contains(year)
                    && stored.contains(time))
            << locale.name().toStdString() << ": " << stored.toStdString();
    }
}

} // namespace
