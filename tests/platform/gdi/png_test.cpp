// A screenshot written from a surface reads back with the same pixels.
#include "gdi/display.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

TEST(GdiPng, WrittenSurfaceReadsBackWithTheSamePixels) {
    qv::gdi::Surface surface;
    surface.Resize(7, 5, 0x102030);
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            surface.pixels[static_cast<size_t>(y) * surface.width + x] =
                static_cast<uint32_t>(x * 30) << 16 | static_cast<uint32_t>(y * 50) << 8 |
                static_cast<uint32_t>(x + y);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("gdi_png_test_" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(qv::gdi::WritePng(surface, path.string()));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, 7u);
    EXPECT_EQ(image.height, 5u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    std::filesystem::remove(path);
    for (size_t i = 0; i < surface.pixels.size(); ++i) {
        const uint32_t read = uint32_t{rgb[i * 3]} << 16 | uint32_t{rgb[i * 3 + 1]} << 8 | rgb[i * 3 + 2];
        EXPECT_EQ(read, surface.pixels[i]) << "pixel " << i;
    }
}

TEST(GdiPng, UnwritablePathFails) {
    qv::gdi::Surface surface;
    surface.Resize(2, 2);
    EXPECT_FALSE(qv::gdi::WritePng(surface, "/nonexistent-folder/shot.png"));
}

} // namespace
