#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// The serial adapters plugged in now, each at the COM number the port dialog offers it
// under. On Linux an adapter keeps the number of the port link that already leads to it;
// a new one takes the first number from 1 to 32 that has neither a port link nor a real
// built-in port behind it, as Windows numbers a new adapter. Choosing it makes the port
// link, so "COMn" finds the adapter again after replugging. On Windows the system has
// numbered its ports already: the list is each COM port with its name.
struct SUsbAdapter {
    int m_nComNumber = 0;      // 1..32; 0 when every number is taken
    std::string m_strProduct;  // the name to show ("FT232R USB UART")
    std::string m_strDevice;   // the device's own name now ("ttyUSB0", "COM5")
    std::string m_strById;     // Linux: the stable name the port link leads to
    bool m_bLinked = false;    // its COM name leads to it already (a port link on Linux)
};

// Where the scan looks; the defaults are the system's folders.
struct SAdapterFolders {
    std::string m_strById = "/dev/serial/by-id";
    std::string m_strSysClassTty = "/sys/class/tty";
    std::string m_strPortLinks;  // empty: TovamoPortLinkDir()
    // For a built-in port whose sysfs entry does not say what it is: whether the device
    // (/dev/ttyS<n>) answers as a UART. 1 yes, 0 no, -1 cannot tell. Empty: the system's
    // check, which opens the device.
    std::function<int(const std::string& devicePath)> m_probeUart;
};

inline constexpr int kUsbAdapterHighestCom = 32;

class CUsbAdapterScan {
public:
    explicit CUsbAdapterScan(SAdapterFolders folders = {});

    // The adapters plugged in now, by COM number. A new adapter keeps the number an
    // earlier scan gave it while that number stays free, so the list does not reshuffle
    // while the user looks at it.
    std::vector<SUsbAdapter> Scan();

    const std::string& PortLinkDir() const { return m_Folders.m_strPortLinks; }

private:
    bool IsBuiltInPort(int number);

    SAdapterFolders m_Folders;
    std::map<int, bool> m_builtIn;         // checked once per number: ports do not come and go
    std::map<std::string, int> m_offered;  // stable name -> number of the last scan
};

// Gives each adapter without a number the number it had before (offered) when still
// free, else the first free one. isTaken(n) tells whether COMn has a port link or a real
// built-in port; it is asked only about the numbers needed.
void NumberNewAdapters(std::vector<SUsbAdapter>& adapters, const std::function<bool(int)>& isTaken,
                       const std::map<std::string, int>& offered);

// The list line of a COM port as Windows names it: PortName "COM5" and friendly name
// "USB Serial Port (COM5)" make COM5 "USB Serial Port". Number 0 for a name that is not
// COM1..COM32.
SUsbAdapter AdapterFromPortName(const std::string& portName, const std::string& friendlyName);

// Makes the port link linkDir/COMn (n = the adapter's number) lead to the adapter's stable
// name, creating the folder. A link that leads to the same adapter, or to nothing, is
// replaced; anything else at that name is left alone. Returns what went wrong, empty on
// success (on Windows there is nothing to make).
std::string CreatePortLink(const SUsbAdapter& adapter, const std::string& linkDir);
