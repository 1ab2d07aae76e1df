// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zorvek::test {

// What a command left: its exit code, standard output and standard error.
struct CommandResult {
    int code;
    QByteArray out;
    QString err;
};

// Commands run in-process, at a fixed time, on buffers in place of the
// standard streams, with a folder for their files.
class CommandTest : public ::testing::Test {
protected:
    inline static const QDateTime kNow{QDate(2024, 3, 9), QTime(14, 5, 6)};

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    CommandResult run(const QStringList& arguments, const QByteArray& input = {})
    {
        QBuffer in, out, err;
        in.setData(input);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        cli::Console console{in, out, err};
        const int code = cli::execute(QStringList{QStringLiteral("zorvek-multi-editor")} + arguments, console, kNow);
        return {code, out.data(), QString::fromUtf8(err.data())};
    }

    // Writes bytes as name in the folder and gives its path.
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
    }

    QTemporaryDir dir;
};

} // namespace zorvek::test
