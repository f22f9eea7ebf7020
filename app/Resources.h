#pragma once

// The program's own texts, used exactly as written.
namespace res {
inline constexpr const char* kAppTitle = "Tovamo V2.0";        // port dialog
inline constexpr const char* kAboutMenu = "&About Tovamo...";  // its context-menu entry
inline constexpr const char* kAboutTitle = "About Tovamo";
inline constexpr const char* kAboutText = "Tovamo Version 2.0";
inline constexpr const char* kSheetCaption = "Tovamo";
inline constexpr const char* kSelectCom = "Select COM";
inline constexpr const char* kConnect = "Connect";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kOk = "OK";

inline constexpr const char* kProductName = "Tovamo";  // + " Dispenser" = the settings key
inline constexpr const char* kSettingsSection = "Setings";
inline constexpr const char* kNumComEntry = "NumCom";
inline constexpr int kPortCount = 32;  // COM1..COM32
}  // namespace res
