// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/EditorStamp.h"
#include "core/header/InternalName.h"
#include "core/text/NumberText.h"
#include "core/text/SingleByteText.h"
#include "support/MemoryImage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::test;

namespace {

TEST(NumberTextTest, LeadingNumbersCompareExactlyAndAFieldTakesOnlyAWholeNumberItHoldsRoundedHalfToEven)
{
    using namespace numbertext;
    const std::pair<const char*, int64_t> leading[] = {{"6.50001", 7}, {"1.2.3", 1}, {".", 0}, {"abc", 0}, {"-5", 0}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(toInteger(text), value) << text;
    EXPECT_EQ(toInteger("-5", Sign::Allowed), -5);
    // Absurdly long digit runs saturate instead of wrapping into range.
    EXPECT_GT(toInteger("99999999999999999999999"), 65535);
    EXPECT_TRUE(isAbove("255.1", 255) && isAbove("99999999999999999999", 65500));
    EXPECT_FALSE(isAbove("255", 255) || isAbove("255.000", 255) || isAbove(".", 255));

    const FieldRange byte{0, 255}, word{-32768, 32767};
    for (const char* refused : {"", ".", "-", "1..", "1.2.3", "-7", "-0", "7 apples", " 7", "+7", "256", "255.5"})
        EXPECT_EQ(toFieldValue(refused, byte), std::nullopt) << refused;
    EXPECT_EQ(toFieldValue("-32769", word), std::nullopt);
    const std::tuple<const char*, FieldRange, int64_t> accepted[] = {{"12.5", byte, 12},   {"13.5", byte, 14},
                                                                     {"6.4999", byte, 6},  {"025", byte, 25},
                                                                     {"7.", byte, 7},      {".51", byte, 1},
                                                                     {"255.4", byte, 255}, {"-32768", word, -32768},
                                                                     {"-2.5", word, -2}};
    for (const auto& [text, range, value] : accepted)
        EXPECT_EQ(toFieldValue(text, range), value) << text;
}

TEST(FileCodecTest, InternalNameAndStampNeverPassTheirFields)
{
    const QByteArray before = RomFixture().fillRandom(11).bytes();
    MemoryImage image(before), stamped(before);
    const auto expectField = [&](const MemoryImage& m, qint64 at, const QByteArray& field) {
        EXPECT_EQ(m.bytes(), QByteArray(before).replace(at, field.size(), field)) << field.toStdString();
    };
    // A short name's padding is checked through the main window's Save ROM.
    ASSERT_TRUE(internalname::write(image.rom, QString(30, QLatin1Char('X'))).ok());
    expectField(image, 0x101C0, QByteArray(21, 'X'));
    // One byte per character: what does not fit a byte becomes "?".
    ASSERT_TRUE(internalname::write(image.rom, QStringLiteral("K\u00e9\u4e2d5")).ok());
    expectField(image, 0x101C0, QByteArray("K\xe9?5").leftJustified(21, ' '));

    // A shorter stamp leaves the tail of the longer one behind it; none reaches the ROM data.
    const QByteArray longer = "Zorvek Multi Editor | 0.65 | 12/5/2002, 4:37:57 PM";
    const QByteArray shorter = "Zorvek Multi Editor | 0.65 | 1/1/03, 1:02:03 AM";
    ASSERT_TRUE(stamp::write(stamped.rom, longer).ok() && stamp::write(stamped.rom, shorter).ok());
    expectField(stamped, 0x60, shorter + longer.mid(shorter.size()));
    ASSERT_TRUE(stamp::write(stamped.rom, QString(1000, QLatin1Char('z'))).ok());
    expectField(stamped, 0x60, QByteArray(0x1A0, 'z'));
}

TEST(StampFormatTest, EveryLocaleGivesAStorableStampWithFourDigitYearsAndNoZone)
{
    const QDateTime when(QDate(2002, 12, 5), QTime(16, 37, 57), Qt::UTC);
    static const QRegularExpression year(QStringLiteral("\\b2002\\b"));
    static const QRegularExpression time(QStringLiteral("\\b(16|0?4)\\D+37\\D+57\\b"));
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString stored = QString::fromLatin1(toSingleBytes(stamp::text(when, locale)));
        EXPECT_TRUE(!stored.contains('?') && !stored.contains("()") && !stored.contains("( )") && !stored.contains("[]")
                    && !stored.contains("UTC") && stored.contains(year) && stored.contains(time))
            << locale.name().toStdString() << ": " << stored.toStdString();
    }
}

} // namespace
