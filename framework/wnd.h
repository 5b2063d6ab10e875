// CWnd (window object and thin wrappers), CMessageMap, CMessageEntry, the Map... builders.
#pragma once

#include "framework/menu.h"
#include "framework/win.h"

#include <cstddef>

class CWnd;

// How a mapped message is taken apart into its handler's arguments.
enum class CMessageSig { Void, SysCommand, QueryDragIcon, Size, Mouse, Timer, EndSession };

// A handler of a class derived from CWnd, held as a pointer to a CWnd member of the same
// signature; a derived class's member converts to it with static_cast, so no cast between
// function types is needed. Which member is live is told by the entry's CMessageSig.
union CMessageHandler {
    constexpr CMessageHandler(void (CWnd::*pfn)()) : pfnVoid(pfn) {}
    constexpr CMessageHandler(void (CWnd::*pfn)(UINT, LPARAM)) : pfnSysCommand(pfn) {}
    constexpr CMessageHandler(HCURSOR (CWnd::*pfn)()) : pfnQueryDragIcon(pfn) {}
    constexpr CMessageHandler(void (CWnd::*pfn)(UINT, int, int)) : pfnSize(pfn) {}
    constexpr CMessageHandler(void (CWnd::*pfn)(UINT, POINT)) : pfnMouse(pfn) {}
    constexpr CMessageHandler(void (CWnd::*pfn)(UINT_PTR)) : pfnTimer(pfn) {}
    constexpr CMessageHandler(void (CWnd::*pfn)(BOOL)) : pfnEndSession(pfn) {}

    void (CWnd::*pfnVoid)();
    void (CWnd::*pfnSysCommand)(UINT nID, LPARAM lParam);
    HCURSOR (CWnd::*pfnQueryDragIcon)();
    void (CWnd::*pfnSize)(UINT nType, int cx, int cy);
    void (CWnd::*pfnMouse)(UINT nFlags, POINT point);
    void (CWnd::*pfnTimer)(UINT_PTR nIDEvent);
    void (CWnd::*pfnEndSession)(BOOL bEnding);
};

struct CMessageEntry {
    UINT message;
    UINT id; // the command identifier of a WM_COMMAND entry, otherwise 0
    CMessageSig sig;
    CMessageHandler handler;
};

// One class's entries and the map of its base class, searched after them.
struct CMessageMap {
    const CMessageMap* base;
    const CMessageEntry* entries;
    size_t count;
};

class CWnd {
public:
    CWnd();
    // A window still attached is destroyed with its object.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to a window made by this framework, or nullptr.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Every message of the window comes here: the message map first, then Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual const CMessageMap* GetMessageMap() const;
    // The platform's own handling of the message being handled now.
    LRESULT Default();

    BOOL GetClientRect(RECT* pRect) const { return ::GetClientRect(m_hWnd, pRect); }
    BOOL GetWindowRect(RECT* pRect) const { return ::GetWindowRect(m_hWnd, pRect); }
    BOOL InvalidateRect(const RECT* pRect, BOOL erase = TRUE) {
        return ::InvalidateRect(m_hWnd, pRect, erase);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, flags);
    }
    // A timer without a callback: each tick arrives as WM_TIMER.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // Returns the previous icon of that size.
    HICON SetIcon(HICON hIcon, BOOL big) {
        return reinterpret_cast<HICON>(::SendMessageW(
            m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
    }
    // The window's system menu in an object of this window, valid until the next call or the
    // window object's end; nullptr when there is none (and always when revert is TRUE).
    CMenu* GetSystemMenu(BOOL revert);
    int MessageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
        return ::MessageBoxW(m_hWnd, text, caption, type);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL DestroyWindow();

    HWND m_hWnd;

protected:
    // Looks the message up in the map chain; TRUE with the result when a handler took it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // While alive, the first top-level window this thread creates is attached to pWnd, before
    // its first message: a hook sees the window being made and subclasses it at once. A dialog
    // procedure would bind too late: the dialog manager first calls it after the window has had
    // WM_NCCREATE, WM_CREATE and its first WM_SIZE, which sizes the game window's board.
    class CCreationScope {
    public:
        explicit CCreationScope(CWnd* pWnd);
        ~CCreationScope();
        CCreationScope(const CCreationScope&) = delete;
        CCreationScope& operator=(const CCreationScope&) = delete;

    private:
        CWnd* m_pPrevious;
        HHOOK m_hHook;
    };

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    void Attach(HWND hWnd);
    void DetachDestroyed();
    static LRESULT CALLBACK StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper;
    CurrentMessage m_current;
    CMenu m_menuSystem;
};

template <class T> CMessageEntry MapSysCommand(void (T::*pfn)(UINT nID, LPARAM lParam)) {
    return {WM_SYSCOMMAND, 0, CMessageSig::SysCommand,
            static_cast<void (CWnd::*)(UINT, LPARAM)>(pfn)};
}

template <class T> CMessageEntry MapPaint(void (T::*pfn)()) {
    return {WM_PAINT, 0, CMessageSig::Void, static_cast<void (CWnd::*)()>(pfn)};
}

template <class T> CMessageEntry MapNcPaint(void (T::*pfn)()) {
    return {WM_NCPAINT, 0, CMessageSig::Void, static_cast<void (CWnd::*)()>(pfn)};
}

// The handler's handle becomes the message's result.
template <class T> CMessageEntry MapQueryDragIcon(HCURSOR (T::*pfn)()) {
    return {WM_QUERYDRAGICON, 0, CMessageSig::QueryDragIcon, static_cast<HCURSOR (CWnd::*)()>(pfn)};
}

template <class T> CMessageEntry MapSize(void (T::*pfn)(UINT nType, int cx, int cy)) {
    return {WM_SIZE, 0, CMessageSig::Size, static_cast<void (CWnd::*)(UINT, int, int)>(pfn)};
}

template <class T> CMessageEntry MapLButtonDown(void (T::*pfn)(UINT nFlags, POINT point)) {
    return {WM_LBUTTONDOWN, 0, CMessageSig::Mouse, static_cast<void (CWnd::*)(UINT, POINT)>(pfn)};
}

template <class T> CMessageEntry MapLButtonDblClk(void (T::*pfn)(UINT nFlags, POINT point)) {
    return {WM_LBUTTONDBLCLK, 0, CMessageSig::Mouse, static_cast<void (CWnd::*)(UINT, POINT)>(pfn)};
}

template <class T> CMessageEntry MapTimer(void (T::*pfn)(UINT_PTR nIDEvent)) {
    return {WM_TIMER, 0, CMessageSig::Timer, static_cast<void (CWnd::*)(UINT_PTR)>(pfn)};
}

// A menu item, an accelerator or a button click with that identifier.
template <class T> CMessageEntry MapCommand(UINT id, void (T::*pfn)()) {
    return {WM_COMMAND, id, CMessageSig::Void, static_cast<void (CWnd::*)()>(pfn)};
}

template <class T> CMessageEntry MapDestroy(void (T::*pfn)()) {
    return {WM_DESTROY, 0, CMessageSig::Void, static_cast<void (CWnd::*)()>(pfn)};
}

// bEnding TRUE: the session ends, and the process may be ended at any time after the handler
// returns, without WM_DESTROY. FALSE: the session goes on.
template <class T> CMessageEntry MapEndSession(void (T::*pfn)(BOOL bEnding)) {
    return {WM_ENDSESSION, 0, CMessageSig::EndSession, static_cast<void (CWnd::*)(BOOL)>(pfn)};
}

// TRUE when a WM_COMMAND is the command id from a menu, an accelerator or a clicked button
// (other control notifications are not commands).
BOOL IsCommandMessage(UINT id, WPARAM wParam, LPARAM lParam);
