#include "platform/win32/MessageWindow.h"

#include "platform/win32/Win32Api.h"

namespace {

constexpr const wchar_t* kClassName = L"TovamoMessageWindow";

void RegisterOnce(WNDPROC pProc) {
    static const bool bRegistered = [pProc] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = pProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)bRegistered;
}

}  // namespace

CMessageWindow::CMessageWindow(Handler handler) : m_handler(std::move(handler)) {
    RegisterOnce(reinterpret_cast<WNDPROC>(&CMessageWindow::WindowProc));
    m_hWnd = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    if (m_hWnd != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CMessageWindow::~CMessageWindow() {
    if (m_hWnd != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

std::intptr_t __stdcall CMessageWindow::WindowProc(HWND hWnd, unsigned nMessage, std::uintptr_t wParam,
                                                   std::intptr_t lParam) {
    auto* pWindow = reinterpret_cast<CMessageWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pWindow != nullptr && pWindow->m_handler && pWindow->m_handler(nMessage, wParam, lParam))
        return 0;
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}
