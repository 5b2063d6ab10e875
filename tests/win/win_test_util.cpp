#include "win_test_util.h"

#include <vector>

namespace {

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    const HANDLE hFind = ::FindFirstFileW(LongPathForm(dir + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = dir + L"\\" + name;
            ::SetFileAttributesW(LongPathForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileW(LongPathForm(path).c_str());
        } while (::FindNextFileW(hFind, &found));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryW(LongPathForm(dir).c_str());
}

} // namespace

CTempDir::CTempDir() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    static unsigned counter = 0;
    for (;;) {
        m_path = std::wstring(temp, length) + L"milda-test-" +
                 std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        if (::CreateDirectoryW(m_path.c_str(), nullptr))
            break;
    }
}

CTempDir::~CTempDir() { RemoveTree(m_path); }

std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    return path;
}

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::wstring& path) {
    const HANDLE hFile = ::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(hFile, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(hFile);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    const HANDLE hFile = ::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(hFile);
    return ok && written == bytes.size();
}

std::wstring ExecutableDir() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L'\\'));
}

DWORD RunProcess(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return static_cast<DWORD>(-1);
    DWORD exitCode = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    else
        ::TerminateProcess(process.hProcess, exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return exitCode;
}

CDibCanvas::CDibCanvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_dc(nullptr), m_hBitmap(nullptr), m_hOldBitmap(nullptr),
      m_bits(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    const RECT all = {0, 0, width, height};
    m_dc.FillSolidRect(all, fill);
}

CDibCanvas::~CDibCanvas() {
    ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
}

COLORREF CDibCanvas::At(int x, int y) const {
    ::GdiFlush();
    const DWORD pixel = m_bits[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void CaptureWindow(HWND hWnd, bool wholeWindow, CDibCanvas* pCanvas) {
    if (!wholeWindow) {
        const HDC hSource = ::GetDC(hWnd);
        ::BitBlt(pCanvas->DC()->GetSafeHdc(), 0, 0, pCanvas->Width(), pCanvas->Height(), hSource, 0,
                 0, SRCCOPY);
        ::ReleaseDC(hWnd, hSource);
        return;
    }
    // Wine gives no pixels back from a whole-window context inside its virtual desktop: read
    // the window's place on the screen instead.
    RECT outer;
    ::GetWindowRect(hWnd, &outer);
    const HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(pCanvas->DC()->GetSafeHdc(), 0, 0, pCanvas->Width(), pCanvas->Height(), hScreen,
             outer.left, outer.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
}

void PumpMessagesFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount() - start < ms);
}

std::string ListDataRecord(WORD controlId, WORD message, DWORD length, const std::string& text) {
    std::string bytes;
    for (int i = 0; i < 2; ++i)
        bytes += static_cast<char>((controlId >> (8 * i)) & 0xFF);
    for (int i = 0; i < 2; ++i)
        bytes += static_cast<char>((message >> (8 * i)) & 0xFF);
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
    return bytes + text;
}

std::string ListDataEnd() { return std::string(2, '\0'); }
