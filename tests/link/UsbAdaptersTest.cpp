// The adapter list and its port links on a fake /dev/serial/by-id and sysfs.
#include "link/UsbAdapters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "support/FakeSerialSystem.h"

namespace {

namespace fs = std::filesystem;

SAdapterFolders FoldersOf(const CFakeSerialSystem& system) {
    SAdapterFolders folders;
    folders.m_strById = system.ById();
    folders.m_strSysClassTty = system.SysClassTty();
    folders.m_strPortLinks = system.PortLinks();
    folders.m_probeUart = [&system](const std::string& path) { return system.ProbeUart(path); };
    return folders;
}

// "COM5 FT232R USB UART (ttyUSB0) linked" per adapter, in list order.
std::vector<std::string> Lines(const std::vector<SUsbAdapter>& adapters) {
    std::vector<std::string> lines;
    for (const SUsbAdapter& adapter : adapters)
        lines.push_back("COM" + std::to_string(adapter.m_nComNumber) + " " + adapter.m_strProduct + " (" +
                        adapter.m_strDevice + ")" + (adapter.m_bLinked ? " linked" : ""));
    return lines;
}

const char* const kFtdi = "usb-FTDI_FT232R_USB_UART_A1-if00-port0";
const char* const kProlific = "usb-Prolific_PL2303-if00-port0";

TEST(UsbAdapters, NumbersFollowLinksThenTheFirstFreeNumber) {
    struct SRow {
        const char* m_pszWhat;
        std::function<void(CFakeSerialSystem&)> m_setUp;
        std::vector<std::string> m_expected;
    };
    const SRow rows[] = {
        {"a port link by stable name keeps its number",
         [](CFakeSerialSystem& s) { s.Link(7, s.PlugIn(kFtdi, "ttyUSB0", "FT232R USB UART")); },
         {"COM7 FT232R USB UART (ttyUSB0) linked"}},
        {"a link made by hand to the node counts too",
         [](CFakeSerialSystem& s) {
             s.PlugIn(kFtdi, "ttyUSB0", "FT232R USB UART");
             s.Link(4, s.DevNode("ttyUSB0"));
         },
         {"COM4 FT232R USB UART (ttyUSB0) linked"}},
        {"real built-in ports, links and a dangling link are skipped; placeholders are not",
         [](CFakeSerialSystem& s) {
             s.AddBuiltInPort(0, "4");           // COM1: a 16550A
             s.Link(2, "/dev/ttyS9");            // COM2: a link elsewhere
             s.Link(3, "/nonexistent/ttyUSB7");  // COM3: a dangling link
             s.AddBuiltInPort(3, "", 1);         // COM4: sysfs silent, the device answers as a UART
             s.AddBuiltInPort(4, "", -1);        // COM5: cannot tell, so it keeps its number
             s.AddBuiltInPort(5, "0");           // COM6: a placeholder without a UART
             s.PlugIn(kFtdi, "ttyUSB0", "FT232R USB UART");
         },
         {"COM6 FT232R USB UART (ttyUSB0)"}},
        {"two adapters: the linked one keeps its number, the new one takes the first free",
         [](CFakeSerialSystem& s) {
             s.PlugIn(kProlific, "ttyUSB1", "USB-Serial Controller");
             s.Link(1, s.PlugIn(kFtdi, "ttyUSB0", "FT232R USB UART"));
         },
         {"COM1 FT232R USB UART (ttyUSB0) linked", "COM2 USB-Serial Controller (ttyUSB1)"}},
        {"no product name: the USB ids",
         [](CFakeSerialSystem& s) { s.PlugIn("usb-1a86_USB_Serial-if00-port0", "ttyUSB0", ""); },
         {"COM1 0403:6001 (ttyUSB0)"}},
        {"nothing plugged in", [](CFakeSerialSystem&) {}, {}},
    };
    for (const SRow& row : rows) {
        CFakeSerialSystem system;
        row.m_setUp(system);
        CUsbAdapterScan scan(FoldersOf(system));
        EXPECT_EQ(Lines(scan.Scan()), row.m_expected) << row.m_pszWhat;
    }
}

TEST(UsbAdapters, TheListFollowsPlugsWithoutReshuffling) {
    CFakeSerialSystem system;
    CUsbAdapterScan scan(FoldersOf(system));
    system.PlugIn(kProlific, "ttyUSB0", "USB-Serial Controller");
    EXPECT_EQ(Lines(scan.Scan()), std::vector<std::string>{"COM1 USB-Serial Controller (ttyUSB0)"});
    // A second adapter whose name sorts first does not take the number already shown.
    system.PlugIn(kFtdi, "ttyUSB1", "FT232R USB UART");
    EXPECT_EQ(Lines(scan.Scan()), (std::vector<std::string>{"COM1 USB-Serial Controller (ttyUSB0)",
                                                            "COM2 FT232R USB UART (ttyUSB1)"}));
    system.Unplug(kProlific);
    EXPECT_EQ(Lines(scan.Scan()), std::vector<std::string>{"COM2 FT232R USB UART (ttyUSB1)"});
}

TEST(UsbAdapters, CreatePortLinkReplacesOnlyLinksToTheSameAdapterOrToNothing) {
    struct SRow {
        const char* m_pszWhat;
        std::function<void(CFakeSerialSystem&)> m_existing;  // what is at COM3 before
        bool m_bMade;
    };
    const SRow rows[] = {
        {"no link yet (and no folder)", [](CFakeSerialSystem&) {}, true},
        {"a dangling link", [](CFakeSerialSystem& s) { s.Link(3, "/nonexistent/ttyUSB5"); }, true},
        {"a hand-made link to the same node", [](CFakeSerialSystem& s) { s.Link(3, s.DevNode("ttyUSB0")); },
         true},
        {"the link exists already", [](CFakeSerialSystem& s) { s.Link(3, s.ById() + "/" + kFtdi); }, true},
        {"a link to another device", [](CFakeSerialSystem& s) { s.Link(3, "/dev/null"); }, false},
        {"a file that is no link",
         [](CFakeSerialSystem& s) {
             fs::create_directories(s.PortLinks());
             WriteFileBytes(s.PortLink(3), "mine\n");
         },
         false},
    };
    for (const SRow& row : rows) {
        CFakeSerialSystem system;
        SUsbAdapter adapter;
        adapter.m_nComNumber = 3;
        adapter.m_strById = system.PlugIn(kFtdi, "ttyUSB0", "FT232R USB UART");
        row.m_existing(system);
        const fs::path link = system.PortLink(3);
        const fs::path before = fs::is_symlink(link) ? fs::read_symlink(link) : fs::path();
        const std::string error = CreatePortLink(adapter, system.PortLinks());
        if (row.m_bMade) {
            EXPECT_EQ(error, "") << row.m_pszWhat;
            EXPECT_EQ(fs::read_symlink(link), adapter.m_strById) << row.m_pszWhat;
        } else {
            EXPECT_NE(error.find(link.string()), std::string::npos) << row.m_pszWhat << ": " << error;
            EXPECT_EQ(fs::is_symlink(link) ? fs::read_symlink(link) : fs::path(), before) << row.m_pszWhat;
        }
        const auto entries =
            std::distance(fs::directory_iterator(system.PortLinks()), fs::directory_iterator());
        EXPECT_EQ(entries, 1) << row.m_pszWhat << ": nothing else is left in the folder";
    }
}

// Windows names its COM ports itself; the list line shows the friendly name without the
// port name the system adds to it.
TEST(UsbAdapters, WindowsPortNamesMakeListLines) {
    struct SRow {
        const char* m_pszPort;
        const char* m_pszFriendly;
        std::string m_strLine;  // "" when the port is not listed
    };
    const SRow rows[] = {
        {"COM5", "USB Serial Port (COM5)", "COM5 USB Serial Port (COM5) linked"},
        {"COM1", "Communications Port (COM1)", "COM1 Communications Port (COM1) linked"},
        {"COM32", "Prolific USB-to-Serial Comm Port",
         "COM32 Prolific USB-to-Serial Comm Port (COM32) linked"},
        {"COM3", "", "COM3 Serial port (COM3) linked"},
        {"COM33", "USB Serial Port (COM33)", ""},
        {"COM05", "USB Serial Port (COM05)", ""},
        {"LPT1", "Printer Port (LPT1)", ""},
        {"", "", ""},
    };
    for (const SRow& row : rows) {
        const SUsbAdapter port = AdapterFromPortName(row.m_pszPort, row.m_pszFriendly);
        const std::vector<std::string> lines = Lines({port});
        EXPECT_EQ(port.m_nComNumber > 0 ? lines.front() : "", row.m_strLine) << row.m_pszPort;
    }
}

}  // namespace
