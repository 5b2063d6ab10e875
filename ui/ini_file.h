// CIniFile: the settings file, read and written one integer key at a time.
#pragma once

#include "framework/win.h"

#include <string>

// Final: the game window deletes it through its own type, and nothing derives from it.
class CIniFile final {
public:
    CIniFile();
    ~CIniFile();

    // A non-empty name becomes the path as it is; an empty one (or nullptr) gives the file
    // beside the executable named after it, as its directory lists it, with extension "ini".
    virtual BOOL SetPath(const wchar_t* name);
    // The key's integer, or def when the file, the section or the key is missing (or there
    // is no path yet).
    int GetInt(const wchar_t* section, const wchar_t* key, int def);
    // Writes the value as decimal text, creating file, section and key as needed.
    BOOL WriteInt(const wchar_t* section, const wchar_t* key, int value);

    std::wstring m_strPath;

private:
    std::wstring ProfilePath() const;
};

// The path the executable at exePath uses for its settings: its directory as given, the name
// as the directory lists it (the long name, in its stored letter case), extension "ini".
// Empty for an empty path.
std::wstring SettingsPathForExecutable(const std::wstring& exePath);
