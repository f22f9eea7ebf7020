#pragma once

#include "app/qt/ColorStatic.h"
#include "app/qt/MyCPropertyPage.h"

class IKeyWriter;

// The "Edit" page: the keyboard becomes the drive's four panel keys, and each record
// the drive answers with is shown in the name, value or error field; the field that
// changed kind last is highlighted white.
class CEditParam : public CMyCPropertyPage {
    Q_OBJECT
public:
    static constexpr CPageTemplate kTemplate{129, "Edit", 423, 215};

    explicit CEditParam(IKeyWriter& writer, QWidget* parent = nullptr);

    bool PreTranslatePageMessage(QEvent* event) override;

    // Kinds of the record shown last.
    enum { kNone = -1, kName = 0, kError = 1, kValue = 2 };
    int LastKind() const { return m_nLastKind; }

    // The drive key byte for a key code, or 0 when the key is not one of the eight.
    static char KeyByte(int qtKey);

protected:
    void OnPageData(std::unique_ptr<CServoData> record) override;

private:
    void CreateLabels();
    void ShowValue(const QString& text);
    void ShowError(const QString& text);
    void ShowName(const QString& text);

    IKeyWriter& m_Writer;
    CColorStatic m_stcError{this, Qt::AlignLeft};   // 1004, the last error
    CColorStatic m_stcValue{this, Qt::AlignRight};  // 1003, the parameter value
    CColorStatic m_stcName{this, Qt::AlignLeft};    // 1002, the parameter name
    int m_nLastKind = kNone;
};
