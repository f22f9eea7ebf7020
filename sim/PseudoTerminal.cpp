#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
std::string Reason(const char* call) {
    return std::string(call) + ": " + std::strerror(errno);
}
}  // namespace

CPseudoTerminal::~CPseudoTerminal() {
    Close();
}

void CPseudoTerminal::Close() {
    if (m_nSlave >= 0)
        close(m_nSlave);
    if (m_nMaster >= 0)
        close(m_nMaster);
    m_nSlave = -1;
    m_nMaster = -1;
}

bool CPseudoTerminal::Open(std::string& error) {
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_nMaster < 0) {
        error = Reason("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0 || ptsname_r(m_nMaster, name, sizeof name) != 0) {
        error = Reason("preparing the pseudo-terminal");
        return false;
    }
    m_strSlavePath = name;
    m_nSlave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_nSlave < 0) {
        error = Reason(name);
        return false;
    }
    termios settings{};
    if (tcgetattr(m_nSlave, &settings) != 0) {
        error = Reason("tcgetattr");
        return false;
    }
    cfmakeraw(&settings);
    cfsetspeed(&settings, B9600);
    if (tcsetattr(m_nSlave, TCSANOW, &settings) != 0) {
        error = Reason("tcsetattr");
        return false;
    }
    const int flags = fcntl(m_nMaster, F_GETFL);
    if (flags < 0 || fcntl(m_nMaster, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = Reason("fcntl");
        return false;
    }
    return true;
}
