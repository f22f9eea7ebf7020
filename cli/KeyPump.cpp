#include "cli/KeyPump.h"

void CKeyPump::Run() {
    if (PumpUntilEndOfInput())
        WaitOutGraceTime();
    m_bDone.store(true);
    m_queue.Wake();
}

void CKeyPump::SendKeys(const char* bytes, long count) {
    for (long i = 0; i < count; ++i) {
        if (bytes[i] == 'e' || bytes[i] == 'o' || bytes[i] == 'u' || bytes[i] == 'd')
            m_keys.WritePort(&bytes[i], 1);
    }
}
