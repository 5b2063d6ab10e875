// MildaFixture: one running milda.exe per test, with the checks most tests share.
#ifndef MILDA_TESTS_E2E_MILDA_FIXTURE_H
#define MILDA_TESTS_E2E_MILDA_FIXTURE_H

#include "board_picture.h"
#include "milda_process.h"
#include "user_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The Options dialog's controls, the window's outer size at first start and the captions of
// the dialogs, as a person meets them.
constexpr int ID_WHITE_LIST = 1010;
constexpr int ID_BLACK_LIST = 1011;
constexpr int ID_GUIDE_BOX = 1016;
constexpr int OUTER_WIDTH_DEFAULT = 348;
constexpr int OUTER_HEIGHT_DEFAULT = 352;
extern const wchar_t OPTIONS_CAPTION[];
extern const wchar_t GAME_OVER_CAPTION[];
extern const wchar_t VERSION_CAPTION[];
// The entries of both player lists; the index is the player kind.
extern const wchar_t* const PLAYER_ENTRIES[6];

// The starting position, with white's four guide dots.
bool WhiteToMoveAtStart(const BoardPicture& p);
// The squares on which a side may put a disc in the position shown: empty, and bracketing at
// least one straight run of the other side's discs.
std::vector<POINT> LegalSquares(const BoardPicture& p, Square side);
// The guide dots sit exactly on the legal squares of the side to move, in its colour.
::testing::AssertionResult DotsOnLegalSquaresOf(const BoardPicture& p, Square side);

// The settings file as the program writes it, one line per entry.
std::vector<std::string> SettingsText(int firstPlayer, int lastPlayer, int guide, int cx, int cy);

class MildaFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the copy (after writing the settings file, if any) and waits for its game window.
    void Launch(const std::string& settings = std::string());
    // Waits for the program to end after a close request, with that exit code. (Each wait ends
    // the test on failure.)
    void AwaitExit(const char* how, DWORD exitCode = 0);
    // The board read back until the condition holds.
    BoardPicture Await(const std::function<bool(const BoardPicture&)>& condition, const char* what,
                       DWORD timeoutMs = MOVE_TIMEOUT_MS);
    // The board once it has not changed for a while (no side moves by itself any more).
    BoardPicture AwaitQuiet(DWORD quietMs, DWORD timeoutMs = MOVE_TIMEOUT_MS);
    // Clicks the centre of square (x, y) at the window's present layout.
    void ClickSquare(int x, int y);
    SIZE OuterSize() const;

    // Opens Options with F3 and waits for the dialog.
    HWND OpenOptions();
    // The values the Options dialog shows: the two list selections and the guide box.
    void ExpectOptionsShow(HWND dialog, int white, int black, bool guide);
    // Chooses the two kinds and the guide state in the open dialog and closes it with a button
    // (IDOK, IDCANCEL) or a key on the focused control (VK_RETURN, VK_ESCAPE).
    void SetOptions(HWND dialog, int white, int black, bool guide, int button);
    // Minimises the window, or restores it, as its caption's buttons do.
    void Minimise(bool minimised);

    MildaProcess milda;
    HWND game = nullptr;
};

#endif
