#pragma once

// The busy cursor shown while a drive procedure runs. End when none is shown does nothing.
class IWaitCursor {
public:
    virtual ~IWaitCursor() = default;
    virtual void BeginWaitCursor() = 0;
    virtual void RestoreWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};
