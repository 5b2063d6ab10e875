// CGameApp: the application object: start-up, accelerators, the game window's modal run.
#pragma once

#include "framework/app.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HACCEL m_hAccel;
};
