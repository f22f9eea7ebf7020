#pragma once

#include <memory>

#include "link/ServoData.h"

// Receives the records of the reader thread, in the order they were cut. Called on the
// reader thread: an implementation queues the record for its own thread (the GUI's
// event loop, the CLI's loop) and returns at once. A record it cannot deliver is simply
// dropped: the unique_ptr deletes it, so every record is deleted exactly once.
class IServoDataSink {
public:
    virtual ~IServoDataSink() = default;
    virtual void PostServoData(std::unique_ptr<CServoData> record) = 0;
};
