// The Options dialog, the version dialog and the end-of-game message around a running game.
#include "milda_fixture.h"

#include <algorithm>
#include <string>

// The project's version, handed over by the build: "1.2.2" as L"1.2.2".
#define MILDA_WIDEN_TEXT(text) L##text
#define MILDA_WIDE(text) MILDA_WIDEN_TEXT(text)
#define MILDA_VERSION_WIDE MILDA_WIDE(MILDA_VERSION)

namespace {

using Dialogs = MildaFixture;

constexpr DWORD WHOLE_GAME_TIMEOUT_MS = 90000;
constexpr DWORD QUIET_MS = 1000; // ten ticks without a move: no computer is to move

// The end-of-game text, built from the counts a person sees on the board.
std::wstring ResultText(int white, int black) {
    const wchar_t* result = white == black  ? L"引き分けです。"
                            : white > black ? L"先手の勝ちです。"
                                            : L"後手の勝ちです。";
    return L"先手 " + std::to_wstring(white) + L" 個、後手 " + std::to_wstring(black) + L" 個で" +
           result + L"\nもう一度ゲームを行いますか？";
}

bool IsGameOver(const BoardPicture& p) {
    return LegalSquares(p, Square::White).empty() && LegalSquares(p, Square::Black).empty();
}

// The open menu's highlighted entry is its last, and a separator line runs across the menu just
// above it; polled until the menu is drawn so.
::testing::AssertionResult SeparatorAboveHighlightedLastEntry(HWND menu) {
    const COLORREF lit[] = {::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_MENUHILIGHT)};
    const ULONGLONG end = ::GetTickCount64() + REACT_TIMEOUT_MS;
    RECT rc = {};
    ScreenPixels px;
    while (::GetTickCount64() < end && ::GetWindowRect(menu, &rc) &&
           px.Capture(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top)) {
        // Up the right side of the highlighted band, where no text is, to the rows above it:
        // one must be the separator's line across the middle half of the menu.
        const int w = px.Width();
        auto isLit = [&](int y) { return std::count(lit, lit + 2, px.At(w - 8, y)) > 0; };
        int y = px.Height() - 1;
        while (y > 0 && !isLit(y))
            --y;
        while (y > 0 && isLit(y))
            --y;
        for (const int below = y; y > 0 && y >= below - px.Height() / 16; --y) {
            int onLine = 0;
            for (int x = w / 4; x < w * 3 / 4; ++x)
                onLine += px.At(x, y) == ::GetSysColor(COLOR_BTNSHADOW);
            if (onLine == w * 3 / 4 - w / 4)
                return ::testing::AssertionSuccess();
        }
        ::Sleep(POLL_INTERVAL_MS);
    }
    return ::testing::AssertionFailure() << "no separator line above the system menu's last entry";
}

// The message box's text is its static with a line break; the icon's static has no text.
std::wstring MessageTextOf(HWND box) {
    for (const std::wstring& text : StaticTextsOf(box)) {
        if (text.find(L'\n') != std::wstring::npos)
            return text;
    }
    return std::wstring();
}

TEST_F(Dialogs, OptionsShowTheCurrentValuesCancelKeepsThemAndOkChangesTheGameInProgress) {
    ASSERT_NO_FATAL_FAILURE(Launch());
    const BoardPicture start = Await(WhiteToMoveAtStart, "the starting position with 4 dots");

    // F3: the defaults, and both lists hold the six kinds in order.
    HWND options = OpenOptions();
    ExpectOptionsShow(options, 0, 1, true);
    const std::vector<std::wstring> kinds(std::begin(PLAYER_ENTRIES), std::end(PLAYER_ENTRIES));
    EXPECT_EQ(ComboEntries(::GetDlgItem(options, ID_WHITE_LIST)), kinds);
    EXPECT_EQ(ComboEntries(::GetDlgItem(options, ID_BLACK_LIST)), kinds);

    // Changes, then Escape cancels them: white stays a person with dots, and the game goes on.
    SetOptions(options, 3, 2, false, VK_ESCAPE);
    // The closed dialog's place is painted again first.
    Await([&](const BoardPicture& p) { return p.SamePosition(start); }, "the board after Cancel");
    EXPECT_TRUE(BoardStaysAsIs(game, start, 500));
    ClickSquare(4, 2);
    Await([](const BoardPicture& p) { return p.Discs() == 6 && p.DotCount() > 0; },
          "black's answer after Cancel");

    // Enter is OK: white becomes the computer at level 3 and moves by itself, black a person:
    // the game rests with black to move and black's dots.
    options = OpenOptions();
    ExpectOptionsShow(options, 0, 1, true);
    SetOptions(options, 3, 0, true, VK_RETURN);
    BoardPicture p = AwaitQuiet(QUIET_MS);
    ASSERT_EQ(p.Discs(), 7) << "white did not move by itself" << p.Text();
    EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::Black));

    // White back to a person, black the computer at level 2, guide off: black moves by itself,
    // and the game rests with white to move and no dots.
    options = OpenOptions();
    ExpectOptionsShow(options, 3, 0, true);
    SetOptions(options, 0, 2, false, IDOK);
    p = AwaitQuiet(QUIET_MS);
    ASSERT_EQ(p.Discs(), 8) << "black did not move by itself" << p.Text();
    EXPECT_EQ(p.DotCount(), 0) << p.Text();

    // Guide on, black a person too: dots on exactly white's legal squares, the position
    // unchanged.
    options = OpenOptions();
    ExpectOptionsShow(options, 0, 2, false);
    SetOptions(options, 0, 0, true, IDOK);
    const BoardPicture rested = p;
    p = Await([&](const BoardPicture& b) { return b.DotCount() > 0; }, "guide dots");
    EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::White));
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(p.At(x, y), rested.At(x, y)) << "(" << x << "," << y << ")";
    }

    // White's click shows at once, with black's dots: no computer moves to paint it.
    const POINT move = LegalSquares(p, Square::White).front();
    ClickSquare(move.x, move.y);
    p = Await([&](const BoardPicture& b) { return b.At(move.x, move.y) == Square::White; },
              "white's clicked move against a person");
    EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::Black));

    // Escape ends the program with the last confirmed values.
    ASSERT_TRUE(PressKey(game, VK_ESCAPE));
    AwaitExit("Escape");
    EXPECT_EQ(milda.SettingsLines(),
              SettingsText(0, 0, 1, OUTER_WIDTH_DEFAULT, OUTER_HEIGHT_DEFAULT));
}

// Options opened by F3 right behind white's first move: the computer (black) is to move all the
// while the dialog is open. The dialog is moved beside the board, which is read behind it.
class OptionsOnComputersTurn : public MildaFixture {
protected:
    void OpenOptionsOnComputersTurn() {
        ASSERT_NO_FATAL_FAILURE(Launch());
        Await(WhiteToMoveAtStart, "the starting position with 4 dots");
        // Suspended, the program takes the click and F3 from its queue before any timer tick.
        ASSERT_TRUE(milda.Suspend());
        ClickSquare(4, 2);
        ASSERT_TRUE(PressKey(game, VK_F3));
        ASSERT_TRUE(milda.Resume());
        options = milda.WaitForDialog(OPTIONS_CAPTION);
        ASSERT_NE(options, nullptr) << "F3 opened no Options dialog";
        ASSERT_TRUE(MoveBeside(options, game));
        behind = Await([](const BoardPicture& p) { return p.At(4, 2) == Square::White; },
                       "white's move on (4,2)");
        ASSERT_EQ(behind.Discs(), 5) << "black moved behind the Options dialog" << behind.Text();
    }

    HWND options = nullptr;
    BoardPicture behind;
};

TEST_F(OptionsOnComputersTurn, TheComputerWaitsWhileTheyAreOpenAndMovesAfterCancel) {
    ASSERT_NO_FATAL_FAILURE(OpenOptionsOnComputersTurn());
    EXPECT_TRUE(BoardStaysAsIs(game, behind, 800)); // eight timer periods
    EXPECT_TRUE(ClickButton(options, IDCANCEL));
    ASSERT_TRUE(milda.WaitForWindowGone(options));
    Await([](const BoardPicture& p) { return p.Discs() == 6 && p.DotCount() > 0; },
          "black's answer after Cancel");
}

TEST_F(OptionsOnComputersTurn, F3AndF2ActOnlyOnceTheDialogHasClosed) {
    ASSERT_NO_FATAL_FAILURE(OpenOptionsOnComputersTurn());
    // F3 would run the Options command again, restarting the computer's timer; F2 a new game.
    ASSERT_TRUE(PressKey(game, VK_F3));
    ASSERT_TRUE(PressKey(game, VK_F2));
    EXPECT_TRUE(BoardStaysAsIs(game, behind, 800));
    // A second dialog would be the topmost one.
    EXPECT_EQ(milda.FindDialog(OPTIONS_CAPTION), options) << "a second Options dialog opened";
    EXPECT_TRUE(ClickButton(options, IDCANCEL));
    ASSERT_TRUE(milda.WaitForWindowGone(options));
    ASSERT_TRUE(PressKey(game, VK_F2));
    Await(WhiteToMoveAtStart, "a new game after F2");
}

TEST_F(Dialogs, TheSystemMenusLastEntryOpensTheVersionDialogAndTheComputerPlaysOn) {
    ASSERT_NO_FATAL_FAILURE(Launch("[Option]\r\nFirstPlayer=1\r\nLastPlayer=1\r\n"));

    // Alt+Space opens the system menu; End picks its last entry, Enter chooses it. (Its access
    // key cannot be tried here: Wine's own system menu has an "About Wine" entry on A.)
    ASSERT_TRUE(OpenMenuByKey(game, L' '));
    ASSERT_NE(milda.WaitForPopupMenu(), nullptr) << "Alt+Space opened no system menu";
    ASSERT_TRUE(PressKey(game, VK_END));
    EXPECT_TRUE(SeparatorAboveHighlightedLastEntry(milda.WaitForPopupMenu()));
    ASSERT_TRUE(PressKey(game, VK_RETURN));
    HWND version = milda.WaitForDialog(VERSION_CAPTION);
    ASSERT_NE(version, nullptr) << "the system menu's last entry opened no version dialog";
    const std::vector<std::wstring> texts = StaticTextsOf(version);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Milda Version " MILDA_VERSION_WIDE),
              texts.end());

    // Both sides are computers; their moves go on behind the open dialog.
    ASSERT_TRUE(MoveBeside(version, game));
    BoardPicture p = Await([](const BoardPicture&) { return true; }, "a readable board");
    const int discs = p.Discs();
    p = Await([&](const BoardPicture& b) { return b.Discs() >= discs + 3; },
              "three more moves behind the version dialog");
    EXPECT_TRUE(::IsWindowVisible(version)) << "the version dialog closed by itself";

    EXPECT_EQ(FocusOf(version), ::GetDlgItem(version, IDOK)) << "the focus is not on OK";
    EXPECT_TRUE(PressKey(FocusOf(version), VK_RETURN));
    ASSERT_TRUE(milda.WaitForWindowGone(version)) << "Enter did not close the version dialog";
    const int after = p.Discs();
    Await([&](const BoardPicture& b) { return b.Discs() > after; }, "the game going on");

    ASSERT_TRUE(::PostMessageW(game, WM_CLOSE, 0, 0));
    AwaitExit("WM_CLOSE");
    // Keys missing from the file are written with the rest.
    EXPECT_EQ(milda.SettingsLines(),
              SettingsText(1, 1, 1, OUTER_WIDTH_DEFAULT, OUTER_HEIGHT_DEFAULT));
}

// The end-of-game message, waited for while the computers play: each move, and the message once
// neither side can move, must come within MOVE_TIMEOUT_MS.
HWND AwaitGameEnd(const MildaProcess& milda, HWND game) {
    const ULONGLONG start = ::GetTickCount64();
    ULONGLONG lastChange = start;
    BoardPicture last;
    while (::GetTickCount64() - start < WHOLE_GAME_TIMEOUT_MS) {
        if (const HWND box = milda.FindDialog(GAME_OVER_CAPTION))
            return box;
        BoardPicture p;
        if (ReadBoard(game, &p) && p.Readable() && !p.SamePosition(last)) {
            last = p;
            lastChange = ::GetTickCount64();
        } else if (::GetTickCount64() - lastChange > MOVE_TIMEOUT_MS) {
            ADD_FAILURE() << (IsGameOver(last) ? "no end-of-game message" : "no move") << " within "
                          << MOVE_TIMEOUT_MS << " ms of the last move" << last.Text()
                          << milda.DescribeWindows();
            return nullptr;
        }
        ::Sleep(POLL_INTERVAL_MS);
    }
    ADD_FAILURE() << "the game did not end" << last.Text();
    return nullptr;
}

// Waits for the end-of-game message, reads it and the final board behind it.
void ReadGameEnd(const MildaProcess& milda, HWND game, HWND* box, BoardPicture* final) {
    *box = AwaitGameEnd(milda, game);
    ASSERT_NE(*box, nullptr) << "no end-of-game message";
    ASSERT_TRUE(MoveBeside(*box, game));
    // The last move's repaint may reach the screen just after the message shows. Once it has,
    // neither side has a square left.
    ASSERT_TRUE(WaitForBoard(game, IsGameOver, "a position in which neither side can move", final));
    EXPECT_EQ(final->DotCount(), 0) << final->Text();
    const std::wstring want = ResultText(final->Count(Square::White), final->Count(Square::Black));
    const std::wstring got = MessageTextOf(*box);
    EXPECT_EQ(got, want) << "message: " << Utf8(got) << "\nboard:" << final->Text();
    EXPECT_NE(::GetDlgItem(*box, IDYES), nullptr);
    EXPECT_NE(::GetDlgItem(*box, IDNO), nullptr);
    EXPECT_EQ(::GetDlgItem(*box, IDCANCEL), nullptr);
}

class ComputerGame : public MildaFixture {
protected:
    // A game only gains discs: a count well below the final one is a new game, one that grows
    // by itself is being played by the computers.
    void AwaitNewGamePlayingItself(const BoardPicture& final, const char* what) {
        const int fresh = std::min(16, final.Discs() - 1);
        const BoardPicture p =
            Await([&](const BoardPicture& b) { return b.Discs() <= fresh; }, what);
        const int discs = p.Discs();
        Await([&](const BoardPicture& b) { return b.Discs() >= discs + 4; },
              "the new game playing itself");
    }
};

TEST_F(ComputerGame, TwoComputersPlayToTheEndAndTheMessageOffersAnotherGame) {
    ASSERT_NO_FATAL_FAILURE(Launch("[Option]\r\nFirstPlayer=1\r\nLastPlayer=1\r\n"));

    HWND box = nullptr;
    BoardPicture final;
    ASSERT_NO_FATAL_FAILURE(ReadGameEnd(milda, game, &box, &final));

    // Yes has the focus, so Enter starts a new game that plays itself again. (Escape is left
    // out: Wine ends a Yes/No box on it, where Windows ignores it.)
    EXPECT_EQ(FocusOf(box), ::GetDlgItem(box, IDYES)) << "the focus is not on Yes";
    ASSERT_TRUE(PressKey(FocusOf(box), VK_RETURN));
    ASSERT_TRUE(milda.WaitForWindowGone(box));
    AwaitNewGamePlayingItself(final, "a new game after Yes");

    // No: the final position stays, and the message does not come back.
    ASSERT_NO_FATAL_FAILURE(ReadGameEnd(milda, game, &box, &final));
    EXPECT_TRUE(ClickButton(box, IDNO));
    ASSERT_TRUE(milda.WaitForWindowGone(box));
    Await([&](const BoardPicture& p) { return p.SamePosition(final); }, "the board after No");
    EXPECT_TRUE(BoardStaysAsIs(game, final, 1000));
    EXPECT_EQ(milda.FindDialog(GAME_OVER_CAPTION), nullptr);

    // Only a new game goes on from there.
    ASSERT_TRUE(PressKey(game, VK_F2));
    AwaitNewGamePlayingItself(final, "a new game after F2");

    ASSERT_TRUE(::PostMessageW(game, WM_CLOSE, 0, 0));
    AwaitExit("WM_CLOSE");
    EXPECT_EQ(milda.SettingsLines(),
              SettingsText(1, 1, 1, OUTER_WIDTH_DEFAULT, OUTER_HEIGHT_DEFAULT));
}

} // namespace
