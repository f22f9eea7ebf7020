#pragma once

// One-shot timers of a page, fired on the thread that handles the drive's records.
// SetTimer returns a nonzero handle; the owner is called back with that handle when
// the time has passed (the owner then stops it with KillTimer). KillTimer of a handle
// that is not pending does nothing.
class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    virtual unsigned SetTimer(unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned handle) = 0;
};
