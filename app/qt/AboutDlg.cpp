#include "app/qt/AboutDlg.h"

#include "app/qt/AppIcon.h"
#include "app/qt/Resources.h"
#include "platform/qt/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(res::kAboutTitle));
    setWindowIcon(TovamoIcon());
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(235, 55));

    auto* text = new QLabel(QString::fromLatin1(res::kAboutText), this);
    text->setTextFormat(Qt::PlainText);  // shown as written, no prefix processing
    text->setGeometry(du.Rect(40, 10, 119, 8));

    auto* ok = new QPushButton(QString::fromLatin1(res::kOk), this);
    ok->setGeometry(du.Rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
