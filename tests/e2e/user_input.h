// Input as a person gives it (posted mouse, key and menu messages) and dialog contents read back.
#ifndef MILDA_TESTS_E2E_USER_INPUT_H
#define MILDA_TESTS_E2E_USER_INPUT_H

#include <windows.h>

#include <string>
#include <vector>

// A message sent and answered within 10 s; false when it was not.
bool SendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result);
// A left click at a point of the window's client area: button down, then up. The second click
// of a quick pair comes down as WM_LBUTTONDBLCLK.
bool ClickAt(HWND hwnd, int x, int y, UINT down = WM_LBUTTONDOWN);
// A key pressed and released while the window has the focus.
bool PressKey(HWND hwnd, UINT vk);
// Alt plus a letter, or Alt+Space for the system menu: the platform's keyboard menu command.
bool OpenMenuByKey(HWND hwnd, wchar_t key);
// A dialog button clicked.
bool ClickButton(HWND dialog, int id);
// The window with the keyboard focus in the thread of `window`: where a person's keys go.
HWND FocusOf(HWND window);

// A control's or window's text, asked of the window itself (the window's thread answers).
std::wstring TextOf(HWND hwnd);
// The texts of a dialog's static controls, in z-order; icons and empty labels left out.
std::vector<std::wstring> StaticTextsOf(HWND dialog);
// A drop-down list's entries and the index of its selection (-1 for none).
std::vector<std::wstring> ComboEntries(HWND combo);
int ComboSelection(HWND combo);
// Chooses an entry of a drop-down list as the keyboard does, one step at a time, so that the
// list sends its usual selection notifications.
bool ChooseComboEntry(HWND combo, int index);
bool IsChecked(HWND checkBox);

// Moves a dialog or message box beside the game window, so the board can be read behind it.
bool MoveBeside(HWND window, HWND game);

#endif
