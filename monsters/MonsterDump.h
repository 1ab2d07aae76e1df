#pragma once

#include "main/RomImage.h"

#include <QByteArray>
#include <QString>

namespace zorvek::monsters::dump {

// Every dump file has exactly this many bytes: the text, padded with blanks
// or cut.
inline constexpr int kFileSize = 1024;

inline constexpr char kFailureMessage[] = "An Error has occured.  Closing Monster Editor.";

// The shown monster as the window holds it; values are the boxes' texts,
// saved or not.
struct DumpFields {
    QString name;
    QString dateTime;  // "<date>, <time>"
    QString romPath;   // as the user knows it, native separators
    QString level, nameIndex, experience, gil, hitPoints, strength, speed, defense, evade, magicPower, unknown;
    QString attackIndex, attackDescription;
    bool hideHp = false;
};

// The lines joined by CR LF; the last line has no line end.
QString text(const DumpFields& fields);

// The text as single bytes, fitted to exactly kFileSize.
QByteArray fileBytes(const DumpFields& fields);

// Names holding a character that common file systems refuse (\ / : * ? " < > |
// or a control character) cannot name a dump on any platform.
bool isUsableFileName(const QString& name);

// Replaces the whole file, so no tail of an older, longer dump survives.
IoResult writeFile(const QString& path, const QByteArray& bytes);

} // namespace zorvek::monsters::dump
