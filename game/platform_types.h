// Platform types the portable core shares with the window code: RECT, POINT, COLORREF, RGB.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cstdint>

// Same layout as the Windows graphics types, so the core reads identically in both builds.
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct POINT {
    std::int32_t x;
    std::int32_t y;
};

typedef std::uint32_t COLORREF;

#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((std::uint32_t)(std::uint8_t)(r)) | (((std::uint32_t)(std::uint8_t)(g)) << 8) |   \
                (((std::uint32_t)(std::uint8_t)(b)) << 16)))
#endif
