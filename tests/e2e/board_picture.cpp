#include "board_picture.h"
#include "milda_process.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

constexpr DWORD BOARD_POLL_MS = 30;

std::string ColorText(COLORREF c) {
    char text[32];
    std::snprintf(text, sizeof(text), "(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

Square Classify(COLORREF c) {
    if (c == WHITE_DISC)
        return Square::White;
    if (c == BLACK_DISC)
        return Square::Black;
    if (c == BOARD_COLOR)
        return Square::Empty;
    return Square::Unreadable;
}

// A disc fills an ellipse inset by a tenth of the square; a guide dot covers only the middle
// fifth. Four probes halfway between the centre and the edge see a disc but not a dot.
void ReadSquare(const ScreenPixels& px, const BoardLayout& l, int x, int y, BoardPicture* p) {
    const int left = l.Left(x);
    const int top = l.Top(y);
    const int w = l.cellWidth;
    const int h = l.cellHeight;
    const POINT probes[] = {{left + w / 4, top + h / 2},
                            {left + 3 * w / 4, top + h / 2},
                            {left + w / 2, top + h / 4},
                            {left + w / 2, top + 3 * h / 4}};
    const COLORREF centre = px.At(left + w / 2, top + h / 2);
    Square seen = Classify(px.At(probes[0].x, probes[0].y));
    for (const POINT& pt : probes) {
        if (Classify(px.At(pt.x, pt.y)) != seen)
            seen = Square::Unreadable;
    }
    Square dot = Square::Empty;
    if (seen == Square::Empty) {
        dot = Classify(centre);
        if (dot == Square::Unreadable)
            seen = Square::Unreadable;
    } else if (seen != Square::Unreadable && Classify(centre) != seen) {
        seen = Square::Unreadable;
    }
    p->squares[x][y] = seen;
    p->dots[x][y] = seen == Square::Empty ? dot : Square::Empty;
    if (seen == Square::Unreadable) {
        std::ostringstream out;
        out << " (" << x << "," << y << "):";
        for (const POINT& pt : probes)
            out << ColorText(px.At(pt.x, pt.y));
        out << " centre " << ColorText(centre);
        p->unreadable += out.str();
    }
}

} // namespace

std::ostream& operator<<(std::ostream& out, Square s) {
    switch (s) {
    case Square::Empty:
        return out << "empty";
    case Square::White:
        return out << "white";
    case Square::Black:
        return out << "black";
    case Square::Unreadable:
        break;
    }
    return out << "unreadable";
}

bool ScreenPixels::Capture(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    bool ok = false;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (mem != nullptr && dib != nullptr) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        ok = ::BitBlt(mem, 0, 0, width, height, screen, left, top, SRCCOPY) != FALSE;
        ::GdiFlush();
        if (ok) {
            const auto* src = static_cast<const std::uint32_t*>(bits);
            m_bits.assign(src, src + static_cast<size_t>(width) * static_cast<size_t>(height));
            m_width = width;
            m_height = height;
        }
        ::SelectObject(mem, old);
    }
    if (dib != nullptr)
        ::DeleteObject(dib);
    if (mem != nullptr)
        ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

COLORREF ScreenPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const std::uint32_t v =
        m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    // A 32-bit DIB holds blue in the low byte.
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

BoardLayout BoardLayout::Of(HWND game) {
    RECT rc = {};
    ::GetClientRect(game, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    return {w, h, (w - 8) / 8, (h - 8) / 8};
}

POINT BoardLayout::SquareCenter(int x, int y) const {
    return {Left(x) + cellWidth / 2, Top(y) + cellHeight / 2};
}

int BoardPicture::Count(Square s) const {
    int n = 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y)
            n += squares[x][y] == s ? 1 : 0;
    }
    return n;
}

int BoardPicture::DotCount() const {
    int n = 0;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y)
            n += dots[x][y] != Square::Empty ? 1 : 0;
    }
    return n;
}

bool BoardPicture::SamePosition(const BoardPicture& other) const {
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            if (squares[x][y] != other.squares[x][y] || dots[x][y] != other.dots[x][y])
                return false;
        }
    }
    return true;
}

std::string BoardPicture::Text() const {
    std::string out;
    for (int y = 0; y < 8; ++y) {
        out += "\n    ";
        for (int x = 0; x < 8; ++x) {
            char c = '?';
            switch (squares[x][y]) {
            case Square::White:
                c = 'W';
                break;
            case Square::Black:
                c = 'B';
                break;
            case Square::Empty:
                c = dots[x][y] == Square::White ? 'w' : dots[x][y] == Square::Black ? 'b' : '.';
                break;
            case Square::Unreadable:
                break;
            }
            out += c;
        }
    }
    if (!unreadable.empty())
        out += "\n    unreadable:" + unreadable;
    return out;
}

bool ReadBoard(HWND game, BoardPicture* picture) {
    const BoardLayout layout = BoardLayout::Of(game);
    if (layout.cellWidth <= 0 || layout.cellHeight <= 0)
        return false;
    POINT origin = {0, 0};
    if (!::ClientToScreen(game, &origin))
        return false;
    ScreenPixels px;
    if (!px.Capture(origin.x, origin.y, layout.clientWidth, layout.clientHeight))
        return false;
    *picture = BoardPicture();
    picture->layout = layout;
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y)
            ReadSquare(px, layout, x, y, picture);
    }
    return true;
}

::testing::AssertionResult WaitForBoard(HWND game,
                                        const std::function<bool(const BoardPicture&)>& condition,
                                        const char* what, BoardPicture* last, DWORD timeoutMs) {
    BoardPicture p;
    bool read = false;
    const bool shown = PollUntil(
        [&] { return (read = ReadBoard(game, &p)) && p.Readable() && condition(p); }, timeoutMs);
    if (last != nullptr)
        *last = p;
    if (shown)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure()
                   << "board never showed " << what << " within " << timeoutMs << " ms; ";
    if (!read)
        return failure << "the game window's client area could not be read";
    return failure << "last seen:" << p.Text();
}

::testing::AssertionResult BoardStaysAsIs(HWND game, const BoardPicture& expected, DWORD forMs) {
    const ULONGLONG end = ::GetTickCount64() + forMs;
    while (::GetTickCount64() < end) {
        BoardPicture p;
        if (!ReadBoard(game, &p))
            return ::testing::AssertionFailure() << "the game window could not be read";
        if (!p.Readable() || !p.SamePosition(expected)) {
            return ::testing::AssertionFailure()
                   << "the board changed from" << expected.Text() << "\n  to" << p.Text();
        }
        ::Sleep(BOARD_POLL_MS);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult GridMatchesLayout(HWND game, const BoardLayout& l) {
    POINT origin = {0, 0};
    ScreenPixels px;
    if (!::ClientToScreen(game, &origin) ||
        !px.Capture(origin.x, origin.y, l.clientWidth, l.clientHeight))
        return ::testing::AssertionFailure() << "the game window could not be read";

    std::ostringstream wrong;
    int mismatches = 0;
    auto expect = [&](int x, int y, COLORREF want, const char* what) {
        const COLORREF got = px.At(x, y);
        if (got != want && ++mismatches <= 8) {
            wrong << "\n  " << what << " at (" << x << "," << y << "): " << ColorText(got)
                  << " instead of " << ColorText(want);
        }
    };
    const int w = l.cellWidth;
    const int h = l.cellHeight;
    for (int i = 0; i <= 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            // Halfway along each square's edge, where no disc reaches; the pixels on either
            // side of a line lie between the line and the disc's tenth-of-a-square inset.
            expect(l.Left(i), l.Top(j) + h / 2, LINE_COLOR, "vertical grid line");
            expect(l.Left(j) + w / 2, l.Top(i), LINE_COLOR, "horizontal grid line");
            if (i < 8) {
                expect(l.Left(i) + 1, l.Top(j) + h / 2, BOARD_COLOR, "right of a vertical line");
                expect(l.Left(j) + w / 2, l.Top(i) + 1, BOARD_COLOR, "below a horizontal line");
            }
            if (i > 0) {
                expect(l.Left(i) - 1, l.Top(j) + h / 2, BOARD_COLOR, "left of a vertical line");
                expect(l.Left(j) + w / 2, l.Top(i) - 1, BOARD_COLOR, "above a horizontal line");
            }
        }
    }
    // Margins and what the division leaves over: plain board colour.
    for (int j = 0; j < 8; ++j) {
        const int y = l.Top(j) + h / 2;
        const int x = l.Left(j) + w / 2;
        for (int m = 0; m < 4; ++m) {
            expect(m, y, BOARD_COLOR, "left margin");
            expect(x, m, BOARD_COLOR, "top margin");
        }
        for (int m = l.Left(8) + 1; m < l.clientWidth; ++m)
            expect(m, y, BOARD_COLOR, "right of the grid");
        for (int m = l.Top(8) + 1; m < l.clientHeight; ++m)
            expect(x, m, BOARD_COLOR, "below the grid");
    }
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << mismatches << " pixels differ from a grid of " << w << "x" << h
           << " squares in a client area of " << l.clientWidth << "x" << l.clientHeight << ":"
           << wrong.str();
}

::testing::AssertionResult AwaitGrid(HWND game, const BoardLayout& layout, DWORD timeoutMs) {
    ::testing::AssertionResult grid = ::testing::AssertionFailure();
    PollUntil([&] { return static_cast<bool>(grid = GridMatchesLayout(game, layout)); }, timeoutMs);
    return grid;
}

std::vector<COLORREF> DrawnIcon(HICON icon, int size, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    const HBRUSH brush = ::CreateSolidBrush(background);
    const RECT all = {0, 0, size, size};
    ::FillRect(dc, &all, brush);
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(size * size));
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

::testing::AssertionResult AwaitFrame(HWND game, const std::wstring& exe, DWORD timeoutMs) {
    // The icon as the caption draws it, small; where it looks the same over two backgrounds, it
    // is opaque.
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto icon = static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    const std::vector<COLORREF> a = DrawnIcon(icon, size, RGB(255, 0, 255));
    const std::vector<COLORREF> b = DrawnIcon(icon, size, RGB(0, 255, 0));
    ::DestroyIcon(icon);
    ::FreeLibrary(module);
    std::string fault = "the frame could not be read";
    RECT w = {};
    const auto drawn = [&] {
        POINT client = {0, 0};
        RECT clientRect = {}; // empty when the window is too low for a menu bar
        ScreenPixels px;
        if (!::GetWindowRect(game, &w) || !::ClientToScreen(game, &client) ||
            !::GetClientRect(game, &clientRect) ||
            !px.Capture(w.left, w.top, w.right - w.left, client.y - w.top))
            return false;
        const int menuY = px.Height() - ::GetSystemMetrics(SM_CYMENU) / 2;
        int band = 0, menu = 0;
        for (int x = 0; x < px.Width(); ++x) {
            band += px.At(x, 0) == RGB(0, 0, 0);
            menu += px.At(x, menuY) == ::GetSysColor(COLOR_MENU);
        }
        bool iconShown = false;
        for (int y = 0; y < menuY - size && !iconShown; ++y) {
            for (int x = 0; x < px.Width() / 4 && !iconShown; ++x) {
                iconShown = true;
                for (int i = 0; i < size * size && iconShown; ++i)
                    iconShown = a[i] != b[i] || px.At(x + i % size, y + i / size) == a[i];
            }
        }
        fault = band < px.Width() ? "no black band along the top edge"
                : clientRect.bottom > 0 && menu * 3 < px.Width() ? "no menu bar drawn"
                : !iconShown ? "no caption with the program's icon at its left"
                             : "";
        return fault.empty();
    };
    if (PollUntil(drawn, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << fault << " on a window of " << w.right - w.left << "x" << w.bottom - w.top;
}

bool IsStartingPosition(const BoardPicture& p) {
    return p.Discs() == 4 && p.At(3, 3) == Square::White && p.At(4, 4) == Square::White &&
           p.At(4, 3) == Square::Black && p.At(3, 4) == Square::Black;
}
