// ScreenPixels, BoardLayout, BoardPicture: what the game window shows, read back from the screen.
#ifndef MILDA_TESTS_E2E_BOARD_PICTURE_H
#define MILDA_TESTS_E2E_BOARD_PICTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

constexpr COLORREF BOARD_COLOR = RGB(180, 180, 180);
constexpr COLORREF LINE_COLOR = RGB(30, 30, 30);
constexpr COLORREF WHITE_DISC = RGB(255, 255, 255);
constexpr COLORREF BLACK_DISC = RGB(30, 30, 30);
// How long a repaint, or a computer's move at the levels the tests play, may take to show.
constexpr DWORD MOVE_TIMEOUT_MS = 5000;

// A block of the screen, copied with BitBlt from the screen's device context (PrintWindow from
// another process gives a blank picture under Wine).
class ScreenPixels {
public:
    bool Capture(int left, int top, int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_bits;
};

// Where the game window's client area puts the grid: origin (4, 4), squares of
// (client size - 8) / 8 pixels.
struct BoardLayout {
    int clientWidth;
    int clientHeight;
    int cellWidth;
    int cellHeight;

    static BoardLayout Of(HWND game);
    POINT SquareCenter(int x, int y) const;
    int Left(int x) const { return 4 + x * cellWidth; }
    int Top(int y) const { return 4 + y * cellHeight; }
};

enum class Square { Empty, White, Black, Unreadable };
std::ostream& operator<<(std::ostream& out, Square s);

// The 64 squares as seen on the screen, and the guide dot (the mover's colour) on empty ones.
struct BoardPicture {
    BoardLayout layout = {};
    Square squares[8][8] = {}; // [x][y]
    Square dots[8][8] = {};    // Empty, or the colour of the dot on an empty square
    std::string unreadable;    // colours met where a disc or the board was expected

    Square At(int x, int y) const { return squares[x][y]; }
    Square DotAt(int x, int y) const { return dots[x][y]; }
    int Count(Square s) const;
    int Discs() const { return Count(Square::White) + Count(Square::Black); }
    int DotCount() const;
    bool Readable() const { return unreadable.empty(); }
    bool SamePosition(const BoardPicture& other) const;
    // Eight rows: W and B discs, w and b guide dots, . empty, ? unreadable.
    std::string Text() const;
};

// Reads the game window's client area from the screen. False when it cannot be captured.
bool ReadBoard(HWND game, BoardPicture* picture);

// Polls the board until the condition holds. The failure message shows the last picture.
::testing::AssertionResult WaitForBoard(HWND game,
                                        const std::function<bool(const BoardPicture&)>& condition,
                                        const char* what, BoardPicture* last = nullptr,
                                        DWORD timeoutMs = MOVE_TIMEOUT_MS);

// Watches the board for a while and fails on the first change of the position or dots.
::testing::AssertionResult BoardStaysAsIs(HWND game, const BoardPicture& expected, DWORD forMs);

// The grid drawn at the layout's cell size: lines where they belong, board colour beside them
// and in the margins.
::testing::AssertionResult GridMatchesLayout(HWND game, const BoardLayout& layout);

// Polls until the grid matches the layout; the failure message lists the first wrong pixels.
::testing::AssertionResult AwaitGrid(HWND game, const BoardLayout& layout,
                                     DWORD timeoutMs = MOVE_TIMEOUT_MS);

// An icon drawn over the background at that size; pixels top row first.
std::vector<COLORREF> DrawnIcon(HICON icon, int size, COLORREF background);

// Polls until the frame above the board is drawn: the black band at the window's top edge, the
// caption with the icon of `exe` at its left, the menu bar. The failure says which is not.
::testing::AssertionResult AwaitFrame(HWND game, const std::wstring& exe,
                                      DWORD timeoutMs = MOVE_TIMEOUT_MS);

// The starting position: white on (3,3) and (4,4), black on (4,3) and (3,4).
bool IsStartingPosition(const BoardPicture& p);

#endif
