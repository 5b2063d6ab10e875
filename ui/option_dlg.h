// COptionDlg: the Options dialog, which also keeps the current option values.
#pragma once

#include "framework/dialog.h"

class COptionDlg : public CDialog {
public:
    explicit COptionDlg(CWnd* pParent = nullptr);
    ~COptionDlg() override;

    int m_nFirstPlayer; // player kind of white, the first mover: the list index
    int m_bGuide;       // guide marks on (1) or off (0)
    int m_nLastPlayer;  // player kind of black, the second mover

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
