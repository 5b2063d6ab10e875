#include "framework/app.h"

#include <vector>

namespace {

CWinApp* g_pApp = nullptr;

// The longest path the platform knows (with the \\?\ prefix), plus its terminator.
constexpr DWORD MAX_MODULE_PATH = 32768;

} // namespace

CWinApp::CWinApp()
    : m_hInstance(::GetModuleHandleW(nullptr)), m_pMainWnd(nullptr), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(nullptr) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::PreTranslateMessage(MSG* /*pMsg*/) { return FALSE; }

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        if (PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

CWinApp* CWinApp::GetApp() { return g_pApp; }

void CWinApp::BeginWaitCursor() {
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    if (m_nWaitCursorCount++ == 0)
        m_hcurWaitCursorRestore = previous;
}

void CWinApp::RestoreWaitCursor() {
    if (m_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0)
        return;
    if (--m_nWaitCursorCount == 0)
        ::SetCursor(m_hcurWaitCursorRestore);
}

HINSTANCE GetResourceInstance() {
    const CWinApp* pApp = CWinApp::GetApp();
    if (pApp != nullptr && pApp->m_hInstance != nullptr)
        return pApp->m_hInstance;
    return ::GetModuleHandleW(nullptr);
}

std::wstring GetModulePath() {
    // A full buffer means the path was cut: grow it and ask again.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return std::wstring();
        if (length < size)
            return std::wstring(buffer.data(), length);
        if (size >= MAX_MODULE_PATH)
            return std::wstring();
        buffer.resize(size * 2 < MAX_MODULE_PATH ? size * 2 : MAX_MODULE_PATH);
    }
}
