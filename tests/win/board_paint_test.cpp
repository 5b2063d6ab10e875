// The game window's painting on real windows: the off-screen board (without leaking a drawing
// object over more paints than the process may hold objects), the minimized icon, the frame
// band.
#include "game/game_board.h"
#include "ui/board_paint.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF ERASE_BLUE = RGB(0, 0, 200);
constexpr COLORREF ICON_RED = RGB(220, 0, 0);

// What the icon-painting window saw of its icon background message.
HDC g_iconEraseDC = nullptr;
HICON g_paintedIcon = nullptr;

LRESULT CALLBACK IconWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintMinimizedIcon(hWnd, g_paintedIcon);
        return 0;
    case WM_ICONERASEBKGND: {
        g_iconEraseDC = reinterpret_cast<HDC>(wParam);
        RECT client;
        ::GetClientRect(hWnd, &client);
        CDC dc(g_iconEraseDC);
        dc.FillSolidRect(client, ERASE_BLUE);
        return 1;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

// A top-level window of the given client size at the screen's corner, shown and painted.
class CTestWindow {
public:
    CTestWindow(DWORD style, int clientWidth, int clientHeight, WNDPROC proc = ::DefWindowProcW) {
        const wchar_t* className = proc == ::DefWindowProcW ? L"MildaPlainTest" : L"MildaIconTest";
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        ::RegisterClassW(&wc);
        RECT outer = {0, 0, clientWidth, clientHeight};
        ::AdjustWindowRect(&outer, style, FALSE);
        m_hWnd =
            ::CreateWindowExW(0, className, L"Milda test", style, 0, 0, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, wc.hInstance, nullptr);
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        ::UpdateWindow(m_hWnd);
        PumpMessagesFor(100);
    }
    ~CTestWindow() { ::DestroyWindow(m_hWnd); }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND m_hWnd;
};

TEST(BoardPaint, NoDrawingObjectLeaksOverMorePaintsThanTheProcessMayHoldObjects) {
    // Each paint makes 2 device contexts, a bitmap and 20 pens and brushes; leaking any one of
    // them would use up the process's 65,536 objects long before the end.
    constexpr int PAINTS = 70000;
    CTestWindow window(WS_POPUP | WS_VISIBLE, 100, 100);
    CGameBoard board;
    RECT client;
    ::GetClientRect(window.m_hWnd, &client);
    board.SetBoardRect(client);
    for (int i = 0; i < PAINTS; ++i)
        PaintBoardOffscreen(window.m_hWnd, board);

    // The last paint still draws all of it: a new background colour, the grid, a white disc.
    board.SetBoardColor(RGB(10, 200, 30));
    PaintBoardOffscreen(window.m_hWnd, board);
    CDibCanvas shown(100, 100, RGB(255, 0, 255));
    CaptureWindow(window.m_hWnd, false, &shown);
    EXPECT_EQ(shown.At(1, 1), RGB(10, 200, 30));
    EXPECT_EQ(shown.At(99, 99), RGB(10, 200, 30));
    EXPECT_EQ(shown.At(4, 50), board.GetLineColor());
    EXPECT_EQ(shown.At(42, 42), board.GetWhiteColor()); // square (3, 3) of the start position
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_NE(pen.GetSafeHandle(), nullptr);
}

// A board that notes the bitmap the off-screen paint draws into.
class COffscreenWitnessBoard : public CGameBoard {
public:
    void DrawBoard(CDC* pDC) override {
        m_hOffscreen = ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_BITMAP);
        CGameBoard::DrawBoard(pDC);
    }
    HGDIOBJ m_hOffscreen = nullptr;
};

// On Windows an object deleted while still selected is not freed: each paint would leak it.
TEST(BoardPaint, DrawingPutsBackTheObjectsSelectedBefore) {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CBrush brush(RGB(4, 5, 6));
    CDibCanvas canvas(100, 100, RGB(255, 0, 255));
    CDC* dc = canvas.DC();
    const HDC hdc = dc->GetSafeHdc();
    dc->SelectObject(pen);
    dc->SelectObject(brush);
    const HGDIOBJ bitmap = ::GetCurrentObject(hdc, OBJ_BITMAP);
    auto expectSelectedBefore = [&](const char* after) {
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_PEN), pen.GetSafeHandle()) << after;
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_BRUSH), brush.GetSafeHandle()) << after;
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_BITMAP), bitmap) << after;
    };
    {
        CBitmap other;
        ASSERT_TRUE(other.CreateCompatibleBitmap(dc, 8, 8));
        CSelectScope selectOther(dc, other);
        EXPECT_EQ(::GetCurrentObject(hdc, OBJ_BITMAP), other.GetSafeHandle());
    }
    expectSelectedBefore("the selection scope");
    // The grid, the discs and the guide dots, each drawn with a pen and brush of its own.
    COffscreenWitnessBoard board;
    board.SetBoardRect(RECT{0, 0, 100, 100});
    board.DrawAll(dc);
    expectSelectedBefore("the board's drawing");
    // Gone once the paint returns; on Windows a bitmap deleted while still selected would stay.
    CTestWindow window(WS_POPUP | WS_VISIBLE, 100, 100);
    PaintBoardOffscreen(window.m_hWnd, board);
    ASSERT_NE(board.m_hOffscreen, nullptr);
    EXPECT_EQ(::GetObjectType(board.m_hOffscreen), 0u);
}

TEST(BoardPaint, MinimizedIconIsCentredOverItsBackground) {
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    std::vector<DWORD> red(static_cast<size_t>(iconWidth * iconHeight), 0x00DC0000);
    std::vector<BYTE> opaque(static_cast<size_t>((iconWidth + 15) / 16 * 2 * iconHeight), 0);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = ::CreateBitmap(iconWidth, iconHeight, 1, 32, red.data());
    info.hbmMask = ::CreateBitmap(iconWidth, iconHeight, 1, 1, opaque.data());
    g_paintedIcon = ::CreateIconIndirect(&info);
    ASSERT_NE(g_paintedIcon, nullptr);
    g_iconEraseDC = nullptr;

    // Odd sizes: the half is rounded up, (101 - 32 + 1) / 2 = 35 and (80 - 32 + 1) / 2 = 24.
    const int width = 101;
    const int height = 80;
    CTestWindow window(WS_POPUP | WS_VISIBLE, width, height, &IconWindowProc);
    EXPECT_NE(g_iconEraseDC, nullptr);
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, &update, FALSE));

    CDibCanvas shown(width, height, RGB(255, 0, 255));
    CaptureWindow(window.m_hWnd, false, &shown);
    const int x = (width - iconWidth + 1) / 2;
    const int y = (height - iconHeight + 1) / 2;
    EXPECT_EQ(shown.At(x, y), ICON_RED);
    EXPECT_EQ(shown.At(x + iconWidth - 1, y + iconHeight - 1), ICON_RED);
    EXPECT_EQ(shown.At(x - 1, y), ERASE_BLUE);
    EXPECT_EQ(shown.At(x, y - 1), ERASE_BLUE);
    EXPECT_EQ(shown.At(x + iconWidth, y), ERASE_BLUE);
    EXPECT_EQ(shown.At(x, y + iconHeight), ERASE_BLUE);

    ::DestroyIcon(g_paintedIcon);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST(BoardPaint, FrameBandCoversExactlyTheOuterFourPixels) {
    CTestWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150);
    RECT outer;
    ::GetWindowRect(window.m_hWnd, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    CDibCanvas before(width, height, RGB(255, 0, 255));
    CaptureWindow(window.m_hWnd, true, &before);

    PaintFrameBand(window.m_hWnd);
    // Wine shows what was drawn into a window's surface on the screen a moment later.
    PumpMessagesFor(300);
    CDibCanvas after(width, height, RGB(255, 0, 255));
    CaptureWindow(window.m_hWnd, true, &after);

    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int edgeDistance =
                std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
            const COLORREF expected = edgeDistance < 4 ? RGB(0, 0, 0) : before.At(x, y);
            if (after.At(x, y) != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << after.At(x, y) << ", expected " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
