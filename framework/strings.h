// String resources, decimal numbers and printf-style formatting into wide strings.
#pragma once

#include "framework/win.h"

#include <string>

// The whole string resource, whatever its length; empty when there is none.
std::wstring LoadStringResource(UINT id);

// value in decimal, with a minus sign when negative: what %d writes.
std::wstring DecimalString(int value);

// printf-style formatting by the platform's wide rules: %s takes a wide string, %d an int.
// The result is cut at MAX_FORMATTED_LENGTH characters.
constexpr size_t MAX_FORMATTED_LENGTH = 65536;
std::wstring FormatString(const wchar_t* format, ...);
