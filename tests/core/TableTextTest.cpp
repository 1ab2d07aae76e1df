// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableCheck.h"
#include "core/table/TableText.h"

#include <gtest/gtest.h>

using namespace zorvek::table;

namespace {

QStringList cellsOf(const TableLine& line)
{
    QStringList cells;
    for (const QStringView cell : line.cells)
        cells.append(cell.toString());
    return cells;
}

TEST(TableTextTest, SplitsAtTabsAndLineEndsOutsideQuotesAsSpreadsheetsWriteThem)
{
    const SplitTable split = splitTable(
        "\xEF\xBB\xBF"
        "a\t\"b\tc\"\"d\r\ne\"\r\nx\"y\t\r\n\n",
        "t.tsv", 10, 10);
    ASSERT_FALSE(split.error);
    ASSERT_EQ(split.lines.size(), 2u);
    EXPECT_EQ(cellsOf(split.lines[0]), QStringList({"a", "b\tc\"d\r\ne"}));
    EXPECT_EQ(cellsOf(split.lines[1]), QStringList({"x\"y", ""}));
    EXPECT_EQ(split.lines[1].number, 3);
    const SplitTable bad = splitTable("a\n\"x\"y\n", "t.tsv", 10, 10);
    EXPECT_TRUE(bad.error && bad.error->message().startsWith("t.tsv:2:1:"));
}

TEST(TableCheckTest, ANumberCellTakesPlainDigitsWithinItsLimitsOrTheValueTheImageHolds)
{
    const TableColumn level{QStringLiteral("Level"), CellKind::Number, 1, 99};
    for (const char* refused : {"0", "100", "012", "+5", " 5", "5.0", "-0", "", "1e2"})
        EXPECT_FALSE(checkCell(level, QString::fromLatin1(refused), 50, {}).value) << refused;
    EXPECT_EQ(checkCell(level, u"99", 50, {}).value, 99);
    EXPECT_EQ(checkCell(level, u"0", 0, {}).value, 0); // out of range, but what the image holds
    EXPECT_TRUE(checkCell(level, u"7", 0, {}).expected.isEmpty());
    EXPECT_TRUE(checkCell(level, u"100", 0, {}).expected.contains("or 0, as the image holds it now"));
    const TableColumn name{QStringLiteral("Name"), CellKind::Label};
    const TableColumn flag{QStringLiteral("Flag"), CellKind::Flag};
    EXPECT_TRUE(checkCell(name, u"Grumblox", 3, "Grumblox").value && !checkCell(name, u"Grumb", 3, "Grumblox").value);
    EXPECT_TRUE(checkCell(flag, u"1", 0, {}).value == 1 && !checkCell(flag, u"2", 0, {}).value);
}

} // namespace
