#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// A program run by a test with pipes on stdin, stdout and stderr (e.g. tovamo-cli). The
// test feeds stdin, waits for output, signals it and collects its exit status. A process
// still running when the object goes is killed.
class ChildProcess {
public:
    // `env`: "NAME=value" entries added to (or replacing those of) this process's
    // environment. Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void WriteStdin(const std::string& bytes);
    void CloseStdin();
    void Signal(int signal);

    // Waits until stdout holds `needle`; false on time-out or when the program ended first.
    bool WaitForStdout(const std::string& needle, std::chrono::milliseconds timeout);
    // Waits for the end: the exit status, or 128 + the signal that killed it; -1 when it
    // did not end in time (it is then killed).
    int Wait(std::chrono::milliseconds timeout);

    const std::string& Stdout() const { return m_strOut; }
    const std::string& Stderr() const { return m_strErr; }

private:
    // Reads what is available within `timeout`; false once both outputs have ended.
    bool Pump(std::chrono::milliseconds timeout);

    pid_t m_nPid = -1;
    int m_nIn = -1;
    int m_nOut = -1;
    int m_nErr = -1;
    int m_nStatus = -1;
    std::string m_strOut;
    std::string m_strErr;
};

// Runs a program with empty stdin to its end (generous time-out); Stdout/Stderr/status.
struct ChildResult {
    int status = -1;
    std::string out;
    std::string err;
};
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
