// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/FileIdentity.h"
#include "core/image/SameFile.h"
#include "fixtures/RomFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace zorvek;

namespace {

#ifdef Q_OS_UNIX
TEST(ImageFilesTest, OneFileIsKnownByEveryNameAndAReplacementIsAnotherFile)
{
    const QTemporaryDir dir;
    const QString a = dir.filePath("a.smc");
    ASSERT_TRUE(zorvek::test::RomFixture(64).writeTo(a));
    ASSERT_TRUE(QFile::link(a, dir.filePath("symbolic.smc")) && QDir().mkdir(dir.filePath("sub")));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("sub/up")));
    ASSERT_EQ(::link(QFile::encodeName(a).constData(), QFile::encodeName(dir.filePath("hard.smc")).constData()), 0);
    for (const char* name : {"symbolic.smc", "hard.smc", "sub/../a.smc", "sub/up/a.smc"})
        EXPECT_TRUE(isSameFile(a, dir.filePath(name))) << name;
    // A name not yet made is the same file only where its folder leads.
    EXPECT_TRUE(isSameFile(dir.filePath("new.smc"), dir.filePath("sub/up/new.smc")));
    EXPECT_FALSE(isSameFile(dir.filePath("new.smc"), dir.filePath("sub/new.smc")));

    const auto before = identityOfPath(a);
    ASSERT_TRUE(before);
    ASSERT_TRUE(zorvek::test::RomFixture(128).writeTo(a)); // rewritten in place: the same file, another size
    EXPECT_TRUE(isSameFile(*identityOfPath(a), *before) && !isUnchanged(*before, *identityOfPath(a)));
    ASSERT_TRUE(QFile::remove(a) && QFile::copy(dir.filePath("hard.smc"), a)); // put in its place
    EXPECT_FALSE(isSameFile(*identityOfPath(a), *before));
    EXPECT_EQ(resolvedFilePath(dir.filePath("symbolic.smc")), resolvedFilePath(dir.filePath("sub/up/a.smc")));
    EXPECT_FALSE(identityOfPath(dir.filePath("gone.smc")));
}
#endif

} // namespace
