// Interim decoder: 24-bit bottom-up BI_RGB only, until the full decoder lands.
#include "BmpDecoder.h"

#include <fstream>
#include <iterator>

namespace morvish {

namespace {
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
}  // namespace

Result<Bitmap> DecodeBmp(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return Failure("not a BMP file");
    const int width = int(U32(bytes, 18));
    const int height = int(U32(bytes, 22));
    const std::uint32_t offset = U32(bytes, 10);
    if (width <= 0 || height <= 0 || width > kMaxBmpDimension || height > kMaxBmpDimension)
        return Failure("bad size");
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    if (offset + stride * std::size_t(height) > bytes.size()) return Failure("truncated");
    Bitmap bitmap{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + offset + stride * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            bitmap.pixels[std::size_t(y) * width + x] =
                (std::uint32_t(row[3 * x + 2]) << 16) | (row[3 * x + 1] << 8) | row[3 * x];
        }
    }
    return bitmap;
}

Result<Bitmap> LoadBmpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure(path + ": cannot be opened");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    Result<Bitmap> bitmap = DecodeBmp(bytes);
    if (!bitmap) return Failure(path + ": " + bitmap.error().message);
    return bitmap;
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
    const std::size_t stride = (std::size_t(bitmap.width) * 3 + 3) & ~std::size_t(3);
    const std::uint32_t size = std::uint32_t(54 + stride * bitmap.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, size);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, bitmap.width);
    Put32(out, bitmap.height);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, std::uint32_t(stride * bitmap.height));
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint32_t p = bitmap.At(x, y);
            out.push_back(p & 0xFF);
            out.push_back((p >> 8) & 0xFF);
            out.push_back((p >> 16) & 0xFF);
        }
        for (std::size_t pad = std::size_t(bitmap.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp8(int, int, std::span<const std::uint8_t>,
                                     std::span<const std::uint32_t>) {
    return {};
}

}  // namespace morvish
