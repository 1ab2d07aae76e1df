#pragma once

namespace zorvek {

inline constexpr char kAppTitle[] = "Zorvek Multi Editor";
inline constexpr char kNotLoadedText[] = "Zorvek ROM not loaded...";

// Web pages opened from the Stuff menu and the toolbar.
inline constexpr char kReadmeUrl[] = "https://quenmark-soft.example.org/zorvek/readme.txt";
inline constexpr char kHomePageUrl[] = "https://quenmark-soft.example.org/";

} // namespace zorvek
