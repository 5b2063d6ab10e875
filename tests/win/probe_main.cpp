// A small program on the framework's own entry point, which the tests run as a child process:
//   (no argument)  checks what wWinMain set up, then ends by InitInstance returning FALSE (0)
//   quit           asks to quit with code 7 and returns TRUE: the message loop ends with 7
//   settings       writes [Probe] Written=1 to the settings file derived from its own path
#include "app/app_wait_cursor.h"
#include "framework/app.h"
#include "game/wait_cursor.h"
#include "ui/ini_file.h"

#include <shellapi.h>

#include <string>

namespace {

constexpr UINT WRONG_INSTANCE = 3;
constexpr UINT NO_WAIT_CURSOR = 4;
constexpr UINT CURSOR_NOT_PUT_BACK = 5;
constexpr int QUIT_CODE = 7;

std::wstring Mode() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::wstring mode = argv != nullptr && argc > 1 ? argv[1] : L"";
    ::LocalFree(argv);
    return mode;
}

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override {
        const std::wstring mode = Mode();
        if (mode == L"quit") {
            ::PostQuitMessage(QUIT_CODE);
            return TRUE;
        }
        if (mode == L"settings") {
            CIniFile ini;
            ini.SetPath(L"");
            ini.WriteInt(L"Probe", L"Written", 1);
            return FALSE;
        }
        if (m_hInstance != ::GetModuleHandleW(nullptr))
            ::ExitProcess(WRONG_INSTANCE);
        // The computer player's seam reaches this application's wait cursor.
        CAppWaitCursor waitCursor;
        const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
        ::SetCursor(arrow);
        wait_cursor::Begin();
        if (::GetCursor() != ::LoadCursorW(nullptr, IDC_WAIT))
            ::ExitProcess(NO_WAIT_CURSOR);
        wait_cursor::End();
        if (::GetCursor() != arrow)
            ::ExitProcess(CURSOR_NOT_PUT_BACK);
        return FALSE;
    }
};

CProbeApp theProbeApp;

} // namespace
