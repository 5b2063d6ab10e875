#include "milda_process.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#ifndef MILDA_EXE_PATH
#error "MILDA_EXE_PATH must name the milda.exe under test"
#endif

const wchar_t GAME_CAPTION[] = L"ミルダ";
const wchar_t DIALOG_CLASS[] = L"#32770";

namespace {

const wchar_t POPUP_MENU_CLASS[] = L"#32768";

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

// The build hands over a Unix path when the tests run under Wine; Wine maps it to a drive.
std::wstring ProgramUnderTest(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        using DosName = WCHAR*(CDECL*)(const char*);
        const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        const auto toDos = reinterpret_cast<DosName>(
            reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_dos_file_name")));
        if (toDos != nullptr) {
            if (WCHAR* dos = toDos(path.c_str())) {
                std::wstring out(dos);
                ::HeapFree(::GetProcessHeap(), 0, dos);
                return out;
            }
        }
    }
    std::wstring out = Widen(path);
    for (wchar_t& c : out) {
        if (c == L'/')
            c = L'\\';
    }
    return out;
}

std::wstring NewTestFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    const DWORD n = ::GetTempPathW(MAX_PATH, temp);
    std::wstring base(temp, n);
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    for (;;) {
        // Named as people name folders, with spaces and dots (the settings take the last dot).
        const std::wstring folder = base + L"\\ミルダ v1.2 (e2e " +
                                    std::to_wstring(::GetCurrentProcessId()) + L"." +
                                    std::to_wstring(++counter) + L")";
        if (::CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
}

struct EnumState {
    DWORD pid;
    std::vector<WindowInfo>* out;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != state->pid)
        return TRUE;
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    wchar_t caption[256] = {};
    ::GetWindowTextW(hwnd, caption, 256);
    state->out->push_back({hwnd, cls, caption, ::IsWindowVisible(hwnd) != FALSE});
    return TRUE;
}

template <typename Pred> HWND PollForWindow(DWORD pid, DWORD timeoutMs, Pred pred) {
    HWND found = nullptr;
    PollUntil(
        [&] {
            for (const WindowInfo& w : TopLevelWindowsOf(pid)) {
                if (w.visible && pred(w))
                    return (found = w.hwnd) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return found;
}

} // namespace

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (const ULONGLONG end = ::GetTickCount64() + timeoutMs; !done(); ::Sleep(POLL_INTERVAL_MS)) {
        if (::GetTickCount64() >= end)
            return false;
    }
    return true;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                          nullptr, nullptr);
    return out;
}

std::vector<WindowInfo> TopLevelWindowsOf(DWORD pid) {
    std::vector<WindowInfo> windows;
    EnumState state = {pid, &windows};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return windows;
}

MildaProcess::MildaProcess(const std::string& program) : m_folder(NewTestFolder()), m_pi() {
    if (m_folder.empty())
        return;
    m_exe = m_folder + L"\\milda.exe";
    if (!::CopyFileW(ProgramUnderTest(program).c_str(), m_exe.c_str(), TRUE))
        m_exe.clear();
}

MildaProcess::~MildaProcess() {
    if (m_pi.hProcess != nullptr) {
        // Last resort, so that nothing outlives its test; a test about closing has closed it.
        if (IsRunning())
            Terminate(1);
        ::WaitForSingleObject(m_pi.hProcess, START_TIMEOUT_MS);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    if (m_folder.empty())
        return;
    // The image may stay locked for a moment after its process has gone.
    PollUntil(
        [&] {
            return m_exe.empty() || ::DeleteFileW(m_exe.c_str()) ||
                   ::GetLastError() == ERROR_FILE_NOT_FOUND;
        },
        REACT_TIMEOUT_MS);
    ::DeleteFileW(SettingsPath().c_str());
    ::RemoveDirectoryW(m_folder.c_str());
}

void MildaProcess::WriteSettings(const std::string& text) const {
    std::ofstream out(SettingsPath().c_str(), std::ios::binary | std::ios::trunc);
    out << text;
}

bool MildaProcess::SettingsFileExists() const {
    return ::GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> MildaProcess::SettingsLines() const {
    std::vector<std::string> lines;
    std::ifstream in(SettingsPath().c_str(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

bool MildaProcess::Start() {
    if (m_exe.empty() || IsRunning())
        return false;
    // A start after an exit: the same copy and folder, so its settings file carries over.
    if (m_pi.hProcess != nullptr) {
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
        m_pi = PROCESS_INFORMATION();
    }
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + m_exe + L"\"";
    return ::CreateProcessW(m_exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            m_folder.c_str(), &si, &m_pi) != FALSE;
}

bool MildaProcess::IsRunning() const {
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

HWND MildaProcess::WaitForGameWindow(DWORD timeoutMs) {
    if (m_pi.hProcess == nullptr)
        return nullptr;
    // Gives up at once if the program ends instead of showing its window.
    HWND hwnd = nullptr;
    PollUntil([&] { return (hwnd = FindDialog(GAME_CAPTION)) != nullptr || !IsRunning(); },
              timeoutMs);
    return hwnd;
}

HWND MildaProcess::FindDialog(const std::wstring& caption) const {
    return WaitForDialog(caption, 0);
}

HWND MildaProcess::WaitForDialog(const std::wstring& caption, DWORD timeoutMs) const {
    return PollForWindow(Pid(), timeoutMs, [&](const WindowInfo& w) {
        return w.className == DIALOG_CLASS && w.caption == caption;
    });
}

HWND MildaProcess::WaitForPopupMenu(DWORD timeoutMs) const {
    return PollForWindow(Pid(), timeoutMs,
                         [](const WindowInfo& w) { return w.className == POPUP_MENU_CLASS; });
}

bool MildaProcess::WaitForWindowGone(HWND hwnd, DWORD timeoutMs) const {
    return PollUntil([&] { return !::IsWindow(hwnd) || !::IsWindowVisible(hwnd); }, timeoutMs);
}

bool MildaProcess::WaitForExit(DWORD timeoutMs) const {
    return m_pi.hProcess != nullptr &&
           ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool MildaProcess::Suspend() const {
    return m_pi.hThread != nullptr && ::SuspendThread(m_pi.hThread) != static_cast<DWORD>(-1);
}

bool MildaProcess::Resume() const {
    return m_pi.hThread != nullptr && ::ResumeThread(m_pi.hThread) != static_cast<DWORD>(-1);
}

DWORD MildaProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_pi.hProcess == nullptr || !::GetExitCodeProcess(m_pi.hProcess, &code))
        return STILL_ACTIVE;
    return code;
}

std::string MildaProcess::DescribeEnd() const {
    if (m_pi.hProcess == nullptr)
        return "not started";
    const DWORD code = ExitCode();
    if (code == STILL_ACTIVE)
        return "still running";
    char text[48];
    std::snprintf(text, sizeof(text), "ended with exit code 0x%lx",
                  static_cast<unsigned long>(code));
    return text;
}

std::string MildaProcess::DescribeWindows() const {
    std::ostringstream out;
    out << "windows of milda.exe (pid " << Pid() << "):";
    for (const WindowInfo& w : TopLevelWindowsOf(Pid())) {
        RECT rc = {};
        ::GetWindowRect(w.hwnd, &rc);
        out << "\n  class \"" << Utf8(w.className) << "\" caption \"" << Utf8(w.caption) << "\" "
            << (w.visible ? "visible" : "hidden") << " (" << rc.left << "," << rc.top << ")-("
            << rc.right << "," << rc.bottom << ")";
    }
    return out.str();
}
