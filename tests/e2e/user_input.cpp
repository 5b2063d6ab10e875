#include "user_input.h"

namespace {

constexpr UINT SEND_TIMEOUT_MS = 10000;
constexpr int TEXT_LIMIT = 1024;

LPARAM KeyParam(UINT vk, bool up) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | static_cast<LPARAM>(scan << 16);
    if (up)
        lp |= static_cast<LPARAM>(0xC0000000u);
    return lp;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM param) {
    auto* texts = reinterpret_cast<std::vector<std::wstring>*>(param);
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    if (::lstrcmpiW(cls, L"Static") == 0) {
        std::wstring text = TextOf(hwnd);
        if (!text.empty())
            texts->push_back(text);
    }
    return TRUE;
}

} // namespace

bool SendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
    return ::SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, SEND_TIMEOUT_MS, result) != 0;
}

bool ClickAt(HWND hwnd, int x, int y, UINT down) {
    const LPARAM pos = MAKELPARAM(x, y);
    return ::PostMessageW(hwnd, down, MK_LBUTTON, pos) &&
           ::PostMessageW(hwnd, WM_LBUTTONUP, 0, pos);
}

bool PressKey(HWND hwnd, UINT vk) {
    return ::PostMessageW(hwnd, WM_KEYDOWN, vk, KeyParam(vk, false)) &&
           ::PostMessageW(hwnd, WM_KEYUP, vk, KeyParam(vk, true));
}

bool OpenMenuByKey(HWND hwnd, wchar_t key) {
    return ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key)) != FALSE;
}

bool ClickButton(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    return button != nullptr && ::PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                                  : nullptr;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[TEXT_LIMIT] = {};
    DWORD_PTR copied = 0;
    if (!SendWithTimeout(hwnd, WM_GETTEXT, TEXT_LIMIT, reinterpret_cast<LPARAM>(buffer), &copied))
        return std::wstring();
    return std::wstring(buffer, copied < TEXT_LIMIT ? copied : 0);
}

std::vector<std::wstring> StaticTextsOf(HWND dialog) {
    std::vector<std::wstring> texts;
    ::EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    DWORD_PTR count = 0;
    if (!SendWithTimeout(combo, CB_GETCOUNT, 0, 0, &count))
        return entries;
    for (DWORD_PTR i = 0; i < count && static_cast<LRESULT>(count) != CB_ERR; ++i) {
        wchar_t buffer[TEXT_LIMIT] = {};
        DWORD_PTR length = 0;
        SendWithTimeout(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer), &length);
        entries.emplace_back(buffer, static_cast<LRESULT>(length) == CB_ERR ? 0 : length);
    }
    return entries;
}

int ComboSelection(HWND combo) {
    DWORD_PTR selection = 0;
    if (!SendWithTimeout(combo, CB_GETCURSEL, 0, 0, &selection))
        return -2;
    return static_cast<int>(static_cast<LRESULT>(selection));
}

bool ChooseComboEntry(HWND combo, int index) {
    // Home selects the first entry, then Down once per step: what a person types on a closed
    // drop-down list that has the focus.
    DWORD_PTR ignored = 0;
    if (!SendWithTimeout(combo, WM_KEYDOWN, VK_HOME, KeyParam(VK_HOME, false), &ignored))
        return false;
    for (int i = 0; i < index; ++i) {
        if (!SendWithTimeout(combo, WM_KEYDOWN, VK_DOWN, KeyParam(VK_DOWN, false), &ignored))
            return false;
    }
    return ComboSelection(combo) == index;
}

bool IsChecked(HWND checkBox) {
    DWORD_PTR state = 0;
    return SendWithTimeout(checkBox, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool MoveBeside(HWND window, HWND game) {
    RECT rcGame = {};
    if (!::GetWindowRect(game, &rcGame))
        return false;
    if (!::SetWindowPos(window, nullptr, rcGame.right + 8, rcGame.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        return false;
    // Done once the window reports its new place.
    RECT rc = {};
    return ::GetWindowRect(window, &rc) && rc.left >= rcGame.right;
}
