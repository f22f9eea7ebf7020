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

// The Table page's buttons, by control id.
inline constexpr int kIdReadDrive = 1007;
inline constexpr int kIdDriveToFile = 1008;
inline constexpr int kIdReadFile = 1009;
inline constexpr int kIdUpdateDrive = 1010;
inline constexpr int kIdClearTable = 1011;
inline constexpr int kIdFileToNewFile = 1012;
inline constexpr const char* kReadDrive = "Read DC Drive";
inline constexpr const char* kDriveToFile = "DC Drive To File";
inline constexpr const char* kReadFile = "Read File";
inline constexpr const char* kUpdateDrive = "Update DC Drive";
inline constexpr const char* kClearTable = "Clear Table";
inline constexpr const char* kFileToNewFile = "File To New File";
}  // namespace res
