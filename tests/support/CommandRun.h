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

// Runs a command in-process on buffers in place of the standard streams.
inline CommandResult runCommand(const QStringList& arguments, const QByteArray& input, const QDateTime& now)
{
    QBuffer in, out, err;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    cli::Console console{in, out, err};
    const int code = cli::execute(QStringList{QStringLiteral("zorvek-multi-editor")} + arguments, console, now);
    return {code, out.data(), QString::fromUtf8(err.data())};
}

// Writes bytes as name in dir and gives its path.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    return path;
}

} // namespace zorvek::test
