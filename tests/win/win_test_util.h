// Test helpers: temporary folders, whole files, child processes, pictures read back.
#pragma once

#include "framework/gdi.h"

#include <string>

// A fresh folder in the temporary directory, removed with everything in it at the end.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The \\?\ form of an absolute path, for files beyond MAX_PATH.
std::wstring LongPathForm(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The bytes of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
// The folder of the running test executable, without a trailing backslash.
std::wstring ExecutableDir();

// Runs a program with arguments and returns its exit code, or -1 when it could not be started
// or did not end within the time.
DWORD RunProcess(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs);

// A 32-bit top-down picture selected into a memory device context.
class CDibCanvas {
public:
    CDibCanvas(int width, int height, COLORREF fill);
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    const DWORD* m_bits;
};

// Copies what a window shows (its client area, or the whole window) into a canvas.
void CaptureWindow(HWND hWnd, bool wholeWindow, CDibCanvas* pCanvas);

// Dispatches this thread's messages for the given time.
void PumpMessagesFor(DWORD ms);

// One record of a dialog's initial list data, stored as the resource stores it, and the zero
// that ends the data.
std::string ListDataRecord(WORD controlId, WORD message, DWORD length, const std::string& text);
std::string ListDataEnd();
