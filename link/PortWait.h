#pragma once

// What the reader's wait between two polling passes saw on the port.
enum EPortSeen : short {
    kPortInput = 0x1,   // bytes can be read (or a read tells that the port has failed)
    kPortFailed = 0x2,  // hang-up, error, or the device is gone
};
