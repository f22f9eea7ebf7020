#include "grid/qt/demo/DemoWindow.h"

#include "grid/GridCtrl.h"
#include "grid/qt/GridWnd.h"
#include "grid/qt/demo/DemoGrid.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr char kSeparator = ',';
constexpr int kRightRows = 40;
constexpr int kRightColumns = 5;

const QString kFilter = QStringLiteral("Text Files (*.txt);;All Files (*)");

// A blank sheet with a header row and column, as wide as the left grid's columns.
void FillRightGrid(CGridCtrl& right, const CGridCtrl& left) {
    right.SetColumnCount(kRightColumns);
    right.SetRowCount(kRightRows);
    right.SetFixedRowCount(1);
    right.SetFixedColumnCount(1);
    for (int nCol = 0; nCol < kRightColumns; ++nCol) {
        right.SetItemText(0, nCol,
                          nCol == 0 ? std::string() : std::string(1, static_cast<char>('A' + nCol - 1)));
        right.SetColumnWidth(nCol, left.GetColumnWidth(std::min(nCol, left.GetColumnCount() - 1)));
    }
    for (int nRow = 1; nRow < kRightRows; ++nRow)
        right.SetItemText(nRow, 0, std::to_string(nRow));
}

void AddFileButtons(QWidget& window, QBoxLayout& layout, CGridCtrl& left, CGridCtrl& right) {
    auto* pSave = new QPushButton(QStringLiteral("&Save left grid..."), &window);
    auto* pLoad = new QPushButton(QStringLiteral("&Load into right grid..."), &window);
    layout.addWidget(pSave);
    layout.addWidget(pLoad);
    layout.addStretch();
    QObject::connect(pSave, &QPushButton::clicked, &window, [&window, &left]() {
        const QString path = QFileDialog::getSaveFileName(&window, QString(), QString(), kFilter);
        if (!path.isEmpty())
            left.Save(QFile::encodeName(path).toStdString(), kSeparator);
    });
    QObject::connect(pLoad, &QPushButton::clicked, &window, [&window, &right]() {
        const QString path = QFileDialog::getOpenFileName(&window, QString(), QString(), kFilter);
        if (!path.isEmpty())
            right.Load(QFile::encodeName(path).toStdString(), kSeparator);
    });
}

}  // namespace

void BuildDemoWindow(QWidget& window, CGridCtrl& left, CGridCtrl& right, IMessageBox& messageBox,
                     int nDataRows) {
    auto* pLeftWnd = new CGridWnd(left, &window);
    auto* pRightWnd = new CGridWnd(right, &window);
    auto* pGrids = new QHBoxLayout;
    pGrids->addWidget(pLeftWnd, 3);
    pGrids->addWidget(pRightWnd, 2);
    auto* pButtons = new QHBoxLayout;
    auto* pLayout = new QVBoxLayout(&window);
    pLayout->setContentsMargins(6, 6, 6, 6);
    pLayout->addLayout(pGrids);
    pLayout->addLayout(pButtons);
    FillDemoGrid(left, nDataRows);
    FillRightGrid(right, left);
    for (CGridCtrl* pGrid : {&left, &right}) {
        pGrid->SetDragAndDrop(true);
        pGrid->SetMessageBox(&messageBox);
    }
    AddFileButtons(window, *pButtons, left, right);
    pLeftWnd->setFocus();
}
