// CGameApp: the application object: start-up, accelerators, the game window's modal run.
#pragma once

#include "framework/app.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // 0, or non-zero when the game window could not be made.
    int ExitInstance() override;

    HACCEL m_hAccel;
    int m_exitCode;
};
