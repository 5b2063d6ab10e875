#include "milda_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

const wchar_t OPTIONS_CAPTION[] = L"オプション";
const wchar_t GAME_OVER_CAPTION[] = L"ゲームの終了";
const wchar_t VERSION_CAPTION[] = L"ﾊﾞｰｼﾞｮﾝ情報";
const wchar_t* const PLAYER_ENTRIES[6] = {L"人間",      L"COM(Lv 1)", L"COM(Lv 2)",
                                          L"COM(Lv 3)", L"COM(Lv 4)", L"COM(Lv 5)"};

namespace {

// An ASSERT ends its test even inside a helper, so that the waits below stop the test at the
// first one that fails: what follows a failed wait would only time out on the same fault.
class EndTestOnFatalFailure : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.fatally_failed())
            throw ::testing::AssertionException(result);
    }
};
const bool END_TEST_ON_FATAL_FAILURE =
    (::testing::UnitTest::GetInstance()->listeners().Append(new EndTestOnFatalFailure), true);

void AssertWaited(const ::testing::AssertionResult& waited) { ASSERT_TRUE(waited); }

bool OnBoard(int x, int y) { return x >= 0 && x < 8 && y >= 0 && y < 8; }

bool Brackets(const BoardPicture& p, int x, int y, Square side) {
    const Square other = side == Square::White ? Square::Black : Square::White;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            int cx = x + dx;
            int cy = y + dy;
            int run = 0;
            while (OnBoard(cx, cy) && p.At(cx, cy) == other) {
                cx += dx;
                cy += dy;
                ++run;
            }
            if (run > 0 && OnBoard(cx, cy) && p.At(cx, cy) == side)
                return true;
        }
    }
    return false;
}

} // namespace

bool WhiteToMoveAtStart(const BoardPicture& p) {
    return IsStartingPosition(p) && p.DotCount() == 4;
}

std::vector<POINT> LegalSquares(const BoardPicture& p, Square side) {
    std::vector<POINT> squares;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (p.At(x, y) == Square::Empty && Brackets(p, x, y, side))
                squares.push_back({x, y});
        }
    }
    return squares;
}

::testing::AssertionResult DotsOnLegalSquaresOf(const BoardPicture& p, Square side) {
    bool legal[8][8] = {};
    for (const POINT& s : LegalSquares(p, side))
        legal[s.x][s.y] = true;
    std::ostringstream wrong;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Square want = legal[x][y] ? side : Square::Empty;
            if (p.DotAt(x, y) != want)
                wrong << " (" << x << "," << y << ")";
        }
    }
    if (wrong.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "guide dots differ from the legal squares of "
           << (side == Square::White ? "white" : "black") << " at" << wrong.str() << p.Text();
}

std::vector<std::string> SettingsText(int firstPlayer, int lastPlayer, int guide, int cx, int cy) {
    return {"[Option]",
            "FirstPlayer=" + std::to_string(firstPlayer),
            "LastPlayer=" + std::to_string(lastPlayer),
            "Guide=" + std::to_string(guide),
            "[Window]",
            "cx=" + std::to_string(cx),
            "cy=" + std::to_string(cy)};
}

void MildaFixture::TearDown() {
    if (HasFailure())
        std::printf("%s\n", milda.DescribeWindows().c_str());
}

void MildaFixture::Launch(const std::string& settings) {
    if (!settings.empty())
        milda.WriteSettings(settings);
    ASSERT_TRUE(milda.Start()) << "milda.exe could not be copied or started";
    game = milda.WaitForGameWindow();
    ASSERT_NE(game, nullptr) << "no visible game window \"ミルダ\"; milda.exe "
                             << milda.DescribeEnd() << "; " << milda.DescribeWindows();
    ASSERT_TRUE(AwaitFrame(game, milda.Exe()));
    EXPECT_EQ(FocusOf(game), game) << "the game window does not have the focus";
}

void MildaFixture::AwaitExit(const char* how, DWORD exitCode) {
    ASSERT_TRUE(milda.WaitForExit())
        << "milda.exe still runs after " << how << "; " << milda.DescribeWindows();
    ASSERT_EQ(milda.ExitCode(), exitCode) << "after " << how;
}

BoardPicture MildaFixture::Await(const std::function<bool(const BoardPicture&)>& condition,
                                 const char* what, DWORD timeoutMs) {
    BoardPicture p;
    AssertWaited(WaitForBoard(game, condition, what, &p, timeoutMs));
    return p;
}

BoardPicture MildaFixture::AwaitQuiet(DWORD quietMs, DWORD timeoutMs) {
    BoardPicture last;
    ULONGLONG since = 0; // when the board last changed, once it has been read
    const bool quiet = PollUntil(
        [&] {
            BoardPicture p;
            if (ReadBoard(game, &p) && p.Readable() && (since == 0 || !p.SamePosition(last))) {
                last = p;
                since = ::GetTickCount64();
            }
            return since != 0 && ::GetTickCount64() - since >= quietMs;
        },
        timeoutMs);
    AssertWaited(::testing::AssertionResult(quiet) << "the board kept changing for " << timeoutMs
                                                   << " ms; last seen:" << last.Text());
    return last;
}

void MildaFixture::ClickSquare(int x, int y) {
    const POINT pt = BoardLayout::Of(game).SquareCenter(x, y);
    EXPECT_TRUE(ClickAt(game, pt.x, pt.y));
}

SIZE MildaFixture::OuterSize() const {
    RECT rc = {};
    ::GetWindowRect(game, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

HWND MildaFixture::OpenOptions() {
    EXPECT_TRUE(PressKey(game, VK_F3));
    HWND dialog = milda.WaitForDialog(OPTIONS_CAPTION);
    AssertWaited(::testing::AssertionResult(dialog != nullptr)
                 << "F3 opened no Options dialog; " << milda.DescribeWindows());
    // Over the middle of the game window (which leaves room for it on the screen).
    RECT d = {}, g = {};
    EXPECT_TRUE(::GetWindowRect(dialog, &d) && ::GetWindowRect(game, &g) &&
                std::abs(d.left + d.right - g.left - g.right) <= 1 &&
                std::abs(d.top + d.bottom - g.top - g.bottom) <= 1)
        << "the Options dialog is not over the middle of the game window";
    EXPECT_EQ(FocusOf(dialog), ::GetDlgItem(dialog, ID_WHITE_LIST)) << "focus not on white's list";
    return dialog;
}

void MildaFixture::ExpectOptionsShow(HWND dialog, int white, int black, bool guide) {
    HWND whiteList = ::GetDlgItem(dialog, ID_WHITE_LIST);
    HWND blackList = ::GetDlgItem(dialog, ID_BLACK_LIST);
    HWND guideBox = ::GetDlgItem(dialog, ID_GUIDE_BOX);
    ASSERT_NE(whiteList, nullptr);
    ASSERT_NE(blackList, nullptr);
    ASSERT_NE(guideBox, nullptr);
    EXPECT_EQ(ComboSelection(whiteList), white);
    EXPECT_EQ(ComboSelection(blackList), black);
    EXPECT_EQ(TextOf(whiteList), std::wstring(PLAYER_ENTRIES[white]))
        << "white's list shows " << Utf8(TextOf(whiteList));
    EXPECT_EQ(TextOf(blackList), std::wstring(PLAYER_ENTRIES[black]))
        << "black's list shows " << Utf8(TextOf(blackList));
    EXPECT_EQ(IsChecked(guideBox), guide);
}

void MildaFixture::SetOptions(HWND dialog, int white, int black, bool guide, int button) {
    HWND guideBox = ::GetDlgItem(dialog, ID_GUIDE_BOX);
    EXPECT_TRUE(ChooseComboEntry(::GetDlgItem(dialog, ID_WHITE_LIST), white));
    EXPECT_TRUE(ChooseComboEntry(::GetDlgItem(dialog, ID_BLACK_LIST), black));
    if (IsChecked(guideBox) != guide) {
        EXPECT_TRUE(ClickButton(dialog, ID_GUIDE_BOX));
        ASSERT_TRUE(PollUntil([&] { return IsChecked(guideBox) == guide; }, REACT_TIMEOUT_MS))
            << "a click on the guide box did not toggle it";
    }
    const bool key = button == VK_RETURN || button == VK_ESCAPE;
    EXPECT_TRUE(key ? PressKey(FocusOf(dialog), button) : ClickButton(dialog, button));
    ASSERT_TRUE(milda.WaitForWindowGone(dialog)) << "the Options dialog stayed open";
}

void MildaFixture::Minimise(bool minimised) {
    ASSERT_TRUE(::PostMessageW(game, WM_SYSCOMMAND, minimised ? SC_MINIMIZE : SC_RESTORE, 0));
    ASSERT_TRUE(
        PollUntil([&] { return (::IsIconic(game) != FALSE) == minimised; }, REACT_TIMEOUT_MS))
        << "the window did not " << (minimised ? "minimise" : "restore");
}
