// The port dialog's list: preselection from the stored number, what Connect opens and
// stores, the device line, and the adapters at their numbers.
#include "app/PortList.h"
#include "link/PortNames.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/FakeSerialSystem.h"
#endif

namespace {

TEST(PortList, StoredNumberPreselectsAndConnectStoresTheChoice) {
    struct Row {
        int nStored;
        int nPreselected;
        SConnectChoice connect;  // Connect on that preselection
    };
    const Row rows[] = {
        {1, 0, {1, "COM1"}}, {12, 11, {12, "COM12"}}, {32, 31, {32, "COM32"}},
        {0, -1, {0, ""}},    {33, -1, {0, ""}},       {-4, -1, {0, ""}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreselectedIndex(row.nStored), row.nPreselected) << row.nStored;
        EXPECT_EQ(ConnectChoice(row.nPreselected), row.connect) << row.nStored;
    }
}

TEST(PortList, DeviceLineSaysWhereThePortLeads) {
    SDeviceState state;
    CPortList ports({"/nonexistent/by-id", "/nonexistent/tty", "/nonexistent/ports", nullptr},
                    [&](const std::string&) { return state; });
    const std::string path = ResolvePortPath("COM3");
    struct Row {
        SDeviceState::EKind eKind;
        const char* target;
        std::string expected;
    };
    const Row rows[] = {
        {SDeviceState::kPlain, "", "Device: " + path},
        {SDeviceState::kUnknown, "", "Device: " + path},
        {SDeviceState::kMissing, "", "Device: " + path + " (does not exist)"},
        {SDeviceState::kLink, "/dev/ttyUSB0", "Device: " + path + " -> /dev/ttyUSB0"},
    };
    for (const Row& row : rows) {
        state = {row.eKind, row.target};
        EXPECT_EQ(ports.DeviceLine(2), row.expected);
    }
    EXPECT_EQ(ports.DeviceLine(-1), "") << "nothing selected";
    EXPECT_EQ(ports.LinkForConnect(2), "") << "a port that is no adapter needs no link";
}

#ifndef _WIN32
TEST(PortList, AnAdapterIsListedAtItsNumberAndLinkedOnConnect) {
    CFakeSerialSystem serial;
    CPortList ports({serial.ById(), serial.SysClassTty(), serial.PortLinks(), nullptr});
    EXPECT_EQ(ports.LineText(0), "COM1");
    EXPECT_FALSE(ports.Rescan()) << "nothing plugged in or out";

    const std::string byId = serial.PlugIn("usb-Fake-if00-port0", "ttyUSB3", "Fake Adapter");
    EXPECT_TRUE(ports.Rescan());
    EXPECT_EQ(ports.LineText(0), "COM1: Fake Adapter (ttyUSB3)");
    EXPECT_EQ(ports.LineText(1), "COM2");
    EXPECT_EQ(ports.DeviceLine(0), "Device: " + byId + " (linked as COM1 on Connect)");

    EXPECT_EQ(ports.LinkForConnect(0), "");
    EXPECT_TRUE(ports.Rescan()) << "the adapter is linked now";
    ASSERT_NE(ports.AdapterAt(1), nullptr);
    EXPECT_TRUE(ports.AdapterAt(1)->m_bLinked);
}
#endif

}  // namespace
