#pragma once

#include <string>

// Where the reader stands with a port that went away (a USB adapter unplugged).
enum class ELinkState {
    kLost,   // the device went away; the reader waits for the port name to lead to one again
    kBusy,   // the device is back but another program holds it; still waiting
    kBack,   // the port is open again with the same settings; records flow again
    kOther,  // another device (another adapter) is under the port's name; not opened, still waiting
};

// Told by the reader thread when the link state changes, once per change. Called with
// the port's lock held, like IServoDataSink: queue the news for your own thread and return;
// never call WritePort from here. `detail` is the device path, for busy also the reason.
class ILinkStateListener {
public:
    virtual ~ILinkStateListener() = default;
    virtual void OnLinkState(ELinkState state, const std::string& detail) = 0;
};
