// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterDump.h"

#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"
#include "core/monsters/MonsterFields.h"
#include "core/monsters/MonsterRecord.h"
#include "core/text/SingleByteText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace zorvek::monsters::dump {

QString text(const DumpFields& f)
{
    QStringList lines = {
        "Kelvarnthosia 5 Monster Editor - Stats of: " + f.name,
        "Dumped on: " + f.dateTime,
        "ROM Filename: " + f.romPath,
        QString(),
        QString(),
    };
    for (const fields::Field* dumped : fields::dumped()) {
        QString line =
            QString::fromLatin1(dumped->dumpLabel) + ": " + f.texts[static_cast<size_t>(fields::indexOf(*dumped))];
        if (dumped->offset == field::kAttackAnimation)
            line += " - " + f.attackDescription;
        lines.append(line);
    }
    lines += {
        // Always three characters, so the flag lines up whichever it is.
        "Hide HP from Scan: " + QString::fromLatin1(f.hideHp ? "Yes" : "No "),
        QString(),
        "Weaknesses won't be dumped in this release, perhaps in a future release.",
    };
    return lines.join(QStringLiteral("\r\n"));
}

QByteArray fileBytes(const DumpFields& fields)
{
    QByteArray bytes = toSingleBytes(text(fields)).left(kFileSize);
    bytes.append(QByteArray(kFileSize - bytes.size(), ' '));
    return bytes;
}

bool isUsableFileName(const QString& name)
{
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    if (name.isEmpty())
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            return false;
    return true;
}

QString folder(const QString& programFolder, const QString& imageFolder, const QStringList& installedFolders)
{
    for (const QString& installed : installedFolders) {
        if (QFileInfo::exists(programFolder) && isSameFile(installed, programFolder))
            return imageFolder;
    }
    return programFolder;
}

Outcome save(const QString& name, const QByteArray& bytes, const QString& programFolder, const QString& imageFolder)
{
    const QString fileName = name + QStringLiteral(".txt");
    Outcome outcome;
    if (!isUsableFileName(name)) {
        outcome.problem = QDir::toNativeSeparators(QDir(programFolder).filePath(fileName))
            + QStringLiteral(": A file name cannot hold \\ / : * ? \" < > | or control characters.");
        return outcome;
    }
    QStringList folders = {programFolder};
    if (!imageFolder.isEmpty() && QDir::cleanPath(imageFolder) != QDir::cleanPath(programFolder))
        folders.append(imageFolder);
    QStringList problems;
    for (const QString& folder : folders) {
        const QString path = QDir::toNativeSeparators(QDir(folder).filePath(fileName));
        // Replaces the whole file, so no tail of an older, longer dump survives.
        const IoResult written = SafeFileWriter::write(path, bytes);
        if (written.ok()) {
            outcome.path = path;
            outcome.besideImage = folder != programFolder;
            return outcome;
        }
        problems.append(path + QStringLiteral(": ") + written.error);
    }
    outcome.problem = problems.join(QLatin1Char('\n'));
    return outcome;
}

} // namespace zorvek::monsters::dump
