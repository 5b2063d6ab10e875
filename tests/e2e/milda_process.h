// MildaProcess: one milda.exe copied into a fresh folder, started, found and ended; window lookup.
#ifndef MILDA_TESTS_E2E_MILDA_PROCESS_H
#define MILDA_TESTS_E2E_MILDA_PROCESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long a Wine start may take, and how long the program gets to react to one input.
constexpr DWORD START_TIMEOUT_MS = 20000;
constexpr DWORD REACT_TIMEOUT_MS = 10000;
constexpr DWORD POLL_INTERVAL_MS = 20;

// Polls until done() holds, at most for the time given; false when it did not.
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The game window's caption and the dialog class every window of the program has.
extern const wchar_t GAME_CAPTION[];
extern const wchar_t DIALOG_CLASS[];

struct WindowInfo {
    HWND hwnd;
    std::wstring className;
    std::wstring caption;
    bool visible;
};

// Top-level windows of one process, in z-order.
std::vector<WindowInfo> TopLevelWindowsOf(DWORD pid);

// A copy of milda.exe in a folder of its own, so that each test has its own milda.ini.
class MildaProcess {
public:
    // `program` is the build's path of the executable to copy (a Unix path under Wine).
    explicit MildaProcess(const std::string& program = MILDA_EXE_PATH);
    ~MildaProcess();
    MildaProcess(const MildaProcess&) = delete;
    MildaProcess& operator=(const MildaProcess&) = delete;

    // Writes milda.ini beside the copy before the start, exactly as given.
    void WriteSettings(const std::string& text) const;
    // The settings file's non-blank lines, without line ends; empty when there is no file.
    std::vector<std::string> SettingsLines() const;
    bool SettingsFileExists() const;

    // Starts the copy; once it has ended, again in the same folder.
    bool Start();
    // The visible game window, polled for; null when it does not show within the timeout.
    HWND WaitForGameWindow(DWORD timeoutMs = START_TIMEOUT_MS);
    // A visible dialog of this process with exactly this caption, other than the game window.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = REACT_TIMEOUT_MS) const;
    // The visible pop-up menu of this process (class #32768), once the menu loop shows it.
    HWND WaitForPopupMenu(DWORD timeoutMs = REACT_TIMEOUT_MS) const;
    HWND FindDialog(const std::wstring& caption) const;
    bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs = REACT_TIMEOUT_MS) const;
    bool WaitForExit(DWORD timeoutMs = REACT_TIMEOUT_MS) const;
    bool IsRunning() const;
    // Ends the program from outside, as Windows may at the session's end.
    bool Terminate(UINT exitCode) const { return ::TerminateProcess(m_pi.hProcess, exitCode) != 0; }
    // The exit code, or STILL_ACTIVE while it runs (or when it never started).
    DWORD ExitCode() const;
    // How the program ended, for failure messages: its exit code, or "still running".
    std::string DescribeEnd() const;

    // Stops the program's only thread, so that several posted inputs queue up before any of
    // them, a paint or a timer tick is handled.
    bool Suspend() const;
    bool Resume() const;

    DWORD Pid() const { return m_pi.dwProcessId; }
    const std::wstring& Folder() const { return m_folder; }
    // The copy of the program that runs; empty when it could not be made.
    const std::wstring& Exe() const { return m_exe; }
    std::wstring SettingsPath() const { return m_folder + L"\\milda.ini"; }
    // Every top-level window of the process, for failure messages.
    std::string DescribeWindows() const;

private:
    std::wstring m_folder;
    std::wstring m_exe;
    PROCESS_INFORMATION m_pi;
};

// UTF-8 for failure messages.
std::string Utf8(const std::wstring& text);

#endif
