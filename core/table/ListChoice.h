// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>

namespace zorvek::table {

// A drop-down list of the character editor: entry text by stored byte, and
// the text the window shows for a byte the list has no entry for.
struct ChoiceList {
    const char* name; // "equipment list", for messages
    const QStringList& (*labels)();
    QString (*unlistedLabel)(uint8_t);

    int size() const { return static_cast<int>(labels().size()); }
    QString label(int byte) const;
};

// The byte a cell picks, or what was expected instead.
struct Choice {
    std::optional<int> byte;
    QString expected;
};

// Entry texts repeat ("Blank" stands at many places), so: the text of the
// byte the image holds now keeps that byte; otherwise a text that names
// exactly one entry picks it; an entry's number form ("0x6F") picks that
// entry. A byte beyond the list is kept but cannot be chosen, as in the window.
Choice choose(const ChoiceList& list, const QString& cell, int current);

// "0x6F"
QString numberForm(int byte);

} // namespace zorvek::table
