#include "framework/strings.h"

#include "framework/app.h"

#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <vector>

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

std::wstring FormatString(const wchar_t* format, ...) {
    if (format == nullptr)
        return std::wstring();
    // The C runtime's own functions: the C99 ones of the compiler's library read %s as a
    // narrow string even in wide formats.
    va_list args;
    va_start(args, format);
    va_list probe;
    va_copy(probe, args);
    const int needed = _vscwprintf(format, probe);
    va_end(probe);
    std::wstring result;
    if (needed > 0) {
        const size_t length =
            static_cast<size_t>(needed) < MAX_FORMATTED_LENGTH ? needed : MAX_FORMATTED_LENGTH;
        std::vector<wchar_t> buffer(length + 1, L'\0');
        _vsnwprintf(buffer.data(), length, format, args);
        result.assign(buffer.data(), length);
    }
    va_end(args);
    return result;
}
