// String resources of the executable, and decimal numbers as wide strings.
#pragma once

#include "framework/win.h"

#include <string>

// The whole string resource, whatever its length; empty when there is none.
std::wstring LoadStringResource(UINT id);

// value in decimal, with a minus sign when negative: what %d writes.
std::wstring DecimalString(int value);
