#pragma once

#include <memory>

#include "link/SerialBackend.h"

// The serial port of the system the program is built for (SerialPortPosix.cpp or
// SerialPortWin32.cpp).
std::unique_ptr<ISerialBackend> MakeSystemSerialPort();
