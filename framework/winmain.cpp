// The program's entry: runs the one CWinApp. Linked into the executable (milda_winmain), since
// the C runtime looks for wWinMain only after the program's own libraries.
#include "framework/app.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*cmdLine*/,
                    int /*showCmd*/) {
    CWinApp* pApp = CWinApp::GetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    return pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance();
}
