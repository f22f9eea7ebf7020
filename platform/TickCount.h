#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start, wrapping at 2^32 like the system tick count.
// Callers compare readings with unsigned 32-bit arithmetic.
class ITickCount {
public:
    virtual ~ITickCount() = default;
    virtual std::uint32_t GetTickCount() = 0;
};

// The real clock: a monotonic clock truncated to 32 bits.
class CSystemTickCount final : public ITickCount {
public:
    std::uint32_t GetTickCount() override;
};
