// Each patch is applied by a reader written here from the formats' published
// descriptions, not from the code that makes them.

#include "patches/IpsPatch.h"
#include "patches/PatchMaker.h"
#include "support/MemoryImage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zlib.h>

using namespace zorvek;
using namespace zorvek::patches;
using zorvek::test::MemoryImage;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

uint32_t bigEndian(const QByteArray& p, qsizetype& pos, int bytes)
{
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<uint8_t>(p[pos++]);
    return value;
}

// "PATCH", records (3-byte offset, 2-byte size, data; size 0: 2-byte count and a byte), "EOF".
QByteArray applyIps(const QByteArray& patch, QByteArray image, std::vector<uint32_t>* recordStarts = nullptr)
{
    EXPECT_TRUE(patch.startsWith("PATCH"));
    qsizetype pos = 5;
    while (patch.mid(pos, 3) != "EOF") {
        const uint32_t offset = bigEndian(patch, pos, 3);
        uint32_t size = bigEndian(patch, pos, 2);
        if (recordStarts)
            recordStarts->push_back(offset);
        QByteArray data;
        if (size == 0) {
            size = bigEndian(patch, pos, 2);
            data = QByteArray(size, patch[pos++]);
        } else {
            data = patch.mid(pos, size);
            pos += size;
        }
        if (offset + size > image.size())
            image.resize(offset + size);
        image.replace(offset, size, data);
    }
    EXPECT_EQ(pos + 3, patch.size());
    return image;
}

uint64_t bpsNumber(const QByteArray& p, qsizetype& pos)
{
    uint64_t data = 0, shift = 1;
    for (;;) {
        const auto x = static_cast<uint8_t>(p[pos++]);
        data += (x & 0x7F) * shift;
        if (x & 0x80)
            return data;
        shift <<= 7;
        data += shift;
    }
}

uint32_t crcOf(const QByteArray& b) { return crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(b.data()), b.size()); }

// "BPS1", sizes, metadata, the four actions, then source, target and patch CRC32.
QByteArray applyBps(const QByteArray& patch, const QByteArray& source)
{
    EXPECT_TRUE(patch.startsWith("BPS1"));
    qsizetype pos = 4, endOfActions = patch.size() - 12;
    EXPECT_EQ(bpsNumber(patch, pos), static_cast<uint64_t>(source.size()));
    QByteArray target(static_cast<qsizetype>(bpsNumber(patch, pos)), '\0');
    pos += static_cast<qsizetype>(bpsNumber(patch, pos));
    qsizetype out = 0, sourceAt = 0, targetAt = 0;
    auto relative = [&](qsizetype& at) {
        const uint64_t d = bpsNumber(patch, pos);
        at += (d & 1 ? -1 : 1) * static_cast<qsizetype>(d >> 1);
    };
    while (pos < endOfActions) {
        const uint64_t data = bpsNumber(patch, pos);
        const uint64_t action = data & 3;
        if (action == 2)
            relative(sourceAt);
        if (action == 3)
            relative(targetAt);
        for (uint64_t n = (data >> 2) + 1; n > 0; --n, ++out) {
            switch (action) {
            case 0: target[out] = source[out]; break;
            case 1: target[out] = patch[pos++]; break;
            case 2: target[out] = source[sourceAt++]; break;
            default: target[out] = target[targetAt++];
            }
        }
    }
    auto le32 = [&](qsizetype at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<uint8_t>(patch[at + i]);
        return v;
    };
    EXPECT_EQ(le32(endOfActions), crcOf(source));
    EXPECT_EQ(le32(endOfActions + 4), crcOf(target));
    EXPECT_EQ(le32(endOfActions + 8), crcOf(patch.left(patch.size() - 4)));
    return target;
}

TEST(PatchTest, BothFormatsCarryEveryDifferenceOfTheRomDataAndNothingElse)
{
    QTemporaryDir dir;
    RomFixture original = RomFixture(RomFixture::kFullSize).fillRandom(11).copierHeader(1).checkWord(0x1878);
    original.bytesAt(0x100200, QByteArray(70000, '\0'));
    const QByteArray& o = original.bytes();
    RomFixture edited = original;
    edited.bytesAt(0x60, "a stamp only in the copier header")
        .byteAt(0x202, o[0x202] ^ 0xFF)
        .bytesAt(0x100200, QByteArray(70000, '\x77'))  // longer than one IPS record
        .byteAt(o.size() - 1, o[o.size() - 1] ^ 0xFF);
    MemoryImage image(edited);
    const QByteArray romData = romDataOf(image.rom);
    ASSERT_EQ(romData, edited.bytes().mid(0x200));

    const QByteArray headerless = o.mid(0x200);
    ASSERT_TRUE(original.writeTo(dir.filePath("headered.smc")));
    ASSERT_TRUE(RomFixture(0).bytesAt(0, headerless).writeTo(dir.filePath("headerless.sfc")));
    // The extension decides; the filter only when there is none.
    for (const auto& [from, to, filter, expected] :
         {std::tuple{"headered.smc", "a.ips", kBpsFilter, PatchFormat::Ips},
          std::tuple{"headered.smc", "b", kBpsFilter, PatchFormat::Bps},
          std::tuple{"headerless.sfc", "c.BPS", kIpsFilter, PatchFormat::Bps},
          std::tuple{"headerless.sfc", "d", kIpsFilter, PatchFormat::Ips}}) {
        SCOPED_TRACE(to);
        const QString patchPath = dir.filePath(to);
        const PatchFormat format = formatFor(QString::fromLatin1(filter), patchPath);
        ASSERT_EQ(format, expected);
        ASSERT_TRUE(createPatchFile(dir.filePath(from), romData, patchPath, format).ok());
        const QByteArray patch = readFile(patchPath);
        std::vector<uint32_t> starts;
        if (format == PatchFormat::Bps) {
            EXPECT_EQ(applyBps(patch, headerless), romData);
        } else {
            EXPECT_EQ(applyIps(patch, headerless, &starts), romData);
            EXPECT_EQ(starts.size(), 4u);  // the long run takes two records
        }
    }
}

TEST(PatchTest, NoIpsRecordStartsWhereItWouldReadAsTheEnd)
{
    const qsizetype eof = 0x454F46;
    QByteArray source(0x460000, '\0');
    for (const qsizetype start : {eof, eof - 0xFFFF}) {  // a run there, and a split landing there
        QByteArray target = source;
        target.replace(start, eof + 8 - start, QByteArray(eof + 8 - start, '\x01'));
        const PatchResult patch = ips::create(source, target);
        std::vector<uint32_t> starts;
        EXPECT_EQ(applyIps(patch.bytes, source, &starts), target);
        EXPECT_EQ(std::count(starts.begin(), starts.end(), eof), 0);
    }
    EXPECT_FALSE(ips::create({}, QByteArray(0x1000001, '\1')).ok());
}

TEST(PatchTest, ARefusedOriginalOrPatchPathIsReportedAndWritesNothing)
{
    QTemporaryDir dir;
    const QByteArray romData = RomFixture(0x200200).checkWord(0x1878).bytes().mid(0x200);
    const QString originalPath = dir.filePath("original.smc");
    const QString patchPath = dir.filePath("p.ips");
    auto attempt = [&](const RomFixture& original, const QString& to) {
        original.writeTo(originalPath);
        return createPatchFile(originalPath, romData, to, PatchFormat::Ips).error;
    };
    EXPECT_TRUE(attempt(RomFixture(0x200200).checkWord(0x1879), patchPath).contains("original.smc"));
    EXPECT_TRUE(attempt(RomFixture(0x100200).checkWord(0x1878), patchPath).contains("original.smc"));
    EXPECT_FALSE(QFile::exists(patchPath));
    const QString failed = attempt(RomFixture(0x200200).checkWord(0x1878), dir.filePath("no/such/p.ips"));
    EXPECT_TRUE(failed.startsWith("The patch ") && !failed.endsWith(": ")) << failed.toStdString();
}

} // namespace
