// A person's clicks against the computer, clicks that must not play, a new game, a new size.
#include "milda_fixture.h"

namespace {

using Play = MildaFixture;

// After white's first move and black's answer: three discs each, white to move again.
bool AnsweredOnce(const BoardPicture& p) {
    return p.Count(Square::White) == 3 && p.Count(Square::Black) == 3 && p.DotCount() > 0;
}

TEST_F(Play, APersonsClickPlaysTheComputerAnswersAndStrayClicksChangeNothing) {
    ASSERT_NO_FATAL_FAILURE(Launch());
    BoardPicture p = Await(WhiteToMoveAtStart, "the starting position with 4 dots");
    const BoardLayout layout = p.layout;

    // Black's three answers to (4,2). A click on one of them, queued right after white's move,
    // arrives while the computer is to move and must be ignored. The computer may choose that
    // very square itself, so each answer is tried in turn until one run tells them apart.
    const POINT answers[] = {{3, 2}, {5, 2}, {5, 4}};
    bool strayClickSeenIgnored = false;
    for (const POINT& stray : answers) {
        const POINT occupied = layout.SquareCenter(3, 3);
        const POINT white = layout.SquareCenter(4, 2);
        const POINT blackTurn = layout.SquareCenter(stray.x, stray.y);
        const POINT rightOfGrid = {layout.Left(8) + 2, layout.SquareCenter(5, 3).y};
        const POINT belowGrid = {layout.SquareCenter(3, 5).x, layout.Top(8) + 2};
        // Suspended, the program takes all of these from its queue before any paint or tick.
        ASSERT_TRUE(milda.Suspend());
        ClickAt(game, occupied.x, occupied.y);
        ClickAt(game, rightOfGrid.x, rightOfGrid.y);
        ClickAt(game, belowGrid.x, belowGrid.y);
        ClickAt(game, white.x, white.y);
        ClickAt(game, blackTurn.x, blackTurn.y);
        ASSERT_TRUE(milda.Resume());

        p = Await(AnsweredOnce, "white's move on (4,2) and one answer of black");
        ASSERT_EQ(p.At(4, 2), Square::White) << "the click on (4,2) did not play" << p.Text();
        EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::White));
        // Black answered once and no more: the board rests with white to move.
        EXPECT_TRUE(BoardStaysAsIs(game, p, 400));
        if (p.At(stray.x, stray.y) == Square::Empty) {
            strayClickSeenIgnored = true;
            break;
        }
        // F2: a new game, white to move, whatever happened before.
        ASSERT_TRUE(PressKey(game, VK_F2));
        Await(WhiteToMoveAtStart, "a new game after F2");
    }
    EXPECT_TRUE(strayClickSeenIgnored)
        << "every click made while the computer was to move played black's move there";

    // F2 in the middle of a game starts again from the starting position.
    ASSERT_TRUE(PressKey(game, VK_F2));
    p = Await(WhiteToMoveAtStart, "a new game after F2");
    EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::White));

    // The menu's Exit item, reached as a person does: Alt+G opens the game menu, X chooses
    // "ミルダの終了(&X)".
    ASSERT_TRUE(OpenMenuByKey(game, L'g'));
    ASSERT_NE(milda.WaitForPopupMenu(), nullptr) << "Alt+G opened no menu";
    ASSERT_TRUE(PressKey(game, 'X'));
    AwaitExit("the menu's Exit item");
    EXPECT_EQ(milda.SettingsLines(),
              SettingsText(0, 1, 1, OUTER_WIDTH_DEFAULT, OUTER_HEIGHT_DEFAULT));
}

TEST_F(Play, TwoPersonsClickAGameToItsEndAndTheLastClickBringsTheMessage) {
    ASSERT_NO_FATAL_FAILURE(Launch("[Option]\r\nFirstPlayer=0\r\nLastPlayer=0\r\n"));
    BoardPicture p = Await(WhiteToMoveAtStart, "the starting position with 4 dots");
    // Each click plays the first square the guide marks, for whichever side is to move.
    while (milda.FindDialog(GAME_OVER_CAPTION) == nullptr) {
        int dot = 0;
        while (dot < 64 && p.DotAt(dot % 8, dot / 8) == Square::Empty)
            ++dot;
        ASSERT_LT(dot, 64) << "neither a guide dot nor the end-of-game message" << p.Text();
        const int discs = p.Discs();
        ClickSquare(dot % 8, dot / 8);
        ASSERT_TRUE(PollUntil(
            [&] {
                return (ReadBoard(game, &p) && p.Readable() && p.Discs() > discs) ||
                       milda.FindDialog(GAME_OVER_CAPTION) != nullptr;
            },
            MOVE_TIMEOUT_MS))
            << "no move shown for the click" << p.Text();
    }
}

TEST_F(Play, ResizingLaysTheBoardOutAgain) {
    ASSERT_NO_FATAL_FAILURE(Launch());
    Await(WhiteToMoveAtStart, "the starting position with 4 dots");

    // Wider than high: squares wider than high, discs elliptical.
    ASSERT_TRUE(
        ::SetWindowPos(game, nullptr, 0, 0, 540, 430, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    const BoardLayout wide = BoardLayout::Of(game);
    ASSERT_GT(wide.cellWidth, wide.cellHeight);
    ASSERT_TRUE(AwaitGrid(game, wide));
    EXPECT_TRUE(AwaitFrame(game, milda.Exe()));
    BoardPicture p = Await(WhiteToMoveAtStart, "the starting position laid out for 540x430");
    EXPECT_TRUE(DotsOnLegalSquaresOf(p, Square::White));

    // A click lands on the square of the new layout. It comes as the second of a quick pair
    // (the first on an occupied square), which the window takes as a double-click.
    const POINT occupied = wide.SquareCenter(3, 3);
    const POINT target = wide.SquareCenter(5, 3);
    ASSERT_TRUE(ClickAt(game, occupied.x, occupied.y));
    ASSERT_TRUE(ClickAt(game, target.x, target.y, WM_LBUTTONDBLCLK));
    p = Await(AnsweredOnce, "white's double-clicked move on (5,3) and black's answer");
    EXPECT_EQ(p.At(5, 3), Square::White) << p.Text();

    // Smaller both ways, and narrower than high: no new area shows, yet the board is drawn
    // again; the position stays, only the squares change size.
    ASSERT_TRUE(
        ::SetWindowPos(game, nullptr, 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    const BoardLayout tall = BoardLayout::Of(game);
    ASSERT_LT(tall.cellWidth, tall.cellHeight);
    ASSERT_TRUE(AwaitGrid(game, tall));
    const BoardPicture before = p;
    p = Await([&](const BoardPicture& b) { return b.SamePosition(before); },
              "the same position laid out for 300x400");
    EXPECT_TRUE(AwaitFrame(game, milda.Exe()));

    // Minimised and restored: frame and board are drawn again.
    ASSERT_NO_FATAL_FAILURE(Minimise(true));
    ASSERT_NO_FATAL_FAILURE(Minimise(false));
    EXPECT_TRUE(AwaitFrame(game, milda.Exe()));
    Await([&](const BoardPicture& b) { return b.SamePosition(before); }, "the restored board");

    // Enter ends the program, and the size it had is kept.
    ASSERT_TRUE(PressKey(game, VK_RETURN));
    AwaitExit("Enter");
    EXPECT_EQ(milda.SettingsLines(), SettingsText(0, 1, 1, 300, 400));
}

} // namespace
