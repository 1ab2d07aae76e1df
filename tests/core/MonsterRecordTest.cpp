#include "core/monsters/MonsterDump.h"

#include <gtest/gtest.h>

using namespace zorvek::monsters;

// The record's fields, bits and save order are checked through the window,
// which reads and writes every one of them.
TEST(MonsterDumpTextTest, ALongTextIsCutToTheFileSizeAndUnusableNamesAreRefused)
{
    // A long image path pushes the tail out instead of growing the file.
    dump::DumpFields f;
    f.romPath = "/" + QString(1100, 'p') + "/game.smc";
    EXPECT_EQ(dump::fileBytes(f), dump::text(f).toLatin1().left(1024));

    for (const QChar c : QStringLiteral("?/\\:*\"<>|\t\n"))
        EXPECT_FALSE(dump::isUsableFileName(QStringLiteral("a") + c + "b")) << int(c.unicode());
    EXPECT_FALSE(dump::isUsableFileName(""));
    for (const char* name : {"Cave Bat", "Mr. Mold (2)", "Gob's Kin", "(No name)"})
        EXPECT_TRUE(dump::isUsableFileName(QString::fromLatin1(name))) << name;
}
