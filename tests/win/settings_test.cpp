// The settings file through CIniFile: defaults, the file's text, in-place replacement, failed
// writes, unusual folders, and the path derived from the executable's own name.
#include "ui/ini_file.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr DWORD CHILD_TIMEOUT_MS = 60000;

std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The five settings with their defaults, in the order the game window writes them.
void WriteDefaults(CIniFile& ini) {
    ini.WriteInt(L"Option", L"FirstPlayer", 0);
    ini.WriteInt(L"Option", L"LastPlayer", 1);
    ini.WriteInt(L"Option", L"Guide", 1);
    ini.WriteInt(L"Window", L"cx", 348);
    ini.WriteInt(L"Window", L"cy", 352);
}

const std::vector<std::string> DEFAULT_LINES = {
    "[Option]", "FirstPlayer=0", "LastPlayer=1", "Guide=1", "[Window]", "cx=348", "cy=352"};

class SettingsFile : public testing::Test {
protected:
    void Use(const std::wstring& path) { m_ini.SetPath(path.c_str()); }

    CTempDir m_dir;
    CIniFile m_ini;
};

TEST_F(SettingsFile, MissingFileSectionOrKeyGivesTheDefault) {
    // No path yet: nothing is read or written (not even the system's own win.ini).
    EXPECT_EQ(m_ini.GetInt(L"Window", L"cx", 348), 348);
    EXPECT_FALSE(m_ini.WriteInt(L"Window", L"cx", 1));
    EXPECT_EQ(SettingsPathForExecutable(L""), L"");

    Use(m_dir.File(L"none.ini"));
    EXPECT_EQ(m_ini.GetInt(L"Window", L"cx", 348), 348);
    EXPECT_FALSE(FileExists(m_dir.File(L"none.ini"))); // reading creates nothing

    ASSERT_TRUE(WriteWholeFile(m_dir.File(L"some.ini"), "[Option]\r\nGuide=0\r\n"));
    Use(m_dir.File(L"some.ini"));
    EXPECT_EQ(m_ini.GetInt(L"Option", L"Guide", 1), 0);
    EXPECT_EQ(m_ini.GetInt(L"Option", L"LastPlayer", 1), 1);
    EXPECT_EQ(m_ini.GetInt(L"Window", L"cy", 352), 352);
}

TEST_F(SettingsFile, NewFileHoldsTheFiveKeysInWritingOrder) {
    Use(m_dir.File(L"milda.ini"));
    WriteDefaults(m_ini);
    const std::string text = ReadWholeFile(m_dir.File(L"milda.ini"));
    EXPECT_EQ(NonBlankLines(text), DEFAULT_LINES);
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1); // Windows line ends
}

TEST_F(SettingsFile, KeysAreReplacedInPlaceAndEverythingElseKept) {
    ASSERT_TRUE(WriteWholeFile(m_dir.File(L"milda.ini"),
                               "; kept by hand\r\n[Other]\r\nx=1\r\n\r\n[Option]\r\nGuide=0\r\n"
                               "Extra=abc\r\nFirstPlayer=3\r\n[Window]\r\ncy=10\r\n"));
    Use(m_dir.File(L"milda.ini"));
    m_ini.WriteInt(L"Option", L"FirstPlayer", -1);
    m_ini.WriteInt(L"Option", L"LastPlayer", 1);
    m_ini.WriteInt(L"Option", L"Guide", 1);
    m_ini.WriteInt(L"Window", L"cx", 348);
    m_ini.WriteInt(L"Window", L"cy", 352);
    const std::vector<std::string> expected = {
        "; kept by hand", "[Other]",      "x=1",      "[Option]", "Guide=1", "Extra=abc",
        "FirstPlayer=-1", "LastPlayer=1", "[Window]", "cy=352",   "cx=348"};
    EXPECT_EQ(NonBlankLines(ReadWholeFile(m_dir.File(L"milda.ini"))), expected);
    // Negative values come back as written; names match whatever their letter case.
    EXPECT_EQ(m_ini.GetInt(L"option", L"firstplayer", 5), -1);
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileAsItWas) {
    const std::string original = "[Option]\r\nGuide=0\r\n";
    const std::wstring path = m_dir.File(L"locked.ini");
    ASSERT_TRUE(WriteWholeFile(path, original));
    Use(path);
    // Held open by another program, without sharing.
    const HANDLE hHeld =
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_ini.WriteInt(L"Option", L"Guide", 1));
    ::CloseHandle(hHeld);
    EXPECT_EQ(ReadWholeFile(path), original);

    // A folder that is not there.
    Use(m_dir.File(L"missing\\milda.ini"));
    EXPECT_FALSE(m_ini.WriteInt(L"Option", L"Guide", 1));
    EXPECT_FALSE(FileExists(m_dir.File(L"missing")));
}

TEST_F(SettingsFile, AReadOnlyFileIsNotChanged) {
    const std::string original = "[Option]\r\nGuide=0\r\n";
    const std::wstring path = m_dir.File(L"readonly.ini");
    ASSERT_TRUE(WriteWholeFile(path, original));
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE hWritable =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hWritable != INVALID_HANDLE_VALUE) {
        ::CloseHandle(hWritable);
        GTEST_SKIP() << "this system lets the process write read-only files (Wine run as root)";
    }
    Use(path);
    EXPECT_FALSE(m_ini.WriteInt(L"Option", L"Guide", 1));
    EXPECT_EQ(ReadWholeFile(path), original);
}

TEST_F(SettingsFile, FoldersWithJapaneseNamesOrBeyondMaxPath) {
    const std::wstring japanese = m_dir.File(L"設定フォルダ");
    ASSERT_TRUE(::CreateDirectoryW(japanese.c_str(), nullptr));
    std::wstring deep = m_dir.Path();
    while (deep.size() < 300) {
        deep += L"\\a-rather-long-folder-name-0123456789";
        ASSERT_TRUE(::CreateDirectoryW(LongPathForm(deep).c_str(), nullptr));
    }
    // Exactly MAX_PATH characters is already one too many for the profile functions.
    const std::wstring exact = m_dir.File(std::wstring(MAX_PATH - m_dir.Path().size() - 5, L'n'));
    for (const std::wstring& path :
         {japanese + L"\\ミルダ.ini", deep + L"\\milda.ini", exact + L".ini"}) {
        Use(path);
        WriteDefaults(m_ini);
        m_ini.WriteInt(L"Option", L"LastPlayer", -1);
        EXPECT_EQ(m_ini.GetInt(L"Option", L"LastPlayer", 1), -1);
        EXPECT_EQ(m_ini.m_strPath, path);
        const std::vector<std::string> lines = NonBlankLines(ReadWholeFile(path));
        ASSERT_EQ(lines.size(), DEFAULT_LINES.size()) << "no file at the long path";
        EXPECT_EQ(lines[2], "LastPlayer=-1");
    }
}

TEST(SettingsPath, NamedAfterTheExecutableAsItsFolderListsIt) {
    // Dots and spaces in folder names, a renamed executable, and one without an extension.
    const std::wstring documents = L"C:\\Users\\taro.yamada\\Documents\\";
    const std::wstring versioned = documents + L"ミルダ v1.2\\";
    EXPECT_EQ(SettingsPathForExecutable(documents + L"Milda\\milda.exe"),
              documents + L"Milda\\milda.ini");
    EXPECT_EQ(SettingsPathForExecutable(versioned + L"milda.v2.exe"), versioned + L"milda.v2.ini");
    EXPECT_EQ(SettingsPathForExecutable(versioned + L"Milda"), versioned + L"Milda.ini");
    EXPECT_EQ(SettingsPathForExecutable(L"C:\\Games\\.exe"), L"C:\\Games\\.ini");

    CTempDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.File(L"Milda v1.2.Exe"), "MZ"));
    EXPECT_EQ(SettingsPathForExecutable(dir.File(L"milda V1.2.exe")), dir.File(L"Milda v1.2.ini"));
    wchar_t shortPath[MAX_PATH];
    ASSERT_NE(::GetShortPathNameW(dir.File(L"Milda v1.2.Exe").c_str(), shortPath, MAX_PATH), 0u);
    const std::wstring shortName = shortPath;
    ASSERT_EQ(shortName.find(L"v1.2"), std::wstring::npos);
    const std::wstring expected =
        shortName.substr(0, shortName.find_last_of(L'\\') + 1) + L"Milda v1.2.ini";
    EXPECT_EQ(SettingsPathForExecutable(shortName), expected);

    CIniFile ini;
    ini.SetPath(L"");
    EXPECT_EQ(ini.m_strPath, ExecutableDir() + L"\\milda_win_tests.ini");
}

// The probe program, copied under other names, writes beside itself to a file of its new name.
TEST(SettingsPath, RenamedExecutableUsesItsNewName) {
    const std::wstring probe = ExecutableDir() + L"\\milda_win_probe.exe";
    CTempDir dir;
    const std::wstring renamed = dir.File(L"ミルダ.v2.exe");
    ASSERT_TRUE(::CopyFileW(probe.c_str(), renamed.c_str(), TRUE));
    ASSERT_EQ(RunProcess(renamed, L"settings", CHILD_TIMEOUT_MS), 0u);
    EXPECT_NE(ReadWholeFile(dir.File(L"ミルダ.v2.ini")).find("Written=1"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File(L"milda_win_probe.ini")));

    // Started through its 8.3 path, it still goes by its long name.
    ASSERT_TRUE(::DeleteFileW(dir.File(L"ミルダ.v2.ini").c_str()));
    wchar_t shortPath[MAX_PATH];
    ASSERT_NE(::GetShortPathNameW(renamed.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_EQ(RunProcess(shortPath, L"settings", CHILD_TIMEOUT_MS), 0u);
    EXPECT_TRUE(FileExists(dir.File(L"ミルダ.v2.ini")));
}

// No program can be started from a path of MAX_PATH or more, so the derivation is checked
// here on such a path, and the settings go into the deep folder.
TEST(SettingsPath, ExecutableInAFolderBeyondMaxPath) {
    CTempDir dir;
    std::wstring deep = dir.Path();
    while (deep.size() < 300) {
        deep += L"\\a-rather-long-folder-name-0123456789";
        ASSERT_TRUE(::CreateDirectoryW(LongPathForm(deep).c_str(), nullptr));
    }
    ASSERT_TRUE(WriteWholeFile(deep + L"\\Deep Game.Exe", "MZ"));
    CIniFile ini;
    ini.SetPath(SettingsPathForExecutable(deep + L"\\deep game.exe").c_str());
    EXPECT_EQ(ini.m_strPath, deep + L"\\Deep Game.ini");
    EXPECT_TRUE(ini.WriteInt(L"Window", L"cx", 348));
    const std::vector<std::string> expected = {"[Window]", "cx=348"};
    EXPECT_EQ(NonBlankLines(ReadWholeFile(deep + L"\\Deep Game.ini")), expected);
}

} // namespace
