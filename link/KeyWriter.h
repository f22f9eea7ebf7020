#pragma once

// Sends bytes to the drive (single key bytes 'e', 'o', 'u', 'd'). Synchronous, under the
// port's lock; failures are silent.
class IKeyWriter {
public:
    virtual ~IKeyWriter() = default;
    virtual void WritePort(const char* bytes, int count) = 0;
};
