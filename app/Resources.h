#pragma once

// The program's own texts and the numbers of its templates, strings and controls, used
// exactly as written by both desktop front ends. The Windows resource script reads the
// same numbers through its header of #defines, which a test keeps equal to these.
namespace res {

// ---- Texts ----
inline constexpr const char* kAppTitle = "Tovamo V2.0";        // port dialog
inline constexpr const char* kAboutMenu = "&About Tovamo...";  // its system/context-menu entry
inline constexpr const char* kAboutTitle = "About Tovamo";
inline constexpr const char* kAboutText = "Tovamo Version 2.0";
inline constexpr const char* kSheetCaption = "Tovamo";
inline constexpr const char* kSelectCom = "Select COM";
inline constexpr const char* kConnect = "Connect";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kUnknownError = "Unknown Error";
inline constexpr const char* kHardwareNotPresent = "Hardware not present";
inline constexpr const char* kHardwareBusy = "Hardware busy in system";

inline constexpr const char* kProductName = "Tovamo";  // + " Dispenser" = the settings key
inline constexpr const char* kSettingsSection = "Setings";
inline constexpr const char* kNumComEntry = "NumCom";
inline constexpr int kNumComDefault = 1;  // no stored number: COM1
inline constexpr int kPortCount = 32;     // COM1..COM32

// The Edit page.
inline constexpr const char* kEditTitle = "Edit";
inline constexpr const char* kParameterNameLabel = "Parameter name";
inline constexpr const char* kParameterValueLabel = "Parameter value";
inline constexpr const char* kLastErrorLabel = "Last error";

// The Table page: the template's buttons, then the page's own controls.
inline constexpr const char* kTableTitle = "Table";
inline constexpr const char* kReadDrive = "Read DC Drive";
inline constexpr const char* kDriveToFile = "DC Drive To File";
inline constexpr const char* kReadFile = "Read File";
inline constexpr const char* kUpdateDrive = "Update DC Drive";
inline constexpr const char* kClearTable = "Clear Table";
inline constexpr const char* kFileToNewFile = "File To New File";
inline constexpr const char* kStop = "Stop";
inline constexpr const char* kMarkDiffering = "Mark Differing";
inline constexpr const char* kOnlyDiffering = "Only rows that differ";
inline constexpr const char* kCompareNumbers = "Compare as numbers";
inline constexpr const char* kVerifyAfterUpdate = "Verify after update";
inline constexpr const char* kFindLabel = "Find:";
inline constexpr const char* kSaveReport = "Save Report...";
// Settings entries of the Table page's switches (section "Setings").
inline constexpr const char* kVerifyEntry = "VerifyAfterUpdate";
inline constexpr const char* kCompareEntry = "CompareAsNumbers";

// ---- Templates, icon and menu command ----
inline constexpr int kIddAboutBox = 100;
inline constexpr int kIddPortDialog = 102;
inline constexpr int kIdrMainFrame = 128;  // the application icon
inline constexpr int kIddEditPage = 129;
inline constexpr int kIddTablePage = 134;
inline constexpr int kIdmAboutBox = 0x0010;  // system-menu command of the about box

// ---- String table ----
inline constexpr int kIdsAboutBox = 101;  // kAboutMenu
inline constexpr int kIdsUnknownError = 102;
inline constexpr int kIdsHardwareNotPresent = 103;
inline constexpr int kIdsHardwareBusy = 104;
inline constexpr int kIdsSheetCaption = 105;
inline constexpr int kIdsColName = 106;    // "Parameter name"
inline constexpr int kIdsColDrive = 107;   // "From DC Drive"
inline constexpr int kIdsColFile = 108;    // "From File"
inline constexpr int kIdsColUpdate = 110;  // "Update from File"

// ---- Controls ----
inline constexpr int kIdStatic = -1;  // a label nothing refers to
inline constexpr int kIdOk = 1;       // the port dialog's Connect; the sheet's hidden OK
inline constexpr int kIdCancel = 2;
inline constexpr int kIdHelp = 9;  // the sheet's hidden Help

// Port dialog.
inline constexpr int kIdPortCombo = 1001;
inline constexpr int kIdDeviceLine = 1020;  // where the selected COMn leads

// Edit page.
inline constexpr int kIdName = 1002;
inline constexpr int kIdValue = 1003;
inline constexpr int kIdError = 1004;

// Sheet.
inline constexpr int kIdSheetTabs = 1021;  // the tab control holding the pages
inline constexpr int kIdLinkState = 1022;  // the line left of Cancel

// Table page: the grid and the template's buttons.
inline constexpr int kIdGrid = 1006;
inline constexpr int kIdReadDrive = 1007;
inline constexpr int kIdDriveToFile = 1008;
inline constexpr int kIdReadFile = 1009;
inline constexpr int kIdUpdateDrive = 1010;
inline constexpr int kIdClearTable = 1011;
inline constexpr int kIdFileToNewFile = 1012;
// Table page: its own controls.
inline constexpr int kIdStop = 1030;
inline constexpr int kIdMarkDiffering = 1031;
inline constexpr int kIdFileName = 1032;
inline constexpr int kIdOnlyDiffering = 1033;
inline constexpr int kIdCompareNumbers = 1034;
inline constexpr int kIdVerify = 1035;
inline constexpr int kIdStatus = 1036;
inline constexpr int kIdProgress = 1037;
inline constexpr int kIdFindLabel = 1038;
inline constexpr int kIdFind = 1039;

}  // namespace res
