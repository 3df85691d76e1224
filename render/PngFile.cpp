// PNG written and read over zlib alone, the same code on every system. Writing needs only the
// three chunks of an 8-bit RGB picture; reading covers the whole standard format, so that the
// tests can compare against reference pictures made by other programs.
#include "PngFile.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "platform/Platform.h"

namespace morvish {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// Pictures larger than this many pixels are refused before anything is allocated for them.
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;

enum ColourType : std::uint8_t {
    kGrey = 0,
    kRgb = 2,
    kPalette = 3,
    kGreyAlpha = 4,
    kRgbAlpha = 6,
};

void PutBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}

std::uint32_t BigEndian(const unsigned char* at) {
    return (std::uint32_t(at[0]) << 24) | (std::uint32_t(at[1]) << 16) |
           (std::uint32_t(at[2]) << 8) | std::uint32_t(at[3]);
}

void PutChunk(std::string& out, const char (&type)[5], std::string_view data) {
    PutBigEndian(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + start);
    PutBigEndian(out, std::uint32_t(crc32(0, checked, uInt(out.size() - start))));
}

int Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// What filter `type` predicts for byte `i` of a row from the bytes left of it in `row` (the
// picture's own bytes: when reading, those already reconstructed) and from the row above;
// `bpp` bytes make one pixel.
std::uint8_t Predictor(int type, const std::uint8_t* row, const std::uint8_t* previous,
                       std::size_t i, std::size_t bpp) {
    const int left = i >= bpp ? row[i - bpp] : 0;
    const int up = previous != nullptr ? previous[i] : 0;
    const int upLeft = previous != nullptr && i >= bpp ? previous[i - bpp] : 0;
    switch (type) {
        case 1:
            return std::uint8_t(left);
        case 2:
            return std::uint8_t(up);
        case 3:
            return std::uint8_t((left + up) / 2);
        case 4:
            return std::uint8_t(Paeth(left, up, upLeft));
        default:
            return 0;
    }
}

// The rows of the picture filtered as libpng chooses by default: for each row the filter whose
// output has the smallest sum of absolute values (read as signed bytes).
std::string FilteredRows(const Bitmap& picture) {
    const std::size_t stride = std::size_t(picture.width) * 3;
    std::vector<std::uint8_t> row(stride);
    std::vector<std::uint8_t> previous;
    std::string filtered;
    filtered.reserve((stride + 1) * std::size_t(picture.height));
    std::array<std::vector<std::uint8_t>, 5> candidates;
    for (auto& candidate : candidates) candidate.resize(stride);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[std::size_t(y) * picture.width + x];
            row[3 * std::size_t(x)] = std::uint8_t(pixel >> 16);
            row[3 * std::size_t(x) + 1] = std::uint8_t(pixel >> 8);
            row[3 * std::size_t(x) + 2] = std::uint8_t(pixel);
        }
        const std::uint8_t* above = previous.empty() ? nullptr : previous.data();
        int best = 0;
        std::uint64_t bestCost = std::numeric_limits<std::uint64_t>::max();
        for (int type = 0; type < 5; ++type) {
            std::uint64_t cost = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const std::uint8_t value =
                    std::uint8_t(row[i] - Predictor(type, row.data(), above, i, 3));
                candidates[type][i] = value;
                cost += std::uint64_t(std::abs(int(std::int8_t(value))));
            }
            if (cost < bestCost) {
                bestCost = cost;
                best = type;
            }
        }
        filtered.push_back(char(best));
        filtered.append(candidates[best].begin(), candidates[best].end());
        previous = row;
    }
    return filtered;
}

// ---- Reading ------------------------------------------------------------------------------------

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int depth = 0;
    int colourType = 0;
    bool interlaced = false;

    int Channels() const {
        switch (colourType) {
            case kRgb:
                return 3;
            case kGreyAlpha:
                return 2;
            case kRgbAlpha:
                return 4;
            default:
                return 1;
        }
    }
    // Bytes of one row of `width` pixels, and bytes per pixel for the filters (at least one).
    std::size_t RowBytes(std::uint32_t pixels) const {
        return (std::size_t(pixels) * std::size_t(Channels()) * std::size_t(depth) + 7) / 8;
    }
    std::size_t FilterStep() const {
        return std::max<std::size_t>(1, std::size_t(Channels()) * std::size_t(depth) / 8);
    }
};

Result<Header> ParseHeader(std::string_view data) {
    if (data.size() != 13) return Failure("PNG: the IHDR chunk has the wrong length");
    const auto* at = reinterpret_cast<const unsigned char*>(data.data());
    Header header;
    header.width = BigEndian(at);
    header.height = BigEndian(at + 4);
    header.depth = at[8];
    header.colourType = at[9];
    if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFF ||
        header.height > 0x7FFFFFFF) {
        return Failure("PNG: the picture size is invalid");
    }
    if (std::uint64_t(header.width) * header.height > kMaxPixels) {
        return Failure("PNG: the picture is too large (" + std::to_string(header.width) + " x " +
                       std::to_string(header.height) + ")");
    }
    bool depthAllowed = false;
    switch (header.colourType) {
        case kGrey:
            depthAllowed = header.depth == 1 || header.depth == 2 || header.depth == 4 ||
                           header.depth == 8 || header.depth == 16;
            break;
        case kPalette:
            depthAllowed =
                header.depth == 1 || header.depth == 2 || header.depth == 4 || header.depth == 8;
            break;
        case kRgb:
        case kGreyAlpha:
        case kRgbAlpha:
            depthAllowed = header.depth == 8 || header.depth == 16;
            break;
        default:
            return Failure("PNG: unknown colour type " + std::to_string(header.colourType));
    }
    if (!depthAllowed) {
        return Failure("PNG: bit depth " + std::to_string(header.depth) +
                       " is not allowed for colour type " + std::to_string(header.colourType));
    }
    if (at[10] != 0 || at[11] != 0 || at[12] > 1) {
        return Failure("PNG: unknown compression, filter or interlace method");
    }
    header.interlaced = at[12] == 1;
    return header;
}

// One pass of the picture: every `stepX`-th pixel from `x0` of every `stepY`-th row from `y0`.
// A picture that is not interlaced is one pass of everything.
struct Pass {
    std::uint32_t x0, y0, stepX, stepY;

    std::uint32_t Columns(std::uint32_t width) const {
        return width > x0 ? (width - x0 + stepX - 1) / stepX : 0;
    }
    std::uint32_t Rows(std::uint32_t height) const {
        return height > y0 ? (height - y0 + stepY - 1) / stepY : 0;
    }
};

constexpr std::array<Pass, 1> kWholePicture{{{0, 0, 1, 1}}};
constexpr std::array<Pass, 7> kAdam7{{{0, 0, 8, 8},
                                      {4, 0, 8, 8},
                                      {0, 4, 4, 8},
                                      {2, 0, 4, 4},
                                      {0, 2, 2, 4},
                                      {1, 0, 2, 2},
                                      {0, 1, 1, 2}}};

// Inflates the joined IDAT data into exactly `size` bytes.
Result<std::vector<std::uint8_t>> Inflate(std::string_view compressed, std::size_t size) {
    std::vector<std::uint8_t> out(size);
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return Failure("PNG: zlib cannot be started");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.next_out = out.data();
    std::size_t inLeft = compressed.size();
    std::size_t outLeft = size;
    int status = Z_OK;
    // zlib counts in 32 bits; large pictures are inflated in steps.
    while (status == Z_OK && outLeft > 0) {
        const uInt inStep = uInt(std::min<std::size_t>(inLeft, 1u << 30));
        const uInt outStep = uInt(std::min<std::size_t>(outLeft, 1u << 30));
        stream.avail_in = inStep;
        stream.avail_out = outStep;
        status = inflate(&stream, Z_NO_FLUSH);
        inLeft -= inStep - stream.avail_in;
        outLeft -= outStep - stream.avail_out;
        if (status == Z_BUF_ERROR && inLeft > 0) status = Z_OK;
    }
    inflateEnd(&stream);
    if (outLeft > 0) {
        return Failure(status == Z_DATA_ERROR ? "PNG: the compressed picture data is damaged"
                                              : "PNG: the picture data ends early");
    }
    return out;
}

// Sample `index` of a row of samples `depth` bits wide, most significant bits first.
std::uint32_t Sample(const std::uint8_t* row, std::size_t index, int depth) {
    switch (depth) {
        case 8:
            return row[index];
        case 16:
            return (std::uint32_t(row[2 * index]) << 8) | row[2 * index + 1];
        default: {
            const std::size_t bit = index * std::size_t(depth);
            const int shift = 8 - depth - int(bit % 8);
            return (row[bit / 8] >> shift) & ((1u << depth) - 1);
        }
    }
}

// A sample widened or narrowed to 8 bits: fewer bits are scaled exactly (a 4-bit 15 is 255),
// 16 bits are rounded to the nearest 8-bit value.
std::uint8_t To8Bits(std::uint32_t value, int depth) {
    if (depth == 16) return std::uint8_t((value * 255 + 32895) >> 16);
    return std::uint8_t(value * 255 / ((1u << depth) - 1));
}

struct Decoder {
    Header header;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint8_t> paletteAlpha;
    std::optional<std::array<std::uint32_t, 3>> transparent;  // grey or RGB samples as stored

    // Places the pixels of one unfiltered row of a pass.
    Result<void> PutRow(const std::uint8_t* row, std::uint32_t columns, std::uint32_t y,
                        const Pass& pass, PngPicture& out) const {
        const int channels = header.Channels();
        const int depth = header.depth;
        for (std::uint32_t column = 0; column < columns; ++column) {
            const std::size_t first = std::size_t(column) * std::size_t(channels);
            std::uint32_t rgb = 0;
            std::uint8_t alpha = 255;
            if (header.colourType == kPalette) {
                const std::uint32_t index = Sample(row, first, depth);
                if (index >= palette.size()) {
                    return Failure("PNG: palette index " + std::to_string(index) +
                                   " lies past the palette");
                }
                rgb = palette[index];
                if (index < paletteAlpha.size()) alpha = paletteAlpha[index];
            } else {
                std::array<std::uint32_t, 4> samples{};
                for (int c = 0; c < channels; ++c) samples[c] = Sample(row, first + c, depth);
                const bool colour = header.colourType == kRgb || header.colourType == kRgbAlpha;
                const std::uint8_t red = To8Bits(samples[0], depth);
                const std::uint8_t green = colour ? To8Bits(samples[1], depth) : red;
                const std::uint8_t blue = colour ? To8Bits(samples[2], depth) : red;
                rgb = (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue;
                if (header.colourType == kGreyAlpha) alpha = To8Bits(samples[1], depth);
                if (header.colourType == kRgbAlpha) alpha = To8Bits(samples[3], depth);
                if (transparent && samples[0] == (*transparent)[0] &&
                    (!colour ||
                     (samples[1] == (*transparent)[1] && samples[2] == (*transparent)[2]))) {
                    alpha = 0;
                }
            }
            const std::size_t at = std::size_t(pass.y0 + y * pass.stepY) * header.width + pass.x0 +
                                   column * pass.stepX;
            out.picture.pixels[at] = rgb;
            out.alpha[at] = alpha;
        }
        return {};
    }

    Result<PngPicture> Pixels(const std::vector<std::uint8_t>& data) const {
        PngPicture out{Bitmap{int(header.width), int(header.height), {}}, {}};
        const std::size_t count = std::size_t(header.width) * header.height;
        out.picture.pixels.assign(count, 0);
        out.alpha.assign(count, 255);
        const std::size_t step = header.FilterStep();
        std::size_t at = 0;
        const auto passes = header.interlaced ? std::span<const Pass>(kAdam7)
                                              : std::span<const Pass>(kWholePicture);
        std::vector<std::uint8_t> row;
        std::vector<std::uint8_t> previous;
        for (const Pass& pass : passes) {
            const std::uint32_t columns = pass.Columns(header.width);
            const std::uint32_t rows = pass.Rows(header.height);
            if (columns == 0 || rows == 0) continue;
            const std::size_t stride = header.RowBytes(columns);
            previous.clear();
            for (std::uint32_t y = 0; y < rows; ++y) {
                const int filter = data[at++];
                if (filter > 4) {
                    return Failure("PNG: unknown row filter " + std::to_string(filter));
                }
                row.assign(data.begin() + std::ptrdiff_t(at),
                           data.begin() + std::ptrdiff_t(at + stride));
                at += stride;
                const std::uint8_t* above = previous.empty() ? nullptr : previous.data();
                for (std::size_t i = 0; i < stride; ++i) {
                    row[i] = std::uint8_t(row[i] + Predictor(filter, row.data(), above, i, step));
                }
                if (Result<void> put = PutRow(row.data(), columns, y, pass, out); !put) {
                    return std::unexpected(put.error());
                }
                previous.swap(row);
            }
        }
        return out;
    }

    std::size_t DataSize() const {
        std::size_t size = 0;
        const auto passes = header.interlaced ? std::span<const Pass>(kAdam7)
                                              : std::span<const Pass>(kWholePicture);
        for (const Pass& pass : passes) {
            const std::uint32_t columns = pass.Columns(header.width);
            const std::uint32_t rows = pass.Rows(header.height);
            if (columns > 0) size += std::size_t(rows) * (header.RowBytes(columns) + 1);
        }
        return size;
    }
};

// Reads the palette's transparency, or the one transparent grey or RGB value.
Result<void> ReadTransparency(std::string_view data, Decoder& decoder) {
    const auto* at = reinterpret_cast<const unsigned char*>(data.data());
    switch (decoder.header.colourType) {
        case kPalette:
            if (data.size() > decoder.palette.size()) {
                return Failure("PNG: the tRNS chunk is longer than the palette");
            }
            decoder.paletteAlpha.assign(at, at + data.size());
            return {};
        case kGrey:
            if (data.size() != 2) return Failure("PNG: the tRNS chunk has the wrong length");
            decoder.transparent = {(std::uint32_t(at[0]) << 8) | at[1], 0, 0};
            return {};
        case kRgb:
            if (data.size() != 6) return Failure("PNG: the tRNS chunk has the wrong length");
            decoder.transparent = {(std::uint32_t(at[0]) << 8) | at[1],
                                   (std::uint32_t(at[2]) << 8) | at[3],
                                   (std::uint32_t(at[4]) << 8) | at[5]};
            return {};
        default:
            return Failure("PNG: a tRNS chunk where the picture has an alpha channel");
    }
}

}  // namespace

Result<std::string> EncodePng(const Bitmap& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return Failure("PNG: a picture without pixels cannot be written");
    }
    if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) {
        return Failure("PNG: the picture's pixels do not match its size");
    }
    const std::string filtered = FilteredRows(picture);
    uLongf compressedSize = compressBound(uLong(filtered.size()));
    std::string compressed(compressedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &compressedSize,
                  reinterpret_cast<const Bytef*>(filtered.data()), uLong(filtered.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return Failure("PNG: the picture cannot be compressed");
    }
    compressed.resize(compressedSize);

    std::string header;
    PutBigEndian(header, std::uint32_t(picture.width));
    PutBigEndian(header, std::uint32_t(picture.height));
    header += std::string_view("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, not interlaced

    std::string png(kSignature);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", {});
    return png;
}

Result<void> WritePng(const Bitmap& picture, const std::filesystem::path& path) {
    Result<std::string> bytes = EncodePng(picture);
    if (!bytes) return Failure(platform::DisplayText(path) + ": " + bytes.error().message);
    return platform::WriteFileAtomically(path, *bytes);
}

Result<PngPicture> DecodePng(std::string_view bytes) {
    if (!bytes.starts_with(kSignature)) return Failure("PNG: not a PNG file");
    std::size_t at = kSignature.size();
    Decoder decoder;
    bool haveHeader = false;
    std::string compressed;
    for (;;) {
        if (bytes.size() - at < 12) return Failure("PNG: the file ends inside a chunk");
        const auto* start = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        const std::uint32_t length = BigEndian(start);
        const std::string_view type = bytes.substr(at + 4, 4);
        if (length > 0x7FFFFFFF || bytes.size() - at - 12 < length) {
            return Failure("PNG: the file ends inside the " + std::string(type) + " chunk");
        }
        const std::string_view data = bytes.substr(at + 8, length);
        const std::uint32_t stored = BigEndian(start + 8 + length);
        if (crc32(0, start + 4, uInt(length + 4)) != stored) {
            return Failure("PNG: the " + std::string(type) + " chunk is damaged (checksum)");
        }
        at += 12 + std::size_t(length);

        if (!haveHeader && type != "IHDR") return Failure("PNG: the IHDR chunk is not first");
        if (type == "IHDR") {
            if (haveHeader) return Failure("PNG: two IHDR chunks");
            Result<Header> header = ParseHeader(data);
            if (!header) return std::unexpected(header.error());
            decoder.header = *header;
            haveHeader = true;
        } else if (type == "PLTE") {
            if (length % 3 != 0 || length == 0 || length > 3 * 256) {
                return Failure("PNG: the PLTE chunk has the wrong length");
            }
            decoder.palette.clear();
            for (std::uint32_t i = 0; i < length; i += 3) {
                decoder.palette.push_back((std::uint32_t(std::uint8_t(data[i])) << 16) |
                                          (std::uint32_t(std::uint8_t(data[i + 1])) << 8) |
                                          std::uint8_t(data[i + 2]));
            }
        } else if (type == "tRNS") {
            if (Result<void> read = ReadTransparency(data, decoder); !read) {
                return std::unexpected(read.error());
            }
        } else if (type == "IDAT") {
            compressed.append(data);
        } else if (type == "IEND") {
            break;
        } else if ((std::uint8_t(type[0]) & 0x20) == 0) {
            // Chunks whose name starts with a capital are critical: they cannot be skipped.
            return Failure("PNG: unknown critical chunk " + std::string(type));
        }
    }
    if (decoder.header.colourType == kPalette && decoder.palette.empty()) {
        return Failure("PNG: the palette is missing");
    }
    if (compressed.empty()) return Failure("PNG: the picture data is missing");
    Result<std::vector<std::uint8_t>> data = Inflate(compressed, decoder.DataSize());
    if (!data) return std::unexpected(data.error());
    return decoder.Pixels(*data);
}

Result<Bitmap> ReadPng(const std::filesystem::path& path) {
    const Result<std::string> bytes = platform::ReadRegularFile(path);
    if (!bytes) return std::unexpected(bytes.error());
    Result<PngPicture> decoded = DecodePng(*bytes);
    if (!decoded) return Failure(platform::DisplayText(path) + ": " + decoded.error().message);
    return std::move(decoded->picture);
}

}  // namespace morvish
