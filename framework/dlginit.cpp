#include "framework/dlginit.h"

#include <cstring>

namespace {

// The texts are stored in the Japanese code page; decoding with it shows them correctly
// whatever the system's code page.
constexpr UINT LIST_TEXT_CODE_PAGE = 932;

constexpr size_t RECORD_HEADER_SIZE = 2 + 2 + 4;

WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

DWORD ReadDword(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

std::wstring DecodeListText(const char* text, size_t length) {
    if (length == 0)
        return std::wstring();
    const int n = static_cast<int>(length);
    const int wide = ::MultiByteToWideChar(LIST_TEXT_CODE_PAGE, 0, text, n, nullptr, 0);
    if (wide <= 0)
        return std::wstring();
    std::wstring result(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(LIST_TEXT_CODE_PAGE, 0, text, n, &result[0], wide);
    return result;
}

} // namespace

bool ParseInitialListData(const BYTE* data, DWORD size, std::vector<CListInitEntry>* out) {
    if (data == nullptr || out == nullptr)
        return false;
    size_t pos = 0;
    for (;;) {
        if (size - pos < sizeof(WORD))
            return false;
        const WORD controlId = ReadWord(data + pos);
        if (controlId == 0)
            return true;
        if (size - pos < RECORD_HEADER_SIZE)
            return false;
        const WORD message = ReadWord(data + pos + 2);
        const DWORD length = ReadDword(data + pos + 4);
        pos += RECORD_HEADER_SIZE;
        if (message != CB_ADDSTRING && message != LB_ADDSTRING)
            return false;
        if (length == 0 || length > size - pos)
            return false;
        const char* text = reinterpret_cast<const char*>(data + pos);
        if (text[length - 1] != '\0')
            return false;
        out->push_back(
            CListInitEntry{controlId, message, DecodeListText(text, ::strnlen(text, length))});
        pos += length;
    }
}
