// The program's entry: runs the one CWinApp. Linked into the executable (milda_winmain), since
// the C runtime looks for wWinMain only after the program's own libraries.
#include "ai/wait_cursor.h"
#include "framework/app.h"

namespace {

void AppBeginWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->BeginWaitCursor();
}

void AppRestoreWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->RestoreWaitCursor();
}

void AppEndWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->EndWaitCursor();
}

// The computer player's search shows the application's wait cursor.
const WaitCursorOps APP_WAIT_CURSOR = {&AppBeginWaitCursor, &AppRestoreWaitCursor,
                                       &AppEndWaitCursor};

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*cmdLine*/,
                    int /*showCmd*/) {
    CWinApp* pApp = CWinApp::GetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    SetWaitCursorOps(&APP_WAIT_CURSOR);
    const int exitCode = pApp->InitInstance() ? pApp->Run() : 0;
    SetWaitCursorOps(nullptr);
    return exitCode;
}
