#pragma once

class CHardware;

// The application object: reads the stored port number and runs the port dialog as
// the main window. One start serves one connection.
class CTovamoApp {
public:
    explicit CTovamoApp(CHardware& hardware) : m_Hardware(hardware) {}

    CTovamoApp(const CTovamoApp&) = delete;
    CTovamoApp& operator=(const CTovamoApp&) = delete;

    // Runs the program up to the end of the port dialog. Returns false: there is no
    // message loop to run afterwards.
    bool InitInstance();
    // Returns the process exit status.
    int ExitInstance();

private:
    CHardware& m_Hardware;
};
