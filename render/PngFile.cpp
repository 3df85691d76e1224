// PNG through libpng's simplified interface, which reports failures by return value, not by
// longjmp.
#include "PngFile.h"

#include <png.h>

#include <vector>

#include "platform/Platform.h"

namespace morvish {

Result<std::string> EncodePng(const Bitmap& picture) {
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
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(image, size, 0, rgb.data(), 0, nullptr)) {
        std::string bytes(size, '\0');
        if (png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) {
            bytes.resize(size);
            return bytes;
        }
    }
    const std::string reason = image.message[0] != '\0' ? image.message : "cannot be encoded";
    png_image_free(&image);
    return Failure("PNG: " + reason);
}

Result<void> WritePng(const Bitmap& picture, const std::filesystem::path& path) {
    Result<std::string> bytes = EncodePng(picture);
    if (!bytes) return Failure(platform::DisplayText(path) + ": " + bytes.error().message);
    return platform::WriteFileAtomically(path, *bytes);
}

Result<Bitmap> ReadPng(const std::filesystem::path& path) {
    const Result<std::string> bytes = platform::ReadRegularFile(path);
    if (!bytes) return std::unexpected(bytes.error());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) {
        return Failure(platform::DisplayText(path) + ": " + image.message);
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        return Failure(platform::DisplayText(path) + ": " + reason);
    }
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return Bitmap{int(image.width), int(image.height), std::move(pixels)};
}

}  // namespace morvish
