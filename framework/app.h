// CWinApp (start-up, message pre-filter, wait cursor), GetResourceInstance, GetModulePath.
#pragma once

#include "framework/win.h"

#include <string>

class CWnd;

class CWinApp {
public:
    // The one application object registers itself; the framework's wWinMain finds it.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once at start-up. TRUE runs the message loop until WM_QUIT; FALSE ends the
    // program at once. The base has nothing to run and returns FALSE.
    virtual BOOL InitInstance();
    // Sees every queued message before it is dispatched, also inside the modal loops of the
    // framework's dialogs; TRUE consumes it. The base consumes nothing.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The message loop after a successful InitInstance; returns WM_QUIT's exit code.
    int Run();
    // The program's exit code when InitInstance returns FALSE. The base returns 0.
    virtual int ExitInstance();

    static CWinApp* GetApp();

    // The busy cursor: Begin shows it (nesting), Restore shows it again after something else
    // changed the cursor, the last End puts back the cursor from before the first Begin.
    void BeginWaitCursor();
    void RestoreWaitCursor();
    void EndWaitCursor();

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;

private:
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;
};

// The module whose resources the framework loads: the application's, else the executable.
HINSTANCE GetResourceInstance();

// The full path of the running executable, whatever its length; empty if the platform fails.
std::wstring GetModulePath();
