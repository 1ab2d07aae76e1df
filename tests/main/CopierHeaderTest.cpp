#include "main/CopierHeader.h"
#include "support/RomFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

class CopierHeaderTest : public ::testing::Test {
protected:
    CopierType detectIn(const RomFixture& rom)
    {
        path = dir.filePath("h.smc");
        EXPECT_TRUE(rom.writeTo(path));
        RomImage image;
        EXPECT_TRUE(image.open(path).ok());
        return copier::detect(image);
    }

    QTemporaryDir dir;
    QString path;
};

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

TEST_F(CopierHeaderTest, DetectsEveryHeaderFormByItsBytes)
{
    EXPECT_EQ(detectIn(RomFixture()), CopierType::Undetected);
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("0001000000000000AABB0400"))), CopierType::SuperMagicom);
    // One changed byte in word C breaks the match.
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("0001000000000000AABB0401"))), CopierType::Undetected);
    // The second MagiCom form ignores byte 0x000.
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("7F01008000000000AABB0400"))), CopierType::SuperMagicom);
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("8000040000000000AABB0400"))), CopierType::SuperWildCard);
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("800000007783000000000000"))), CopierType::ProFighter);
    EXPECT_EQ(detectIn(RomFixture().bytesAt(0, hex("8000000077830000AABB0400"))), CopierType::Undetected);
}

TEST_F(CopierHeaderTest, WrittenHeadersReadBackAsTheirOwnTypeAndTouchOnlyTwelveBytes)
{
    const QByteArray rows[] = {hex("000000000000000000000000"), hex("0001000000000000AABB0400"),
                               hex("8000040000000000AABB0400"), hex("800000007783000000000000")};
    for (int index = 0; index <= 3; ++index) {
        SCOPED_TRACE(index);
        RomFixture rom;
        rom.fillRandom(index + 1);
        const QByteArray before = rom.bytes();
        path = dir.filePath("w.smc");
        ASSERT_TRUE(rom.writeTo(path));
        {
            RomImage image;
            ASSERT_TRUE(image.open(path).ok());
            ASSERT_TRUE(copier::write(image, static_cast<CopierType>(index)).ok());
            EXPECT_EQ(copier::detect(image), static_cast<CopierType>(index));
        }
        const QByteArray after = readFile(path);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(after.left(12).toHex(), rows[index].toHex());
        EXPECT_EQ(after.mid(12), before.mid(12));
    }
}

TEST_F(CopierHeaderTest, AHeaderIsWrittenWholeOrNotAtAll)
{
    path = dir.filePath("short.smc");
    ASSERT_TRUE(RomFixture(10).fillRandom(5).writeTo(path));
    const QByteArray before = readFile(path);
    RomImage image;
    ASSERT_TRUE(image.open(path).ok());
    EXPECT_FALSE(copier::write(image, CopierType::SuperMagicom).ok());
    image.close();
    EXPECT_EQ(readFile(path), before);
}

} // namespace
