#include "app/win32/ServoDataPoster.h"

#include "app/win32/MyCPropertyPage.h"

void CServoDataPoster::Attach(HWND hTarget) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_hTarget = hTarget;
}

void CServoDataPoster::PostServoData(std::unique_ptr<CServoData> record) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_hTarget == nullptr)
        return;  // the record is deleted here
    CServoData* posted = record.release();
    // A queue that is full or a window that has gone takes nothing: the record stays ours.
    if (!::PostMessageW(m_hTarget, WM_SERVODATA, reinterpret_cast<WPARAM>(posted), 0))
        delete posted;
}

void CServoDataPoster::Detach() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_hTarget == nullptr)
        return;
    // Posted but not yet delivered: the window will not take them any more.
    MSG msg;
    while (::PeekMessageW(&msg, m_hTarget, WM_SERVODATA, WM_SERVODATA, PM_REMOVE))
        TakeRecord(msg.wParam);
    m_hTarget = nullptr;
}

std::unique_ptr<CServoData> CServoDataPoster::TakeRecord(WPARAM wParam) {
    return std::unique_ptr<CServoData>(reinterpret_cast<CServoData*>(wParam));
}
