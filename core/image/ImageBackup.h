#pragma once

#include "core/image/RomImage.h"

#include <QDateTime>
#include <QString>

namespace zorvek::backup {

inline constexpr int kKeptCopies = 5;  // per image; older copies are deleted
inline constexpr const char* kTimeFormat = "yyyyMMdd-HHmmss";

// "<file name>.<yyyyMMdd-HHmmss>.bak"
QString copyName(const QString& fileName, const QDateTime& when);

// Copies the whole file next to itself, named for when (a later second if that
// name is taken), then deletes all but the newest kKeptCopies of its copies.
// madePath, if given, receives the copy's path.
IoResult make(const QString& imagePath, const QDateTime& when, QString* madePath = nullptr);

} // namespace zorvek::backup
