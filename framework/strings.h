// String resources of the executable.
#pragma once

#include "framework/win.h"

#include <string>

// The whole string resource, whatever its length; empty when there is none.
std::wstring LoadStringResource(UINT id);
