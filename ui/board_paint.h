// PaintBoardOffscreen, PaintMinimizedIcon, PaintFrameBand: the game window's painting.
#pragma once

#include "framework/win.h"

class CGameBoard;

// The whole client area: the board's picture drawn into a memory bitmap of the client's size,
// then copied to the window in one block. Paints nothing without a window device context.
void PaintBoardOffscreen(HWND hWnd, CGameBoard& board);

// One paint cycle of a minimized window: its icon background, then the icon in the middle.
void PaintMinimizedIcon(HWND hWnd, HICON hIcon);

// A black band 4 pixels wide along the outer edge of the whole window, over its frame.
void PaintFrameBand(HWND hWnd);
