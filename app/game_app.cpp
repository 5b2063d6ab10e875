#include "game_app.h"

#include "app/app_wait_cursor.h"
#include "res/resource.h"
#include "ui/game_dlg.h"

#include <commctrl.h>

// The one application object.
CGameApp theApp;

namespace {

// Said when the game window cannot be made (its template is missing from the executable, or
// the system refuses the window): the program then ends with a failure code.
const wchar_t START_FAILED_TEXT[] = L"ゲームの画面を開けませんでした。ミルダを終了します。";
const wchar_t START_FAILED_CAPTION[] = L"ミルダ";
constexpr int EXIT_GAME_WINDOW_FAILED = 1;

} // namespace

CGameApp::CGameApp() : m_hAccel(nullptr), m_exitCode(0) {}

CGameApp::~CGameApp() = default;

BOOL CGameApp::InitInstance() {
    InitCommonControls();
    // A missing table leaves F2 and F3 untranslated; the menu still works.
    m_hAccel = ::LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_GAME_ACCEL));

    INT_PTR result = 0;
    {
        // The computer player shows this application's wait cursor while it searches.
        CAppWaitCursor waitCursor;
        CGameDlg dlg;
        m_pMainWnd = &dlg;
        result = dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    // A quit request is in the queue again: the framework's loop takes it and ends the program
    // with its exit code.
    if (result == DIALOG_QUIT)
        return TRUE;
    if (result == DIALOG_FAILED) {
        ::MessageBoxW(nullptr, START_FAILED_TEXT, START_FAILED_CAPTION, MB_OK | MB_ICONERROR);
        m_exitCode = EXIT_GAME_WINDOW_FAILED;
    }
    // No message loop of our own otherwise: the program ends with the game window.
    return FALSE;
}

int CGameApp::ExitInstance() { return m_exitCode; }

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
