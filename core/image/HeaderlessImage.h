// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <QByteArrayView>
#include <QString>

namespace zorvek::headerless {

// ROM data comes in whole banks; a copier header adds 512 bytes to that.
inline constexpr qint64 kBankSize = 0x8000;

// What a file offered as this game's ROM data without a copier header is.
enum class Kind {
    ThisGame,        // the check word at its first two bytes, whole banks
    HasCopierHeader, // the check word behind a 512-byte copier header
    OtherGame,       // the check word is nowhere it should be
    NotWholeBanks,   // this game's check word, but a size no dump has
};

Kind classify(QByteArrayView file);

// Why a file of that kind cannot be given a copier header, for people:
// "\"x.sfc\" already has a copier header." and the like.
QString refusalText(Kind kind, const QString& shownName, qint64 size);

// True when the image holds this game's ROM data from its first byte: a
// headerless dump, which every position here would read 512 bytes off.
bool lacksCopierHeader(const RomImage& rom);

} // namespace zorvek::headerless
