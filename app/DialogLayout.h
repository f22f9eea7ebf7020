#pragma once

#include "app/Resources.h"
#include "platform/Geometry.h"

#include <map>
#include <span>

// The program's dialogs and pages as data, in dialog units: what each front end creates
// (the Windows resource script writes the same numbers) and how a window made larger
// than its template shares out the extra room.

enum class EControlKind { kStatic, kButton, kComboBox, kCheckBox, kEdit, kProgress, kGrid };

enum EControlStyle : unsigned {
    kStyleNone = 0,
    kStyleDefault = 1u << 0,   // the dialog's default push button
    kStyleDisabled = 1u << 1,  // disabled at first
    kStyleHidden = 1u << 2,    // hidden at first
    kStyleSunken = 1u << 3,    // a sunken edge
    kStyleRight = 1u << 4,     // text right-aligned (else left)
    kStyleVCenter = 1u << 5,   // text vertically centred
    kStyleNoPrefix = 1u << 6,  // '&' is shown as written
    kStyleDropDown = 1u << 7,  // combo box with an edit field, vertical scroll bar, unsorted
};

// How a control follows when its window is larger than the template: the extra width
// and height move it (right, down) or stretch it (wider, taller).
enum EGrow : unsigned {
    kGrowNone = 0,
    kMoveRight = 1u << 0,
    kMoveDown = 1u << 1,
    kWiden = 1u << 2,
    kHeighten = 1u << 3,
};

// One control: id (res::kIdStatic for a label), kind, text, position and size in dialog
// units. A combo box's height is its dropped height, as in a resource script.
struct SControlTemplate {
    int nId;
    EControlKind eKind;
    const char* pszText;
    int x, y, cx, cy;
    unsigned nStyle;
    unsigned nGrow;
};

struct SDialogTemplate {
    int nId;
    const char* pszTitle;
    int cx, cy;  // the least size; pages may be made larger
    std::span<const SControlTemplate> controls;

    // The first control with the id; nullptr when there is none.
    constexpr const SControlTemplate* Find(int nControlId) const {
        for (const SControlTemplate& control : controls)
            if (control.nId == nControlId)
                return &control;
        return nullptr;
    }
};

// ---- The port dialog ----
inline constexpr int kPortComboClosedHeight = 12;  // the closed box; the list drops 62
inline constexpr SControlTemplate kPortDialogControls[] = {
    {res::kIdOk, EControlKind::kButton, res::kConnect, 7, 179, 50, 14, kStyleDefault, kGrowNone},
    {res::kIdCancel, EControlKind::kButton, res::kCancel, 63, 179, 50, 14, kStyleNone, kGrowNone},
    {res::kIdPortCombo, EControlKind::kComboBox, "", 63, 158, 50, 62, kStyleDropDown, kGrowNone},
    {res::kIdStatic, EControlKind::kStatic, res::kSelectCom, 7, 158, 47, 11, kStyleVCenter, kGrowNone},
    // Where the selected port leads: the device, a USB adapter, or that nothing is there.
    {res::kIdDeviceLine, EControlKind::kStatic, "", 7, 170, 306, 8, kStyleNoPrefix, kGrowNone},
};
inline constexpr SDialogTemplate kPortDialogTemplate{res::kIddPortDialog, res::kAppTitle, 320, 200,
                                                     kPortDialogControls};

// ---- The about box ----
inline constexpr SControlTemplate kAboutBoxControls[] = {
    {res::kIdStatic, EControlKind::kStatic, res::kAboutText, 40, 10, 119, 8, kStyleNoPrefix, kGrowNone},
    {res::kIdOk, EControlKind::kButton, res::kOk, 178, 7, 50, 14, kStyleDefault, kGrowNone},
};
inline constexpr SDialogTemplate kAboutBoxTemplate{res::kIddAboutBox, res::kAboutTitle, 235, 55,
                                                   kAboutBoxControls};

// ---- The Edit page ----
inline constexpr SControlTemplate kEditPageControls[] = {
    {res::kIdName, EControlKind::kStatic, "", 18, 44, 158, 18, kStyleSunken | kStyleVCenter, kGrowNone},
    {res::kIdError, EControlKind::kStatic, "", 211, 44, 148, 18, kStyleSunken | kStyleVCenter, kGrowNone},
    {res::kIdValue, EControlKind::kStatic, "", 18, 86, 158, 18, kStyleSunken | kStyleRight | kStyleVCenter,
     kGrowNone},
    {res::kIdStatic, EControlKind::kStatic, res::kParameterNameLabel, 18, 29, 91, 11, kStyleVCenter,
     kGrowNone},
    {res::kIdStatic, EControlKind::kStatic, res::kParameterValueLabel, 18, 70, 95, 11, kStyleVCenter,
     kGrowNone},
    {res::kIdStatic, EControlKind::kStatic, res::kLastErrorLabel, 211, 29, 85, 11, kStyleVCenter, kGrowNone},
};
inline constexpr SDialogTemplate kEditPageTemplate{res::kIddEditPage, res::kEditTitle, 423, 215,
                                                   kEditPageControls};

// ---- The Table page ----
// The template is 446 x 238 with the grid and six buttons; the page is taller by a row of
// switches and the status line (kTablesPageHeight), and at that size every control sits
// where the table says. A larger page gives the grid the extra room; what is below the
// grid moves down with its bottom edge, the file name and the status line also widen.
inline constexpr int kTablesTemplateHeight = 238;
inline constexpr int kTablesPageHeight = 268;
inline constexpr unsigned kBelowGrid = kMoveDown;
inline constexpr SControlTemplate kTablesPageControls[] = {
    {res::kIdGrid, EControlKind::kGrid, "", 7, 7, 432, 182, kStyleNone, kWiden | kHeighten},
    {res::kIdReadDrive, EControlKind::kButton, res::kReadDrive, 15, 197, 64, 14, kStyleNone, kBelowGrid},
    {res::kIdDriveToFile, EControlKind::kButton, res::kDriveToFile, 89, 197, 64, 14, kStyleDisabled,
     kBelowGrid},
    {res::kIdReadFile, EControlKind::kButton, res::kReadFile, 166, 196, 64, 14, kStyleNone, kBelowGrid},
    {res::kIdUpdateDrive, EControlKind::kButton, res::kUpdateDrive, 241, 196, 64, 14, kStyleDisabled,
     kBelowGrid},
    {res::kIdClearTable, EControlKind::kButton, res::kClearTable, 310, 196, 64, 14, kStyleNone, kBelowGrid},
    {res::kIdFileToNewFile, EControlKind::kButton, res::kFileToNewFile, 89, 216, 64, 14, kStyleDisabled,
     kBelowGrid},
    // Right of "Clear Table", and left of "File To New File": room the template leaves free.
    {res::kIdStop, EControlKind::kButton, res::kStop, 379, 196, 60, 14, kStyleDisabled, kBelowGrid},
    {res::kIdMarkDiffering, EControlKind::kButton, res::kMarkDiffering, 15, 216, 64, 14, kStyleNone,
     kBelowGrid},
    // The loaded file's name right of "File To New File".
    {res::kIdFileName, EControlKind::kStatic, "", 166, 216, 273, 14, kStyleVCenter | kStyleNoPrefix,
     kBelowGrid | kWiden},
    {res::kIdOnlyDiffering, EControlKind::kCheckBox, res::kOnlyDiffering, 15, 234, 92, 10, kStyleNone,
     kBelowGrid},
    {res::kIdCompareNumbers, EControlKind::kCheckBox, res::kCompareNumbers, 111, 234, 84, 10, kStyleNone,
     kBelowGrid},
    {res::kIdVerify, EControlKind::kCheckBox, res::kVerifyAfterUpdate, 199, 234, 84, 10, kStyleNone,
     kBelowGrid},
    {res::kIdStatus, EControlKind::kStatic, "", 15, 249, 424, 12, kStyleVCenter | kStyleNoPrefix,
     kBelowGrid | kWiden},
    // Shown only while a procedure runs, at the status line's right end (TablesPageRects).
    {res::kIdProgress, EControlKind::kProgress, "", 379, 250, 60, 10, kStyleHidden, kBelowGrid | kMoveRight},
    // The find row takes the grid's bottom while it is open (TablesPageRects).
    {res::kIdFindLabel, EControlKind::kStatic, res::kFindLabel, 7, 175, 22, 14, kStyleHidden | kStyleVCenter,
     kBelowGrid},
    {res::kIdFind, EControlKind::kEdit, "", 29, 175, 140, 14, kStyleHidden, kBelowGrid},
};
inline constexpr SDialogTemplate kTablesPageTemplate{res::kIddTablePage, res::kTableTitle, 446,
                                                     kTablesPageHeight, kTablesPageControls};
// The find row and the progress bar, in dialog units.
inline constexpr int kFindGap = 3;      // between the find row and the grid above it
inline constexpr int kProgressGap = 4;  // between the status line and the bar

// ---- The sheet ----
// The pages in a tab control, under it the link-state line and, at the right, Cancel.
// The tab control takes every extra pixel; the row under it moves down, the line widens.
inline constexpr int kSheetMargin = 7;  // around the tab control and the button row
inline constexpr int kSheetGap = 7;     // between the tab control and the button row
inline constexpr int kSheetCancelWidth = 50;
inline constexpr int kSheetCancelHeight = 14;
inline constexpr unsigned kSheetTabsGrow = kWiden | kHeighten;
inline constexpr unsigned kSheetCancelGrow = kMoveRight | kMoveDown;
inline constexpr unsigned kSheetLinkStateGrow = kMoveDown | kWiden;

// The pages of the sheet, in tab order.
inline constexpr const SDialogTemplate* kSheetPages[] = {&kEditPageTemplate, &kTablesPageTemplate};

// ---- Dialog units to pixels ----
// From the dialog font's average character width and height, as the Windows dialog
// manager measures them (MapDialogRect): x * baseX / 4, y * baseY / 8, rounded half away
// from zero.
struct SDialogScale {
    int nBaseX = 0;
    int nBaseY = 0;

    int X(int nUnits) const;
    int Y(int nUnits) const;
    CSize Size(int cx, int cy) const { return {X(cx), Y(cy)}; }
    // The control's rectangle in pixels at the template's size.
    CRect Rect(int x, int y, int cx, int cy) const { return {X(x), Y(y), X(x) + X(cx), Y(y) + Y(cy)}; }
    CRect Rect(const SControlTemplate& control) const {
        return Rect(control.x, control.y, control.cx, control.cy);
    }
};

// What a window has beyond its template's size, never negative.
CSize ExtraRoom(CSize windowSize, CSize templateSize);
// A control's rectangle moved and stretched by the extra room as its grow flags say.
CRect GrowRect(const CRect& rect, unsigned nGrow, CSize extra);

// Every control of the Table page placed for a page of pageSize pixels: the template
// positions grown by the extra room; while the find row is open it takes the grid's
// bottom; while the progress bar is shown the status line leaves it the right end.
std::map<int, CRect> TablesPageRects(const SDialogScale& du, CSize pageSize, bool bFindOpen,
                                     bool bProgressShown);
