// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"
#include "patches/PatchApply.h"
#include "patches/PatchMaker.h"
#include "patches/UpsPatch.h"
#include "fixtures/RomFixture.h"
#include "support/ByteLiteral.h"

#include <zlib.h>

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zorvek::patches;
using namespace zorvek::test;

namespace {

uint32_t crcOf(const QByteArray& b) { return crc32(0, reinterpret_cast<const Bytef*>(b.constData()), b.size()); }

// A BPS or UPS body closed with its source, target and own CRC-32.
QByteArray sealed(QByteArray body, const QByteArray& source = {}, const QByteArray& target = {})
{
    for (const uint32_t crc : {crcOf(source), crcOf(target)})
        body += bytes({int(crc & 0xFF), int(crc >> 8 & 0xFF), int(crc >> 16 & 0xFF), int(crc >> 24)});
    const uint32_t own = crcOf(body);
    return body + bytes({int(own & 0xFF), int(own >> 8 & 0xFF), int(own >> 16 & 0xFF), int(own >> 24)});
}

QByteArray applyIps(const QByteArray& patch, const QByteArray& source)
{
    return ips::apply(patch, ips::read(patch), source);
}

TEST(PatchTest, ReadersTakeBackWhatEachWriterMadeAndRefuseAHostilePatchAtTheByteWhereItGoesWrong)
{
    const QByteArray source = RomFixture(0x30000).fillRandom(5).bytes();
    QByteArray target = QByteArray(source).replace(0x1000, 300, QByteArray(300, '\x42')) + "grown";
    target[10] = static_cast<char>(target[10] ^ 1);
    EXPECT_EQ(bps::apply(bps::create(source, target).bytes, source).target, target);
    EXPECT_EQ(ups::apply(ups::create(source, target).bytes, source).target, target);
    // NOLINTNEXTLINE(readability-suspicious-call-argument): the way back, from the target to the source
    EXPECT_EQ(ups::apply(ups::create(target, source).bytes, target).target, source);
    EXPECT_EQ(applyIps(ips::create(source, target).bytes, source), target);
    // A run of fill, a record past the end, and the truncation after the marker.
    const QByteArray literal =
        "PATCH" + bytes({0, 0, 2, 0, 0, 0, 4, 'Z', 0, 0, 12, 0, 2, 'a', 'b'}) + "EOF" + bytes({0, 0, 13});
    EXPECT_EQ(applyIps(literal, "0123456789"), QByteArray("01ZZZZ6789\0\0a", 13));

    // A patch for another version names both CRC-32s.
    QByteArray other = source;
    other[7] = static_cast<char>(other[7] ^ 0x40);
    const ApplyResult wrong = bps::apply(bps::create(source, target).bytes, other);
    EXPECT_TRUE(wrong.wrongSource);
    EXPECT_TRUE(wrong.error.contains(QStringLiteral("another version of the image: expected CRC-32 0x%1, found 0x%2")
                                         .arg(crcOf(source), 8, 16, QLatin1Char('0'))
                                         .arg(crcOf(other), 8, 16, QLatin1Char('0')),
                                     Qt::CaseInsensitive))
        << wrong.error.toStdString();

    QByteArray damaged = bps::create(source, target).bytes;
    damaged[damaged.size() - 1] = static_cast<char>(damaged[damaged.size() - 1] ^ 1);
    const auto bpsAt = [](const QByteArray& p, const QByteArray& s = {}) { return bps::apply(p, s).at; };
    const auto upsAt = [](const QByteArray& p, const QByteArray& s = {}) { return ups::apply(p, s).at; };
    const auto ipsAt = [](const QByteArray& p) { return ips::read(p).problem.at; };
    EXPECT_EQ(ipsAt("PATCH" + bytes({0, 1, 0, 0, 16}) + "abc"), 5); // a record cut off
    EXPECT_EQ(ipsAt("PATCH" + bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + QByteArray(0xFFFF, 'x') + "EOF"),
              5);                                                                            // past 16 MiB
    EXPECT_EQ(ipsAt("PATCH" + bytes({0, 1, 0, 0, 0, 0, 0, 'x'}) + "EOF"), 5);                // a run of nothing
    EXPECT_EQ(ipsAt("PATCH" + bytes({0, 1, 0, 0, 0, 0xFF})), 5);                             // a run cut off
    EXPECT_EQ(ipsAt("PATCHEOF\x01"), 8);                                                     // bytes after the marker
    EXPECT_EQ(ipsAt("PATCH"), 5);                                                            // no marker
    EXPECT_EQ(bpsAt(sealed("BPS1" + QByteArray(40, '\0'))), 4);                              // a number without end
    EXPECT_EQ(bpsAt(sealed("BPS1" + bytes({0x80, 0x7F, 0x7F, 0x7F, 0x7F, 0x80, 0x80}))), 4); // a huge target
    EXPECT_EQ(bpsAt(sealed("BPS1" + bytes({0x80, 0x8A, 0x80, 0x7D, 0x7F, 0x7F, 0x7F, 0x80}))), 7); // a huge length
    EXPECT_EQ(bpsAt(sealed("BPS1" + bytes({0x80, 0x8A, 0x80, 0xA5}))), 7);       // carries bytes it lacks
    EXPECT_EQ(bpsAt(sealed("BPS1" + bytes({0x80, 0x82, 0x80, 0x82, 0x83}))), 7); // copies from outside
    EXPECT_EQ(bpsAt(damaged, source), damaged.size() - 4);                       // a wrong footer
    EXPECT_EQ(upsAt(sealed("UPS1" + bytes({0x80, 0x84, 0xE4, 1, 0}))), 6);       // a skip past the end
    EXPECT_EQ(upsAt(sealed("UPS1" + bytes({0x80, 0x84, 0x80, 1}))), 8);          // a run without its end
    EXPECT_FALSE(bps::apply(sealed("BPS1" + bytes({0x80, 0x81, 0x80, 0x81, 'x'}), {}, "?"), {}).ok()); // wrong result
}

TEST(PatchTest, PatchesApplyInOrderAndAnIpsMadeWithACopierHeaderIsMovedBackOrRefused)
{
    const QByteArray image = RomFixture(0x40200).fillRandom(9).bytes();
    const QByteArray rom = image.mid(0x200);
    QByteArray edited = image;
    edited[0x401FF] = 'L'; // the last byte: only with the header counted in does the record fit
    edited[0x300] = 'F';
    const PatchRun moved = applyPatches(rom, {{"headered.ips", ips::create(image, edited).bytes}});
    EXPECT_EQ(moved.romData, edited.mid(0x200));
    ASSERT_EQ(moved.notes.size(), 1);
    EXPECT_TRUE(moved.notes[0].contains("copier header"));
    edited[0x60] = 'S';
    const PatchRun refused = applyPatches(rom, {{"stamped.ips", ips::create(image, edited).bytes}});
    EXPECT_TRUE(refused.error.contains("stamped.ips") && refused.error.contains("header"))
        << refused.error.toStdString();
    EXPECT_TRUE(applyPatches(rom, {{"grows.ips", "PATCH" + bytes({5, 0, 0, 0, 1, 'x'}) + "EOF"}}).sizeChanged);

    // Two patches on the same bytes; the second is for the first's result.
    QByteArray first = rom;
    first.replace(0x100, 8, "AAAAAAAA");
    QByteArray second = first;
    second.replace(0x104, 8, "BBBBBBBB");
    const PatchRun both =
        applyPatches(rom, {{"a.ips", ips::create(rom, first).bytes}, {"b.bps", bps::create(first, second).bytes}});
    ASSERT_TRUE(both.ok()) << both.error.toStdString();
    EXPECT_EQ(both.overlaps, QStringList{"a.ips and b.bps both change ROM data bytes 0x000104-0x000107"});
    EXPECT_TRUE(applyPatches(rom, {{"b.bps", bps::create(first, second).bytes}}).wrongSource);
}

TEST(PatchTest, NoIpsRecordStartsWhereItWouldReadAsTheEnd)
{
    const qsizetype eof = 0x454F46;
    const QByteArray source(0x460000, '\0');
    for (const qsizetype start : {eof, eof - 0xFFFF}) { // a run there, and a record split landing there
        const QByteArray target = QByteArray(source).replace(start, eof + 8 - start, QByteArray(eof + 8 - start, '\1'));
        const QByteArray patch = ips::create(source, target).bytes;
        EXPECT_EQ(applyIps(patch, source), target);
        const std::vector<ips::Record> records = ips::read(patch).records;
        EXPECT_TRUE(
            std::none_of(records.begin(), records.end(), [&](const ips::Record& r) { return r.offset == eof; }));
    }
    EXPECT_FALSE(ips::create({}, QByteArray(0x1000001, '\1')).ok());
}

} // namespace
