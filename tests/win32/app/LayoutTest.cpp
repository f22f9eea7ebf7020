// The resource script's templates are the program's layout data: each dialog, made from
// its template, has every control of the toolkit-free layout where that puts it (dialog
// units mapped by the dialog's own font), with its text and styles, and nothing else.
#include "app/DialogLayout.h"
#include "app/win32/MyCPropertyPage.h"
#include "app/win32/ResourceText.h"
#include "app/win32/resource.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, SysLPARAM) {
    return FALSE;
}

// The dialog's own dialog units, as MapDialogRect measures them.
SDialogScale ScaleOf(HWND dialog) {
    RECT base{0, 0, 4, 8};
    ::MapDialogRect(dialog, &base);
    return {base.right, base.bottom};
}

// Position and size mapped each on its own, as the dialog manager places a control.
RECT Mapped(HWND dialog, int x, int y, int cx, int cy) {
    const CRect rect = ScaleOf(dialog).Rect(x, y, cx, cy);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ClientRectIn(HWND dialog, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

// The styles a control of the layout data must have, and whether it has them.
void ExpectStyles(HWND control, const SControlTemplate& data, const std::string& where) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    switch (data.eKind) {
        case EControlKind::kButton:
            EXPECT_EQ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, (data.nStyle & kStyleDefault) != 0) << where;
            break;
        case EControlKind::kComboBox:
            // The box hands its scroll bar to its list: that style is not kept on the box.
            EXPECT_EQ((style & 3) == CBS_DROPDOWN && (style & CBS_SORT) == 0,
                      (data.nStyle & kStyleDropDown) != 0)
                << where << " style " << std::hex << style;
            break;
        case EControlKind::kStatic:
            EXPECT_EQ((style & SS_SUNKEN) != 0, (data.nStyle & kStyleSunken) != 0) << where;
            EXPECT_EQ((style & SS_TYPEMASK) == SS_RIGHT, (data.nStyle & kStyleRight) != 0) << where;
            EXPECT_EQ((style & SS_CENTERIMAGE) != 0, (data.nStyle & kStyleVCenter) != 0) << where;
            EXPECT_EQ((style & SS_NOPREFIX) != 0, (data.nStyle & kStyleNoPrefix) != 0) << where;
            break;
        default:
            break;
    }
}

void ExpectTemplateMatches(const SDialogTemplate& data, HWND parent) {
    const std::string dialogName = "template " + std::to_string(data.nId);
    const HWND dialog =
        ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(data.nId), parent, &QuietDialog, 0);
    ASSERT_NE(dialog, nullptr) << dialogName;
    ::ShowWindow(dialog, SW_HIDE);
    EXPECT_EQ(Text(dialog), WideFromUtf8(data.pszTitle)) << dialogName;
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(Describe(client), Describe(Mapped(dialog, 0, 0, data.cx, data.cy))) << dialogName;

    std::vector<HWND> unmatched;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        unmatched.push_back(child);
    for (const SControlTemplate& control : data.controls) {
        const std::wstring text = WideFromUtf8(control.pszText);
        const std::string where =
            dialogName + " control " + std::to_string(control.nId) + " \"" + control.pszText + "\"";
        auto found = std::find_if(unmatched.begin(), unmatched.end(), [&](HWND child) {
            return control.nId == res::kIdStatic ? ::GetDlgCtrlID(child) == IDC_STATIC && Text(child) == text
                                                 : ::GetDlgCtrlID(child) == control.nId;
        });
        if (found == unmatched.end()) {
            ADD_FAILURE() << where << " is not in the resource script";
            continue;
        }
        const HWND child = *found;
        unmatched.erase(found);
        RECT expected = Mapped(dialog, control.x, control.y, control.cx, control.cy);
        RECT actual = ClientRectIn(dialog, child);
        if (control.eKind == EControlKind::kComboBox) {
            // The template's height is the dropped list's; the closed box is the system's.
            expected.bottom = actual.bottom;
        }
        EXPECT_EQ(Describe(actual), Describe(expected)) << where;
        if (control.eKind != EControlKind::kComboBox) {
            EXPECT_EQ(Text(child), text) << where;
        }
        ExpectStyles(child, control, where);
    }
    for (HWND child : unmatched)
        ADD_FAILURE() << dialogName << ": control " << ::GetDlgCtrlID(child) << " is not in the layout data";
    ::DestroyWindow(dialog);
}

TEST(LayoutTest, TheResourceScriptsTemplatesAreTheLayoutData) {
    const HWND parent =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1000, 800, nullptr, nullptr, nullptr, nullptr);
    for (const SDialogTemplate* data : {&kPortDialogTemplate, &kAboutBoxTemplate, &kEditPageTemplate})
        ExpectTemplateMatches(*data, parent);
    ::DestroyWindow(parent);
}

TEST(LayoutTest, TheStringTableHoldsTheProgramsTexts) {
    EXPECT_EQ(ResourceText(IDS_ABOUTBOX), WideFromUtf8(res::kAboutMenu));
    EXPECT_EQ(ResourceText(IDS_UNKNOWN_ERROR), WideFromUtf8(res::kUnknownError));
    EXPECT_EQ(ResourceText(IDS_HARDWARE_NOT_PRESENT), WideFromUtf8(res::kHardwareNotPresent));
    EXPECT_EQ(ResourceText(IDS_HARDWARE_BUSY), WideFromUtf8(res::kHardwareBusy));
    EXPECT_EQ(ResourceText(IDS_SHEET_CAPTION), WideFromUtf8(res::kSheetCaption));
}

}  // namespace
