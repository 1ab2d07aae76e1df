#include "patches/IpsPatch.h"
#include "support/PatchReaders.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zorvek::patches;
using namespace zorvek::test;

namespace {

TEST(PatchTest, NoIpsRecordStartsWhereItWouldReadAsTheEnd)
{
    const qsizetype eof = 0x454F46;
    const QByteArray source(0x460000, '\0');
    for (const qsizetype start : {eof, eof - 0xFFFF}) {  // a run there, and a record split landing there
        const QByteArray target = QByteArray(source).replace(start, eof + 8 - start, QByteArray(eof + 8 - start, '\1'));
        std::vector<uint32_t> starts;
        EXPECT_EQ(applyIps(ips::create(source, target).bytes, source, &starts), target);
        EXPECT_EQ(std::count(starts.begin(), starts.end(), eof), 0);
    }
    EXPECT_FALSE(ips::create({}, QByteArray(0x1000001, '\1')).ok());
}

} // namespace
