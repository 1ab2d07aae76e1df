// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/monsters/MonsterSave.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace zorvek::monsters::dump {

// Every dump file has exactly this many bytes: the text, padded with blanks
// or cut.
inline constexpr int kFileSize = 1024;

// The first sentence of the failure message; the files and reasons follow.
inline constexpr char kFailureMessage[] = "An Error has occured.";

// The shown monster as the window holds it; values are the boxes' texts,
// saved or not.
struct DumpFields {
    QString name;
    QString dateTime;                       // "<date>, <time>"
    QString romPath;                        // as the user knows it, native separators
    std::array<QString, kFieldCount> texts; // by field of fields::all(); the dumped ones are read
    QString attackDescription;
    bool hideHp = false;
};

// The lines joined by CR LF; the last line has no line end.
QString text(const DumpFields& fields);

// The text as single bytes, fitted to exactly kFileSize.
QByteArray fileBytes(const DumpFields& fields);

// Names holding a character that common file systems refuse (\ / : * ? " < > |
// or a control character) cannot name a dump on any platform.
bool isUsableFileName(const QString& name);

// The program's folder while the program runs from its own (build or
// unpacked) folder; beside the image for an installed copy, whose folder
// belongs to the system. Folders are compared after following links.
QString folder(const QString& programFolder, const QString& imageFolder, const QStringList& installedFolders);

// Where a dump went, or why it went nowhere.
struct Outcome {
    QString path;             // the file written, native separators; empty when none
    bool besideImage = false; // the program's folder could not be written
    QString problem;          // each file tried with the system's reason, a line each
};

// The program's folder first; an installed program's folder is seldom
// writable, so the folder of the open image is tried next.
Outcome save(const QString& name, const QByteArray& bytes, const QString& programFolder, const QString& imageFolder);

} // namespace zorvek::monsters::dump
