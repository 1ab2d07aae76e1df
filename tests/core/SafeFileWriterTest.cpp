// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SafeFileWriter.h"
#include "core/image/SystemError.h"
#include "fixtures/RomFixture.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace zorvek;
using zorvek::test::readFile;

namespace {

TEST(SafeFileWriterTest, AFileIsWrittenWholeOrNotAtAllAndAFailureGivesTheSystemsReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("out.bin"));
    ASSERT_TRUE(SafeFileWriter::write(path, QByteArray(5000, 'a')).ok());
    ASSERT_TRUE(SafeFileWriter::write(path, "kept").ok());
    EXPECT_EQ(readFile(path), "kept");  // replaced whole, no tail of the longer file

#ifdef Q_OS_UNIX
    // Qt holds a small file in its buffer until the flush, and takes a short
    // write of a large one for success; QSaveFile would commit either cut.
    for (const qsizetype size : {100, 100000}) {
        IoResult written;
        {
            test::FileSizeLimit limit(50);
            written = SafeFileWriter::write(path, QByteArray(size, 'x'));
        }
        EXPECT_FALSE(written.ok()) << size;
        EXPECT_EQ(written.error.toStdString(), systemErrorText(EFBIG).toStdString());
        EXPECT_EQ(readFile(path), "kept");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.bin")});
    }

    // Renaming over a pipe or a folder would replace it, writing through a
    // link to no file would make that file: refused first.
    const QString fifo = dir.filePath(QStringLiteral("pipe")), nowhere = dir.filePath(QStringLiteral("nowhere"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(nowhere, dir.filePath(QStringLiteral("link"))));
    for (const QString& target : {fifo, dir.path(), dir.filePath(QStringLiteral("link"))}) {
        EXPECT_FALSE(SafeFileWriter::write(target, "x").ok()) << target.toStdString();
        EXPECT_FALSE(QFileInfo(target).isFile() || QFileInfo::exists(nowhere));
    }
#endif
}

} // namespace
