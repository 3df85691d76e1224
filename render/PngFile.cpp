#include "PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace morvish {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

Result<void> WritePng(const Bitmap& picture, const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) return Failure(path + ": cannot be written");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return Failure(path + ": out of memory");
    }
    std::vector<png_byte> row(std::size_t(picture.width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Failure(path + ": writing the PNG failed");
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.At(x, y);
            row[std::size_t(x) * 3] = png_byte(p >> 16);
            row[std::size_t(x) * 3 + 1] = png_byte(p >> 8);
            row[std::size_t(x) * 3 + 2] = png_byte(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) return Failure(path + ": cannot be written");
    return {};
}

Result<Bitmap> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return Failure(path + ": " + image.message);
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return Failure(path + ": " + image.message);
    }
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return Bitmap{int(image.width), int(image.height), std::move(pixels)};
}

}  // namespace morvish
