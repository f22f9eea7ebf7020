#include "app/qt/AboutDlg.h"

#include "app/qt/AppIcon.h"
#include "app/qt/QtLayout.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const SDialogTemplate& tmpl = kAboutBoxTemplate;
    setWindowTitle(ResText(tmpl.pszTitle));
    setWindowIcon(TovamoIcon());
    setFont(DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.Size(tmpl.cx, tmpl.cy));

    auto* text = new QLabel(ResText(res::kAboutText), this);
    text->setTextFormat(Qt::PlainText);  // shown as written, no prefix processing
    text->setGeometry(TemplateRect(du, tmpl.controls[0]));

    auto* ok = new QPushButton(ResText(res::kOk), this);
    ok->setGeometry(TemplateRect(du, tmpl, res::kIdOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
