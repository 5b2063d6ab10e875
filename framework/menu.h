// CMenu: a menu handle (not owned) with the calls the system-menu entry needs.
#pragma once

#include "framework/win.h"

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const wchar_t* text = nullptr) {
        return ::AppendMenuW(m_hMenu, flags, id, text);
    }

    HMENU m_hMenu = nullptr;
};
