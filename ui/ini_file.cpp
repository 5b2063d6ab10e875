#include "ui/ini_file.h"

#include "framework/app.h"
#include "framework/strings.h"

#include <vector>

namespace {

const wchar_t SETTINGS_EXTENSION[] = L"ini";

// The position just after the directory part (0 when there is none).
size_t FileNameStart(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

// The \\?\ form, which the platform's file functions accept beyond MAX_PATH characters. It
// takes backslashes only.
std::wstring ExtendedLengthPath(std::wstring path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    if (path.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    return path;
}

std::wstring WithoutExtendedLengthPrefix(const std::wstring& path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path.substr(4);
    return path;
}

// The 8.3 form of an existing file or directory; empty when the platform has none.
std::wstring ShortPath(const std::wstring& path) {
    const std::wstring longPath = ExtendedLengthPath(path);
    const DWORD needed = ::GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const DWORD length = ::GetShortPathNameW(longPath.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed)
        return std::wstring();
    return WithoutExtendedLengthPrefix(std::wstring(buffer.data(), length));
}

} // namespace

std::wstring SettingsPathForExecutable(const std::wstring& exePath) {
    if (exePath.empty())
        return std::wstring();
    std::wstring path = exePath;
    const size_t nameStart = FileNameStart(path);

    // Started through an 8.3 path, the file still goes by the executable's long name.
    WIN32_FIND_DATAW found;
    const HANDLE hFind = ::FindFirstFileW(ExtendedLengthPath(path).c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        path = path.substr(0, nameStart) + found.cFileName;
        ::FindClose(hFind);
    }

    // The extension starts at the last dot of the name; without one the name is kept whole.
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && dot >= nameStart)
        path.erase(dot);
    return path + L"." + SETTINGS_EXTENSION;
}

CIniFile::CIniFile() = default;

CIniFile::~CIniFile() = default;

BOOL CIniFile::SetPath(const wchar_t* name) {
    if (name != nullptr && name[0] != L'\0')
        m_strPath = name;
    else
        m_strPath = SettingsPathForExecutable(GetModulePath());
    return TRUE;
}

// Without a path the profile functions would fall back to the system's win.ini: nothing is
// read or written then.
int CIniFile::GetInt(const wchar_t* section, const wchar_t* key, int def) {
    if (m_strPath.empty())
        return def;
    return static_cast<int>(::GetPrivateProfileIntW(section, key, def, ProfilePath().c_str()));
}

BOOL CIniFile::WriteInt(const wchar_t* section, const wchar_t* key, int value) {
    if (m_strPath.empty())
        return FALSE;
    const std::wstring text = DecimalString(value);
    return ::WritePrivateProfileStringW(section, key, text.c_str(), ProfilePath().c_str());
}

std::wstring CIniFile::ProfilePath() const {
    // The profile functions work within MAX_PATH only (with or without \\?\): a longer path
    // goes in its 8.3 form, of the directory (the file may not exist yet), else of the file.
    if (m_strPath.size() < MAX_PATH)
        return m_strPath;
    const size_t nameStart = FileNameStart(m_strPath);
    if (nameStart > 0) {
        const std::wstring shortDir = ShortPath(m_strPath.substr(0, nameStart - 1));
        if (!shortDir.empty()) {
            const std::wstring candidate = shortDir + L"\\" + m_strPath.substr(nameStart);
            if (candidate.size() < MAX_PATH)
                return candidate;
        }
    }
    const std::wstring shortFile = ShortPath(m_strPath);
    if (!shortFile.empty() && shortFile.size() < MAX_PATH)
        return shortFile;
    return m_strPath;
}
