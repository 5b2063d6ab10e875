#include "framework/strings.h"

#include "framework/app.h"

#include <iterator>

std::wstring LoadStringResource(UINT id) {
    // With a buffer length of 0 the platform hands out a pointer into the resource itself,
    // which is not terminated: the length comes with it.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(GetResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring DecimalString(int value) {
    // Digits by hand: std::to_wstring formats through the library's printf, some 25 KB of the
    // executable. Unsigned, so that the most negative int negates too.
    const unsigned bits = static_cast<unsigned>(value);
    unsigned magnitude = value < 0 ? 0u - bits : bits;
    wchar_t digits[16];
    wchar_t* first = std::end(digits);
    do {
        *--first = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = L'-';
    return std::wstring(first, std::end(digits));
}
