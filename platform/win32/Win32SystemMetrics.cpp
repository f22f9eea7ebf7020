#include "platform/win32/Win32SystemMetrics.h"

#include "platform/win32/GdiDrawContext.h"
#include "platform/win32/GdiFont.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Api.h"

namespace {

// The per-DPI calls exist from Windows 10 1607 on: looked up, so that the program still
// starts where they are missing.
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetDpiForSystemFn = UINT(WINAPI*)();

template <typename Fn>
Fn User32Function(const char* pszName) {
    HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
    return hUser != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hUser, pszName)))
                            : nullptr;
}

// The message font at 96 DPI.
LOGFONT ReadMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    static const auto pForDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    if (pForDpi != nullptr && pForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, 96))
        return LogFontFromWide(metrics.lfMessageFont);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return LogFontFromWide(metrics.lfMessageFont, CWin32SystemMetrics::GetSystemDpi());
    return CFixedSystemMetrics().GetMessageFont();
}

int ReadWheelScrollLines() {
    UINT nLines = 3;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        return 3;
    // The system's "one screen per notch" is the grid's page mode.
    return nLines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(nLines);
}

}  // namespace

CWin32SystemMetrics::CWin32SystemMetrics() : m_nDpi(GetSystemDpi()) {
    Refresh();
}

int CWin32SystemMetrics::GetSystemDpi() {
    static const auto pForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    if (pForSystem != nullptr)
        return static_cast<int>(pForSystem());
    HDC hdc = ::GetDC(nullptr);
    const int nDpi = hdc != nullptr ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (hdc != nullptr)
        ::ReleaseDC(nullptr, hdc);
    return nDpi > 0 ? nDpi : 96;
}

void CWin32SystemMetrics::Refresh() {
    for (int i = 0; i < kColourCount; ++i)
        m_colours[static_cast<std::size_t>(i)] = SysGetSysColor(i);
    m_messageFont = ReadMessageFont();
    m_nWheelScrollLines = ReadWheelScrollLines();
}

void CWin32SystemMetrics::SetDpi(int nDpi) {
    if (nDpi > 0)
        m_nDpi = nDpi;
}

COLORREF CWin32SystemMetrics::GetSysColor(int nIndex) const {
    if (nIndex >= 0 && nIndex < kColourCount)
        return m_colours[static_cast<std::size_t>(nIndex)];
    return SysGetSysColor(nIndex);
}

int CWin32SystemMetrics::GetSystemMetrics(int nIndex) const {
    static const auto pForDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (pForDpi != nullptr)
        return pForDpi(nIndex, static_cast<UINT>(m_nDpi));
    return ::MulDiv(SysGetSystemMetrics(nIndex), m_nDpi, GetSystemDpi());
}

LOGFONT CWin32SystemMetrics::GetMessageFont() const {
    return m_messageFont;
}

int CWin32SystemMetrics::GetWheelScrollLines() const {
    return m_nWheelScrollLines;
}

std::unique_ptr<IDrawContext> CWin32SystemMetrics::GetScreenDC() const {
    return CGdiDrawContext::CreateMeasuring(m_messageFont, m_nDpi);
}
