#include "ui/board_paint.h"

#include "framework/gdi.h"
#include "game/game_board.h"

namespace {

constexpr int FRAME_BAND_WIDTH = 4;
constexpr COLORREF FRAME_BAND_COLOR = RGB(0, 0, 0);

} // namespace

void PaintBoardOffscreen(HWND hWnd, CGameBoard& board) {
    CClientDC dc(hWnd);
    if (dc.GetSafeHdc() == nullptr)
        return;
    RECT client;
    ::GetClientRect(hWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    CMemoryDC memDC(&dc);
    if (memDC.GetSafeHdc() == nullptr)
        return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&dc, width, height))
        return;
    // Declared after the bitmap: the old bitmap is selected back before this one is deleted.
    CSelectScope selectBitmap(&memDC, bitmap);
    board.DrawAll(&memDC);
    dc.BitBlt(0, 0, width, height, &memDC, 0, 0, SRCCOPY);
}

void PaintMinimizedIcon(HWND hWnd, HICON hIcon) {
    CPaintDC dc(hWnd);
    ::SendMessageW(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, hIcon);
}

void PaintFrameBand(HWND hWnd) {
    CWindowDC dc(hWnd);
    if (dc.GetSafeHdc() == nullptr)
        return;
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    ::OffsetRect(&rect, -rect.left, -rect.top);
    // Only the band is painted: the inside is clipped away.
    ::InflateRect(&rect, -FRAME_BAND_WIDTH, -FRAME_BAND_WIDTH);
    dc.ExcludeClipRect(rect);
    ::InflateRect(&rect, FRAME_BAND_WIDTH, FRAME_BAND_WIDTH);
    dc.FillSolidRect(rect, FRAME_BAND_COLOR);
}
