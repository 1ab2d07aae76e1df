// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <QDateTime>
#include <QLocale>

namespace zorvek::stamp {

inline constexpr qint64 kOffset = 0x060; // inside the copier header, clear of its words
// The stamp must end before the ROM data at 0x200.
inline constexpr int kMaxLength = 0x200 - 0x060;

// "0.65": major and revision; the minor number is not shown.
QString versionText();

// "<short date>, <long time>" without a time zone and with a four-digit
// year. Where the locale's texts would not fit one byte per character,
// both are written with ASCII digits in the locale's order.
QString dateTimeText(const QDateTime& when, const QLocale& locale);

// "Zorvek Multi Editor | 0.65 | <short date>, <time with seconds>"
QString text(const QDateTime& when, const QLocale& locale = QLocale());

// Writes the text's bytes only: the tail of a longer old stamp stays.
IoResult write(RomImage& rom, const QString& stampText);

} // namespace zorvek::stamp

namespace zorvek {

// The editor stamp of a save, as every window writes it.
IoResult SaveQuenHeader(RomImage& rom, const QDateTime& now);

} // namespace zorvek
