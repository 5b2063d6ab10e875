// CAboutDlg: the version dialog opened from the game window's system menu.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override;
};
