#pragma once

#include "app/EditFields.h"
#include "app/qt/ColorStatic.h"
#include "app/qt/MyCPropertyPage.h"

class IKeyWriter;

// The "Edit" page: the keyboard becomes the drive's four panel keys, and each record
// the drive answers with is shown in the name, value or error field; the field that
// changed kind last is highlighted white.
class CEditParam : public CMyCPropertyPage {
    Q_OBJECT
public:
    explicit CEditParam(IKeyWriter& writer, QWidget* parent = nullptr);

    bool PreTranslatePageMessage(QEvent* event) override;

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override;

private:
    void CreateLabels();
    static void Apply(CColorStatic& field, const SFieldChange& change);

    IKeyWriter& m_Writer;
    CColorStatic m_stcError{this, Qt::AlignLeft};   // 1004, the last error
    CColorStatic m_stcValue{this, Qt::AlignRight};  // 1003, the parameter value
    CColorStatic m_stcName{this, Qt::AlignLeft};    // 1002, the parameter name
    CEditFields m_Fields;
};
