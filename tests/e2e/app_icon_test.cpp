// The game's icon as the platform takes it from milda.exe at the sizes Windows shows: small
// caption and lists, large icon, Explorer's large and extra-large views.
#include "board_picture.h"
#include "milda_process.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF BACKGROUND = RGB(255, 0, 255);

TEST(AppIcon, EachSizeShownHasATrueColourImageOfItsOwnThatLoadsAndDraws) {
    const MildaProcess copy;
    const std::wstring& exe = copy.Exe();
    const HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "cannot read " << Utf8(exe);
    const HRSRC groupInfo = ::FindResourceW(module, MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON);
    ASSERT_NE(groupInfo, nullptr);
    const auto group = static_cast<BYTE*>(::LockResource(::LoadResource(module, groupInfo)));

    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        // The platform's choice for this size: an image of exactly this size, not a scaled one,
        // in true colour (the largest as a PNG file).
        const int id = ::LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC imageInfo = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(imageInfo, nullptr);
        const auto image =
            static_cast<const BYTE*>(::LockResource(::LoadResource(module, imageInfo)));
        if (size == 256) {
            EXPECT_EQ(std::memcmp(image, "\x89PNG", 4), 0);
        } else {
            BITMAPINFOHEADER header;
            std::memcpy(&header, image, sizeof(header));
            EXPECT_EQ(header.biWidth, size);
            EXPECT_EQ(header.biBitCount, 32);
        }

        const auto icon = static_cast<HICON>(
            ::LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        const std::vector<COLORREF> shown = DrawnIcon(icon, size, BACKGROUND);
        ::DestroyIcon(icon);
        const auto at = [&](int x, int y) { return shown[static_cast<size_t>(y * size + x)]; };
        // The black middle lines, the white disc at the upper left, and a rounded corner through
        // which the background shows.
        EXPECT_EQ(at(size / 2, size / 2), RGB(0, 0, 0));
        EXPECT_EQ(at(size / 4 - 1, size / 4 - 1), RGB(255, 255, 255));
        EXPECT_NE(at(0, 0), RGB(0, 0, 0));
    }
    ::FreeLibrary(module);
}

} // namespace
