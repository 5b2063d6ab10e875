#include "game_app.h"

#include "res/resource.h"
#include "ui/game_dlg.h"

#include <commctrl.h>

// The one application object.
CGameApp theApp;

CGameApp::CGameApp() : m_hAccel(nullptr) {}

CGameApp::~CGameApp() = default;

BOOL CGameApp::InitInstance() {
    InitCommonControls();
    // A missing table leaves F2 and F3 untranslated; the menu still works.
    m_hAccel = ::LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_GAME_ACCEL));

    {
        CGameDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    // No message loop of our own: the program ends with the game window.
    return FALSE;
}

BOOL CGameApp::PreTranslateMessage(MSG* pMsg) {
    // F2 and F3 act only while the game window takes input itself: while one of its dialogs is
    // open (the window is disabled then) they would re-enter the command that opened it.
    if (m_hAccel != nullptr && m_pMainWnd != nullptr) {
        const HWND hMain = m_pMainWnd->GetSafeHwnd();
        if (hMain != nullptr && ::IsWindowEnabled(hMain) &&
            ::TranslateAcceleratorW(hMain, m_hAccel, pMsg) != 0)
            return TRUE;
    }
    return CWinApp::PreTranslateMessage(pMsg);
}
