#pragma once

namespace zorvek {

inline constexpr char kAppTitle[] = "Zorvek Multi Editor";
// With the title, names where the settings are kept.
inline constexpr char kOrganisationName[] = "Quenmark-Soft";
inline constexpr char kNotLoadedText[] = "Zorvek ROM not loaded...";

// Web pages opened from the Stuff menu and the toolbar.
inline constexpr char kReadmeUrl[] = "https://quenmark-soft.example.org/zorvek/readme.txt";
inline constexpr char kHomePageUrl[] = "https://quenmark-soft.example.org/";

} // namespace zorvek
