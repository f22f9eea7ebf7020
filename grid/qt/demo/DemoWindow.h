#pragma once

class CGridCtrl;
class IMessageBox;
class QWidget;

// The demo's window: the sample table on the left, an empty grid on the right to copy,
// paste and drag cells into (and back), and a Save and a Load button under them. Save
// writes the left grid to a text file, Load reads one into the right grid, cells
// separated by commas. The grids and the message box belong to the caller and outlive
// the window.
void BuildDemoWindow(QWidget& window, CGridCtrl& left, CGridCtrl& right, IMessageBox& messageBox,
                     int nDataRows);
