#include "framework/strings.h"

#include "framework/app.h"

std::wstring LoadStringResource(UINT id) {
    // With a buffer length of 0 the platform hands out a pointer into the resource itself,
    // which is not terminated: the length comes with it.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(GetResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}
