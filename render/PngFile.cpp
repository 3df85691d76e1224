#include "PngFile.h"

#include <png.h>

#include <vector>

namespace morvish {

Result<void> WritePng(const Bitmap& picture, const std::string& path) {
    // The simplified interface of libpng reports failures by return value, not by longjmp.
    std::vector<png_byte> rgb(std::size_t(picture.width) * std::size_t(picture.height) * 3);
    std::size_t at = 0;
    for (std::uint32_t pixel : picture.pixels) {
        rgb[at++] = png_byte(pixel >> 16);
        rgb[at++] = png_byte(pixel >> 8);
        rgb[at++] = png_byte(pixel);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        const std::string reason = image.message[0] != '\0' ? image.message : "cannot be written";
        png_image_free(&image);
        return Failure(path + ": " + reason);
    }
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
