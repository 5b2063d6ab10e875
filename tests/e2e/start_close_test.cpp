// Starting with and without a settings file, and the ways of closing that write it.
#include "milda_fixture.h"
#include "res/resource.h"

namespace {

using StartAndClose = MildaFixture;

// Named, not a lambda: on 32-bit Windows a dialog procedure has its own calling convention.
INT_PTR CALLBACK DefaultHandlingOnly(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The game window's outer size from its template alone, made into a window of this process.
SIZE TemplateOuterSize(const std::wstring& exe) {
    SIZE size = {0, 0};
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HWND window =
        ::CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_GAME), nullptr, &DefaultHandlingOnly, 0);
    RECT rc = {};
    if (window != nullptr && ::GetWindowRect(window, &rc))
        size = {rc.right - rc.left, rc.bottom - rc.top};
    ::DestroyWindow(window);
    ::FreeLibrary(module);
    return size;
}

TEST_F(StartAndClose, FirstStartShowsTheDefaultsAndTheCloseBoxWritesThem) {
    ASSERT_NO_FATAL_FAILURE(Launch());

    const SIZE size = OuterSize();
    EXPECT_EQ(size.cx, OUTER_WIDTH_DEFAULT);
    EXPECT_EQ(size.cy, OUTER_HEIGHT_DEFAULT);

    // White, a person, moves first: its four legal squares carry white guide dots.
    const BoardPicture start = Await(WhiteToMoveAtStart, "the starting position with 4 dots");
    EXPECT_TRUE(DotsOnLegalSquaresOf(start, Square::White));
    for (const POINT& s : {POINT{4, 2}, POINT{5, 3}, POINT{2, 4}, POINT{3, 5}})
        EXPECT_EQ(start.DotAt(s.x, s.y), Square::White) << "(" << s.x << "," << s.y << ")";
    EXPECT_TRUE(GridMatchesLayout(game, BoardLayout::Of(game)));

    // Black is the computer, but it is not its turn: nothing moves by itself.
    EXPECT_TRUE(BoardStaysAsIs(game, start, 500));
    EXPECT_FALSE(milda.SettingsFileExists()) << "settings were written before the exit";

    ASSERT_TRUE(::PostMessageW(game, WM_SYSCOMMAND, SC_CLOSE, 0));
    AwaitExit("the close box");
    EXPECT_EQ(milda.SettingsLines(),
              SettingsText(0, 1, 1, OUTER_WIDTH_DEFAULT, OUTER_HEIGHT_DEFAULT));
}

TEST_F(StartAndClose, SavedSizeOpensAndAMinimisedCloseOrTheSessionsEndKeepsTheRestoredSize) {
    // The size the window has from its template: no resize follows the one made with it.
    const SIZE natural = TemplateOuterSize(milda.Exe());
    ASSERT_GT(natural.cx, 0) << "the game window's template made no window here";
    ASSERT_NO_FATAL_FAILURE(Launch("[Option]\r\nFirstPlayer=0\r\nLastPlayer=2\r\nGuide=0\r\n"
                                   "[Window]\r\ncx=" +
                                   std::to_string(natural.cx) +
                                   "\r\ncy=" + std::to_string(natural.cy) + "\r\n"));
    SIZE size = OuterSize();
    EXPECT_EQ(size.cx, natural.cx);
    EXPECT_EQ(size.cy, natural.cy);

    // The guide is off: white is to move, and no square carries a dot.
    const BoardPicture start =
        Await([](const BoardPicture& p) { return IsStartingPosition(p); }, "the start");
    EXPECT_EQ(start.DotCount(), 0) << start.Text();
    EXPECT_TRUE(GridMatchesLayout(game, BoardLayout::Of(game)));

    // A size of its own, then minimised: the size to keep is the restored one.
    ASSERT_TRUE(
        ::SetWindowPos(game, nullptr, 0, 0, 460, 380, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    size = OuterSize();
    ASSERT_EQ(size.cx, 460);
    ASSERT_EQ(size.cy, 380);
    ASSERT_NO_FATAL_FAILURE(Minimise(true));

    ASSERT_TRUE(::PostMessageW(game, WM_SYSCOMMAND, SC_CLOSE, 0));
    AwaitExit("closing the minimised window");
    EXPECT_EQ(milda.SettingsLines(), SettingsText(0, 2, 0, 460, 380));

    // The next start opens at the size kept.
    ASSERT_NO_FATAL_FAILURE(Launch());
    EXPECT_EQ(OuterSize().cx, 460);
    EXPECT_EQ(OuterSize().cy, 380);

    // Once the session ends (not before), Windows may end the process without WM_DESTROY.
    ASSERT_TRUE(
        ::SetWindowPos(game, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_NO_FATAL_FAILURE(Minimise(true));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendWithTimeout(game, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &answer));
    EXPECT_EQ(answer, 1u) << "the game refused to let the session end";
    ASSERT_TRUE(SendWithTimeout(game, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, &answer));
    EXPECT_EQ(milda.SettingsLines(), SettingsText(0, 2, 0, 460, 380));
    ASSERT_TRUE(SendWithTimeout(game, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, &answer));
    ASSERT_TRUE(milda.Terminate(9));
    AwaitExit("TerminateProcess", 9);
    EXPECT_EQ(milda.SettingsLines(), SettingsText(0, 2, 0, 500, 400));
}

TEST_F(StartAndClose, HandEditedGarbageOpensAPlayableGame) {
    ASSERT_NO_FATAL_FAILURE(Launch("garbage before any section\r\n"
                                   "[Option]\r\n"
                                   "FirstPlayer=-7\r\n"
                                   "LastPlayer=99999\r\n"
                                   "Guide=abc\r\n"
                                   "=17\r\n"
                                   "[Window]\r\n"
                                   "cx=0\r\n"
                                   "cy=99999\r\n"));

    // No width falls back to the default; a height beyond the desktop is cut to it.
    const SIZE size = OuterSize();
    EXPECT_EQ(size.cx, OUTER_WIDTH_DEFAULT);
    EXPECT_EQ(size.cy, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const BoardPicture start =
        Await([](const BoardPicture& p) { return IsStartingPosition(p); }, "the start");
    EXPECT_EQ(start.DotCount(), 0) << "a guide of \"abc\" reads as off" << start.Text();
    EXPECT_TRUE(GridMatchesLayout(game, BoardLayout::Of(game)));

    // The kinds come back within the lists: white a person, black the top computer level.
    HWND options = OpenOptions();
    ExpectOptionsShow(options, 0, 5, false);
    EXPECT_TRUE(ClickButton(options, IDCANCEL));
    ASSERT_TRUE(milda.WaitForWindowGone(options));

    // Playable: white's click plays, and black answers by itself.
    ClickSquare(4, 2);
    const BoardPicture reply =
        Await([](const BoardPicture& p) { return p.Discs() == 6; }, "black's answer to (4,2)");
    EXPECT_EQ(reply.At(4, 2), Square::White);
    EXPECT_EQ(reply.Count(Square::White), 3);
    EXPECT_EQ(reply.Count(Square::Black), 3);

    ASSERT_TRUE(::PostMessageW(game, WM_SYSCOMMAND, SC_CLOSE, 0));
    AwaitExit("the close box");
    const std::wstring ini = milda.SettingsPath();
    auto read = [&](const wchar_t* section, const wchar_t* key) {
        return static_cast<int>(::GetPrivateProfileIntW(section, key, -12345, ini.c_str()));
    };
    EXPECT_EQ(read(L"Option", L"FirstPlayer"), 0);
    EXPECT_EQ(read(L"Option", L"LastPlayer"), 5);
    EXPECT_EQ(read(L"Option", L"Guide"), 0);
    EXPECT_EQ(read(L"Window", L"cx"), OUTER_WIDTH_DEFAULT);
    EXPECT_EQ(read(L"Window", L"cy"), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));

    // The other way round: a width beyond the desktop is cut to it, no height falls back.
    ASSERT_NO_FATAL_FAILURE(Launch("[Window]\r\ncx=99999\r\ncy=-1\r\n"));
    const int desktopWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    EXPECT_EQ(OuterSize().cx, desktopWidth);
    EXPECT_EQ(OuterSize().cy, OUTER_HEIGHT_DEFAULT);

    // A quit request ends the program with its own exit code, the settings kept.
    ASSERT_TRUE(::PostThreadMessageW(::GetWindowThreadProcessId(game, nullptr), WM_QUIT, 7, 0));
    AwaitExit("a quit request", 7);
    EXPECT_EQ(read(L"Option", L"LastPlayer"), 1);
    EXPECT_EQ(read(L"Window", L"cx"), desktopWidth);
}

} // namespace

namespace {

// A message box's text is its static control 0xFFFF.
constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;

// The same program built without its resources: the game window's template is not there.
TEST(StartFailure, AGameWindowThatCannotBeMadeIsSaidAndEndsWithAFailureCode) {
    MildaProcess milda(MILDA_NO_RESOURCES_EXE_PATH);
    ASSERT_TRUE(milda.Start());
    const HWND box = milda.WaitForDialog(GAME_CAPTION, START_TIMEOUT_MS);
    ASSERT_NE(box, nullptr) << milda.DescribeWindows() << "; " << milda.DescribeEnd();
    wchar_t text[256] = {};
    ::GetDlgItemTextW(box, MESSAGE_BOX_TEXT_ID, text, 256);
    EXPECT_EQ(std::wstring(text), L"ゲームの画面を開けませんでした。ミルダを終了します。");
    EXPECT_TRUE(milda.IsRunning()) << "the program waits for the message to be read";

    ASSERT_TRUE(::PostMessageW(box, WM_COMMAND, IDOK, 0));
    ASSERT_TRUE(milda.WaitForExit()) << milda.DescribeWindows();
    EXPECT_EQ(milda.ExitCode(), 1u);
    EXPECT_FALSE(milda.SettingsFileExists());
}

} // namespace
