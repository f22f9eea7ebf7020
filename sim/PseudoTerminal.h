#pragma once

#include <string>

// The simulated drive's end of the line: a pseudo-terminal whose slave side the program
// under test opens as its serial port. The slave is kept open here too, so the master
// does not see a hang-up each time the program closes its port; it is put in raw mode
// once so that nothing is echoed before the program configures it.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // Returns false with a reason in `error`.
    bool Open(std::string& error);
    // Both ends closed: the program's port sees a hang-up, as when a cable is pulled.
    void Close();

    int MasterFd() const { return m_nMaster; }  // non-blocking
    int SlaveFd() const { return m_nSlave; }
    const std::string& SlavePath() const { return m_strSlavePath; }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlavePath;
};
