#include "FileDialog.h"
#include "Input.h"
#include "Robust.h"
#include "Target.h"
#include "app/Resources.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

constexpr UINT kNavigationKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,    VK_DOWN, VK_TAB,
                                    VK_HOME, VK_END,   VK_PRIOR, VK_NEXT};

// What a keyboard types: mostly ASCII, some Windows-1252 letters, one it cannot hold.
constexpr wchar_t kTypedCharacters[] =
    L"abcdefghijklmnopqrstuvwxyz0123456789 .,-+:/\u00e4\u00f6\u00fc\u00df\u00e9\u00b0\u00b5\u20ac\u03a9";

RECT ScreenRect(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return rect;
}

}  // namespace

CRandomActions::CRandomActions(std::uint64_t seed, std::wstring folder, bool bVerbose)
    : m_random(seed), m_strFolder(std::move(folder)), m_bVerbose(bVerbose) {}

int CRandomActions::Below(int n) {
    return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random);
}

void CRandomActions::Note(const char* format, ...) {
    char text[200];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    robust::NoteAction(text);
    if (m_bVerbose)
        std::printf("#%lld %s\n", m_nActions, text);
}

void CRandomActions::OnSheet(HWND hSheet) {
    ++m_nActions;
    const int n = Below(100);
    if (n < 50) {
        RandomKey();
    } else if (n < 58) {
        ClickButton(hSheet);
    } else if (n < 64) {
        const POINT point = PointOnSheet(hSheet);
        Note("click at %ld,%ld", point.x, point.y);
        input::Click(point);
    } else if (n < 70) {
        const POINT point = PointOnSheet(hSheet);
        Note("double click at %ld,%ld", point.x, point.y);
        input::DoubleClick(point);
    } else if (n < 74) {
        const POINT point = PointOnSheet(hSheet);
        Note("right click at %ld,%ld", point.x, point.y);
        input::Click(point, true);
    } else if (n < 84) {
        Drag(hSheet, PointOnSheet(hSheet));
    } else if (n < 92) {
        const POINT point = PointOnSheet(hSheet);
        const int nDelta = (Below(3) + 1) * (Chance(50) ? 1 : -1) * (Chance(20) ? 40 : 120);
        const bool bHorizontal = Chance(15);
        Note("wheel %d%s at %ld,%ld", nDelta, bHorizontal ? " horizontal" : "", point.x, point.y);
        input::Wheel(point, nDelta, bHorizontal);
    } else if (n < 97) {
        const POINT point = PointOnSheet(hSheet);
        Note("move to %ld,%ld", point.x, point.y);
        input::MoveTo(point);
    } else if (n < 98) {
        SwitchAway();
    } else if (n < 99) {
        PutTextOnClipboard();
    } else {
        Resize(hSheet);
    }
}

void CRandomActions::OnDialog(HWND hDialog) {
    ++m_nActions;
    if (HWND hField = FileNameField(hDialog); hField != nullptr && Chance(50))
        return AnswerFileDialog(hDialog, hField);
    const int n = Below(100);
    if (n < 40) {
        Note("escape in \"%s\"", Utf8(WindowText(hDialog)).c_str());
        input::Key(VK_ESCAPE);
    } else if (n < 80) {
        Note("enter in \"%s\"", Utf8(WindowText(hDialog)).c_str());
        input::Key(VK_RETURN);
    } else if (n < 90) {
        RandomKey();
    } else {
        const POINT point = PointIn(hDialog);
        Note("click at %ld,%ld in \"%s\"", point.x, point.y, Utf8(WindowText(hDialog)).c_str());
        input::Click(point);
    }
}

// A name in the test's own folder, typed and confirmed with Enter: a handful of names,
// so that what one save wrote a later open finds.
void CRandomActions::AnswerFileDialog(HWND hDialog, HWND hField) {
    const std::wstring path = m_strFolder + L"\\answer" + std::to_wstring(Below(4)) + L".txt";
    Note("file dialog \"%s\": %s", Utf8(WindowText(hDialog)).c_str(), Utf8(path).c_str());
    PostMessageW(hField, EM_SETSEL, 0, -1);
    PostText(hField, path);
    Sleep(50);
    input::Key(VK_RETURN);
}

void CRandomActions::RandomKey() {
    const int n = Below(100);
    if (n < 35) {
        const UINT vk = kNavigationKeys[Below(static_cast<int>(std::size(kNavigationKeys)))];
        const bool bShift = Chance(20);
        const bool bControl = Chance(10);
        Note("key 0x%02X%s%s", vk, bShift ? " shift" : "", bControl ? " control" : "");
        input::Key(vk, bShift, bControl);
    } else if (n < 40) {
        Note("key F2/F3");
        input::Key(Chance(80) ? VK_F2 : VK_F3);
    } else if (n < 45) {
        Note("key delete");
        input::Key(VK_DELETE);
    } else if (n < 48) {
        Note("key backspace");
        input::Key(VK_BACK);
    } else if (n < 56) {
        Note("key enter");
        input::Key(VK_RETURN);
    } else if (n < 57) {
        Note("key escape");
        input::Key(VK_ESCAPE);
    } else if (n < 90) {
        TypeCharacter();
    } else {
        static constexpr char kLetters[] = {'A', 'C', 'V', 'X', 'F'};
        const char letter = kLetters[Below(static_cast<int>(std::size(kLetters)))];
        Note("key control+%c", letter);
        input::Key(static_cast<UINT>(letter), false, true);
    }
}

void CRandomActions::TypeCharacter() {
    const wchar_t c = kTypedCharacters[Below(static_cast<int>(std::size(kTypedCharacters)) - 1)];
    Note("type U+%04X", static_cast<unsigned>(c));
    input::Character(c);
}

// A click on one of the page's buttons or switches: they are small, and random points
// would seldom meet them. The sheet's Cancel, which ends the run, only now and then.
void CRandomActions::ClickButton(HWND hSheet) {
    std::vector<HWND> buttons;
    for (HWND hWnd : Descendants(hSheet))
        if (ClassName(hWnd) == L"Button" && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd) &&
            (GetDlgCtrlID(hWnd) != res::kIdCancel || Chance(5)))
            buttons.push_back(hWnd);
    if (buttons.empty())
        return;
    HWND hButton = buttons[static_cast<std::size_t>(Below(static_cast<int>(buttons.size())))];
    const RECT rect = ScreenRect(hButton);
    Note("click on \"%s\"", Utf8(WindowText(hButton)).c_str());
    input::Click({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

// A press, a few moves (one pixel, across the window, out of it and held there while
// the grid scrolls) and a release.
void CRandomActions::Drag(HWND hSheet, POINT from) {
    Note("drag from %ld,%ld", from.x, from.y);
    input::Press(from);
    POINT point = from;
    for (int nMoves = 1 + Below(6); nMoves > 0; --nMoves) {
        if (Chance(30)) {
            point = PointOnSheet(hSheet);
        } else {
            point.x += Below(3) == 0 ? Below(3) - 1 : Below(400) - 200;
            point.y += Below(3) == 0 ? Below(3) - 1 : Below(300) - 150;
        }
        input::MoveTo(point);
        if (Chance(10))
            Sleep(static_cast<DWORD>(30 + Below(120)));  // held: the grid scrolls on its timer
        if (Chance(2))
            SwitchAway();
    }
    Note("drag released at %ld,%ld", point.x, point.y);
    input::Release(point);
}

// Another window takes the keyboard (and with it any mouse capture) for a moment.
void CRandomActions::SwitchAway() {
    Note("another window takes the keyboard");
    HWND hOther = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0,
                                  200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hOther);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    DestroyWindow(hOther);
}

void CRandomActions::PutTextOnClipboard() {
    std::wstring text;
    const int nRows = 1 + Below(Chance(10) ? 200 : 4);
    const int nColumns = 1 + Below(6);
    for (int nRow = 0; nRow < nRows; ++nRow) {
        for (int nCol = 0; nCol < nColumns; ++nCol)
            text += RandomText(Chance(2) ? 40000 : 12) + (nCol + 1 < nColumns ? L"\t" : L"");
        text += Chance(30) ? L"\r\n" : L"\n";
    }
    Note("clipboard holds %d rows of %d columns", nRows, nColumns);
    input::PutClipboardText(text);
}

void CRandomActions::Resize(HWND hSheet) {
    const int nWidth = 100 + Below(1100);
    const int nHeight = 100 + Below(800);
    Note("resize the sheet to %dx%d", nWidth, nHeight);
    SetWindowPos(hSheet, nullptr, 0, 0, nWidth, nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT CRandomActions::PointIn(HWND hWnd) {
    const RECT rect = ScreenRect(hWnd);
    return {rect.left + Below(rect.right - rect.left), rect.top + Below(rect.bottom - rect.top)};
}

// Half of the points on the grid, where most of the input handling is.
POINT CRandomActions::PointOnSheet(HWND hSheet) {
    for (HWND hWnd : Descendants(hSheet))
        if (GetDlgCtrlID(hWnd) == res::kIdGrid && IsWindowVisible(hWnd) && Chance(50))
            return PointIn(hWnd);
    return PointIn(hSheet);
}

std::wstring CRandomActions::RandomText(int nMaxLength) {
    std::wstring text;
    for (int n = Below(nMaxLength + 1); n > 0; --n)
        text += kTypedCharacters[Below(static_cast<int>(std::size(kTypedCharacters)) - 1)];
    return text;
}
