#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "FramingVectors.h"
#include "link/LinkState.h"
#include "link/ServoDataSink.h"
#include "platform/MessageBox.h"
#include "support/RecordingMessageBox.h"
#include "support/TempDir.h"

// Generous limit for anything a test waits for; only reached when something is broken.
inline constexpr std::chrono::seconds kPatience{10};

// Collects the reader's records; the test waits for them.
class CCollectingSink final : public IServoDataSink {
public:
    void PostServoData(std::unique_ptr<CServoData> record) override;
    bool WaitForCount(std::size_t count);
    std::vector<SExpectedRecord> Records() const;

    // Runs on the reader thread for every record, before it is stored.
    std::function<void()> m_OnRecord;

private:
    mutable std::mutex m_Lock;
    std::condition_variable m_Arrived;
    std::vector<SExpectedRecord> m_Records;
};

// Keeps the link states the reader reports, as "lost", "busy", "back".
class CLinkStateRecorder final : public ILinkStateListener {
public:
    void OnLinkState(ELinkState state, const std::string& detail) override;
    // Waits until `count` states have come; false when kPatience ran out.
    bool WaitForCount(std::size_t count, std::chrono::milliseconds patience = kPatience);
    std::vector<std::string> States() const;
    std::vector<std::string> Details() const;

private:
    mutable std::mutex m_Lock;
    std::condition_variable m_Arrived;
    std::vector<std::string> m_States;
    std::vector<std::string> m_Details;
};

// A pseudo-terminal: the test plays the drive on the master; the port opens the slave.
class CPtyPair {
public:
    CPtyPair();
    ~CPtyPair();
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    const std::string& SlavePath() const { return m_strSlavePath; }
    int SlaveFd() const { return m_nSlave; }
    // Waits for room as a drive would; gives up (false) once keepGoing turns false.
    bool SendFromDrive(const std::string& bytes, const std::atomic<bool>* keepGoing = nullptr);
    // Reads count bytes that the port wrote, waiting for them; fewer if they never come.
    std::string ReceiveAtDrive(std::size_t count);
    void CloseMaster();

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlavePath;
};

// Sets an environment variable for the life of the object.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const std::string& value);
    ~CScopedEnv();
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_strName;
    bool m_bHadValue = false;
    std::string m_strOldValue;
};

// Waits until done() holds; false when kPatience ran out.
bool WaitUntil(const std::function<bool()>& done);
