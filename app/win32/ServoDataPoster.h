#pragma once

#include "link/ServoDataSink.h"

#include <mutex>

#include "platform/win32/Win32Api.h"

// The reader thread's sink for one window: posts every record to it as WM_SERVODATA,
// wParam = the record, which the window's thread then owns. Detach() (the window's
// thread, before the window goes) stops the posting and deletes the records still
// queued for the window; records that come afterwards are deleted at once. So every
// record is deleted exactly once, also when the window is gone.
class CServoDataPoster final : public IServoDataSink {
public:
    CServoDataPoster() = default;
    CServoDataPoster(const CServoDataPoster&) = delete;
    CServoDataPoster& operator=(const CServoDataPoster&) = delete;
    ~CServoDataPoster() override { Detach(); }

    void Attach(HWND hTarget);
    void PostServoData(std::unique_ptr<CServoData> record) override;
    void Detach();

    // Takes the record out of a WM_SERVODATA's wParam.
    static std::unique_ptr<CServoData> TakeRecord(WPARAM wParam);

private:
    std::mutex m_Mutex;
    HWND m_hTarget = nullptr;
};
