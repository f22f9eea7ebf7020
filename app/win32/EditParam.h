#pragma once

#include "app/EditFields.h"
#include "app/win32/ColorStatic.h"
#include "app/win32/MyCPropertyPage.h"

#include "platform/win32/Win32Api.h"

class IKeyWriter;

// The "Edit" page: the keyboard becomes the drive's four panel keys, and each record
// the drive answers with is shown in the name, value or error field; the field that
// changed kind last is highlighted white.
class CEditParam : public CMyCPropertyPage {
public:
    explicit CEditParam(IKeyWriter& writer);
    ~CEditParam() override;

    bool PreTranslatePageMessage(MSG* pMsg) override;

    int LastKind() const { return m_Fields.LastKind(); }
    // The field of control 1002, 1003 or 1004 (tests look at its colours).
    const CColorStatic& Field(int nId) const;

protected:
    void OnInitDialog() override;
    void OnPageData(std::unique_ptr<CServoData> record) override;
    bool OnMessage(UINT message, WPARAM wParam, SysLPARAM lParam, INT_PTR& result) override;

private:
    void SetBoldFont();
    static void Apply(CColorStatic& field, const SFieldChange& change);

    IKeyWriter& m_Writer;
    CColorStatic m_stcError;  // 1004, the last error
    CColorStatic m_stcValue;  // 1003, the parameter value
    CColorStatic m_stcName;   // 1002, the parameter name
    HFONT m_hBoldFont = nullptr;
    CEditFields m_Fields;  // what each record changes
};
