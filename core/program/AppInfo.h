// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvek {

inline constexpr char kAppTitle[] = "Zorvek Multi Editor";
// With the title, names where the settings are kept.
inline constexpr char kOrganisationName[] = "Quenmark-Soft";
inline constexpr char kNotLoadedText[] = "Zorvek ROM not loaded...";

} // namespace zorvek
