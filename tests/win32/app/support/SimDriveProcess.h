#pragma once

#include <string>

// The Linux simulated drive (tovamo-drive-sim), started from the test under Wine and
// linked as COMn of the Wine prefix, every key it receives logged to a file. The
// environment variable TOVAMO_TEST_DRIVE_SIM names the program (a Unix path, set by
// scripts/test-windows.sh); without it the tests that need a drive are skipped.
class CSimDriveProcess {
public:
    static constexpr const wchar_t* kProgramVariable = L"TOVAMO_TEST_DRIVE_SIM";
    // The Unix path of the simulated drive, empty when it is not given.
    static std::string Program();

    // Starts the drive at COMn and waits until it serves its terminal.
    explicit CSimDriveProcess(int nComNumber);
    // Ends the drive; its link goes with it.
    ~CSimDriveProcess();

    CSimDriveProcess(const CSimDriveProcess&) = delete;
    CSimDriveProcess& operator=(const CSimDriveProcess&) = delete;

    bool Ready() const { return m_bReady; }
    // Every key byte the drive has received so far.
    std::string Keys() const;
    // Waits until the drive has received at least nCount keys.
    bool WaitForKeys(size_t nCount, int timeoutMs = 10000) const;

private:
    std::string m_strDir;  // Unix path of the drive's files (pid, output, key log)
    std::wstring m_strDirWindows;
    std::string m_strLink;  // Unix path of the COM link
    bool m_bReady = false;
};

// The Unix path of a Windows path, as Wine maps it; empty outside Wine.
std::string UnixPath(const std::wstring& windowsPath);
