// The single-line edit of every dialog: the flat-framed edit with an optional filter of
// allowed characters.
#pragma once

#include "FlatEdit.h"

class CEditEx : public CFlatEdit
{
public:
    CEditEx();
    ~CEditEx() override;

    // Allowed characters (GBK characters count whole); empty allows everything.
    virtual void SetValidChars(const CString& chars);

protected:
    afx_msg void OnEnChange();

    CString m_validChars;

    DECLARE_MESSAGE_MAP()

    friend class CEditCustom;
};
