// CDC (device contexts: window, client, paint, memory), CGdiObject, CPen, CBrush, CBitmap.
#pragma once

#include "framework/win.h"

// A drawing object owned for one operation: deleted when it goes out of scope.
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ h) : m_hObject(h) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL DeleteObject() {
        if (m_hObject == nullptr)
            return FALSE;
        const BOOL ok = ::DeleteObject(m_hObject);
        m_hObject = nullptr;
        return ok;
    }

protected:
    BOOL Attach(HGDIOBJ h) {
        DeleteObject();
        m_hObject = h;
        return h != nullptr;
    }

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color) {
        return Attach(::CreatePen(style, width, color));
    }
    HPEN GetHandle() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    HBRUSH GetHandle() const { return static_cast<HBRUSH>(m_hObject); }
};

class CDC;

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    HBITMAP GetHandle() const { return static_cast<HBITMAP>(m_hObject); }
};

// A device context handle with the drawing calls; it does not own the handle.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
    HGDIOBJ SelectObject(const CGdiObject& obj) {
        return ::SelectObject(m_hDC, obj.GetSafeHandle());
    }

    // A solid rectangle: an opaque text output of no text over it, in the background colour.
    void FillSolidRect(const RECT& rect, COLORREF color) {
        ::SetBkColor(m_hDC, color);
        ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL Ellipse(const RECT& r) { return ::Ellipse(m_hDC, r.left, r.top, r.right, r.bottom); }
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, pSrc->GetSafeHdc(), xSrc, ySrc, rop);
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    int ExcludeClipRect(const RECT& r) {
        return ::ExcludeClipRect(m_hDC, r.left, r.top, r.right, r.bottom);
    }

protected:
    HDC m_hDC = nullptr;
};

// A memory context compatible with another; deleted with the object.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(CDC* pCompatible)
        : CDC(::CreateCompatibleDC(pCompatible != nullptr ? pCompatible->GetSafeHdc() : nullptr)) {}
    ~CMemoryDC() override {
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
};

// The client-area context of a window (GetDC), released with the object.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd) : CDC(::GetDC(hWnd)), m_hWnd(hWnd) {}
    ~CClientDC() override {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

private:
    HWND m_hWnd;
};

// The whole-window context (GetWindowDC), released with the object.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hWnd) : CDC(::GetWindowDC(hWnd)), m_hWnd(hWnd) {}
    ~CWindowDC() override {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

private:
    HWND m_hWnd;
};

// One paint cycle: BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() override { ::EndPaint(m_hWnd, &m_ps); }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
};

// Puts back the object that was selected before, when the scope ends.
class CSelectScope {
public:
    CSelectScope(CDC* pDC, const CGdiObject& obj) : m_pDC(pDC), m_old(pDC->SelectObject(obj)) {}
    ~CSelectScope() { m_pDC->SelectObject(m_old); }
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;

private:
    CDC* m_pDC;
    HGDIOBJ m_old;
};

inline BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
    return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), width, height));
}
