#pragma once

#include "platform/WaitCursor.h"

// The application-wide busy cursor (an override cursor). Begin and End pair up; End
// without a Begin of this object does nothing.
class CQtWaitCursor final : public IWaitCursor {
public:
    CQtWaitCursor() = default;
    ~CQtWaitCursor() override;

    CQtWaitCursor(const CQtWaitCursor&) = delete;
    CQtWaitCursor& operator=(const CQtWaitCursor&) = delete;

    void BeginWaitCursor() override;
    // Shows the busy cursor again after something (a message box) changed it.
    void RestoreWaitCursor() override;
    void EndWaitCursor() override;

    int Depth() const { return m_nDepth; }

private:
    int m_nDepth = 0;  // Begins not yet ended, all of them on the override stack
};
