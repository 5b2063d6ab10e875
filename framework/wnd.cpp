#include "framework/wnd.h"

#include <iterator>

namespace {

// The window property that holds a window's CWnd.
const wchar_t WND_PROPERTY[] = L"Milda.CWnd";

// The object waiting for the window that this thread is creating.
thread_local CWnd* t_pWndCreating = nullptr;

// The default IME windows that the platform may make alongside the first top-level window.
bool IsImeWindow(HWND hWnd) {
    wchar_t name[32];
    if (::GetClassNameW(hWnd, name, static_cast<int>(std::size(name))) == 0)
        return false;
    return ::lstrcmpiW(name, L"IME") == 0 || ::lstrcmpiW(name, L"MSCTFIME UI") == 0;
}

POINT PointFromLParam(LPARAM lParam) {
    // Signed: a captured mouse left or above the client area gives negative coordinates.
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

BOOL IsCommandMessage(UINT id, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != id)
        return FALSE;
    const UINT code = HIWORD(wParam);
    // Menus send 0, accelerators 1, both without a control; a button's click is BN_CLICKED (0).
    if (lParam == 0)
        return code == 0 || code == 1;
    return code == BN_CLICKED;
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_current{0, 0, 0} {}

CWnd::~CWnd() {
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, WND_PROPERTY));
}

const CMessageMap* CWnd::GetMessageMap() const {
    static const CMessageMap map = {nullptr, nullptr, 0};
    return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return Default();
}

LRESULT CWnd::Default() {
    const WNDPROC proc = m_pfnSuper != nullptr ? m_pfnSuper : ::DefWindowProcW;
    return ::CallWindowProcW(proc, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    for (const CMessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const CMessageEntry& entry = map->entries[i];
            if (entry.message != message)
                continue;
            if (message == WM_COMMAND && !IsCommandMessage(entry.id, wParam, lParam))
                continue;
            *pResult = 0;
            const CMessageHandler& h = entry.handler;
            switch (entry.sig) {
            case CMessageSig::Void:
                (this->*h.pfnVoid)();
                break;
            case CMessageSig::SysCommand:
                (this->*h.pfnSysCommand)(static_cast<UINT>(wParam), lParam);
                break;
            case CMessageSig::QueryDragIcon:
                *pResult = reinterpret_cast<LRESULT>((this->*h.pfnQueryDragIcon)());
                break;
            case CMessageSig::Size:
                (this->*h.pfnSize)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
                break;
            case CMessageSig::Mouse:
                (this->*h.pfnMouse)(static_cast<UINT>(wParam), PointFromLParam(lParam));
                break;
            case CMessageSig::Timer:
                (this->*h.pfnTimer)(static_cast<UINT_PTR>(wParam));
                break;
            case CMessageSig::EndSession:
                (this->*h.pfnEndSession)(wParam != 0 ? TRUE : FALSE);
                break;
            }
            return TRUE;
        }
    }
    return FALSE;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    m_menuSystem.m_hMenu = ::GetSystemMenu(m_hWnd, revert);
    return m_menuSystem.m_hMenu != nullptr ? &m_menuSystem : nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    // The window's last message detaches it from this object.
    return ::DestroyWindow(m_hWnd);
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropW(hWnd, WND_PROPERTY, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWndProc)));
}

void CWnd::DetachDestroyed() {
    ::RemovePropW(m_hWnd, WND_PROPERTY);
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    // Handlers may send messages to their own window: keep the outer message for Default().
    const CurrentMessage outer = pWnd->m_current;
    pWnd->m_current = CurrentMessage{message, wParam, lParam};
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_current = outer;
    if (message == WM_NCDESTROY)
        pWnd->DetachDestroyed();
    return result;
}

CWnd::CCreationScope::CCreationScope(CWnd* pWnd)
    : m_pPrevious(t_pWndCreating),
      m_hHook(::SetWindowsHookExW(WH_CBT, &CreationHookProc, nullptr, ::GetCurrentThreadId())) {
    t_pWndCreating = pWnd;
}

CWnd::CCreationScope::~CCreationScope() {
    if (m_hHook != nullptr)
        ::UnhookWindowsHookEx(m_hHook);
    t_pWndCreating = m_pPrevious;
}

LRESULT CALLBACK CWnd::CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_pWndCreating != nullptr) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        const CBT_CREATEWNDW* pCreate = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        // The window itself comes before its controls, which are children.
        if ((pCreate->lpcs->style & WS_CHILD) == 0 && !IsImeWindow(hWnd)) {
            CWnd* pWnd = t_pWndCreating;
            t_pWndCreating = nullptr;
            pWnd->Attach(hWnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
