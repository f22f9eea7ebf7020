#include "platform/TickCount.h"

#include <windows.h>

// The system's own tick count, which wraps after 49.7 days as callers expect.
std::uint32_t CSystemTickCount::GetTickCount() {
    return static_cast<std::uint32_t>(::GetTickCount());
}
