// Decoding of Windows and OS/2 bitmap files into 0x00RRGGBB pictures, and the two small encoders
// the fixtures and the demo skins use.
//
// A skin is made by hand in whatever paint program its artist had, so the files come in every
// dialect of the format, and some are damaged. The decoder reads them in four explicit steps (file
// header, info header, colour masks and palette, pixels) through a cursor that knows how much of
// the file is left. Every size is computed in 64 bits and checked against the file before anything
// is allocated, so a damaged or hostile file gives a plain sentence of the reason, never a crash, a
// read outside the buffer or an absurd allocation.
#include "BmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace morvish {

namespace {

// The 14-byte file header: "BM", file size, two reserved words, offset of the pixel data.
constexpr std::size_t kFileHeaderSize = 14;

// Sizes of the info headers, which tell the dialect apart.
constexpr std::uint32_t kCoreHeaderSize = 12;      // OS/2 1.x BITMAPCOREHEADER, 16-bit fields
constexpr std::uint32_t kOs2ShortHeaderSize = 16;  // OS/2 2.x header cut after the bit count
constexpr std::uint32_t kInfoHeaderSize = 40;      // BITMAPINFOHEADER
constexpr std::uint32_t kV2HeaderSize = 52;        // + red, green and blue masks
constexpr std::uint32_t kV3HeaderSize = 56;        // + alpha mask
constexpr std::uint32_t kOs2HeaderSize = 64;       // full OS/2 2.x header
constexpr std::uint32_t kV4HeaderSize = 108;       // + colour space
constexpr std::uint32_t kV5HeaderSize = 124;       // + rendering intent and profile

// Compression codes of the Windows headers.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitfields = 6;
// The OS/2 2.x header gives codes 3 and 4 other meanings.
constexpr std::uint32_t kOs2Huffman1D = 3;
constexpr std::uint32_t kOs2Rle24 = 4;

// Bytes of colour masks that follow a 40-byte header for the two bit-field compressions.
constexpr std::size_t kRgbMaskBytes = 12;
constexpr std::size_t kRgbaMaskBytes = 16;

// A palette never needs more than 256 entries: no index of 8 bits or fewer can reach further.
constexpr std::size_t kPaletteLimit = 256;
constexpr std::size_t kCorePaletteEntrySize = 3;  // blue, green, red
constexpr std::size_t kPaletteEntrySize = 4;      // blue, green, red, reserved

// The largest picture by area: what a 32-bit file of the largest accepted file size holds. A
// 16384 × 16384 picture would need 1 GiB of pixels, and an RLE file can declare one in a few bytes.
constexpr std::uint64_t kMaxBmpPixels = std::uint64_t(64) * 1024 * 1024;

// Files larger than this are refused before they are read.
constexpr std::uintmax_t kMaxBmpFileSize = std::uintmax_t(256) * 1024 * 1024;

// The RLE escape codes, which follow a zero count byte.
constexpr std::uint8_t kRleEndOfLine = 0;
constexpr std::uint8_t kRleEndOfBitmap = 1;
constexpr std::uint8_t kRleDelta = 2;

// The colour of pixels the file does not define: palette indices beyond the palette and pixels an
// RLE file skips. Black, rather than palette entry 0 or the colour key, so that a damaged file
// shows as dark gaps and never turns parts of a skin piece transparent.
constexpr std::uint32_t kUndefinedPixel = 0x000000;

// The reasons a file is refused, by kind; the caller adds the file's name.
std::unexpected<Error> Refused(ErrorKind kind, std::string reason) {
    return Failure(kind, {}, std::move(reason));
}
std::unexpected<Error> EmptyFile(std::string reason) {
    return Refused(ErrorKind::EmptyFile, std::move(reason));
}
std::unexpected<Error> NotBitmap(std::string reason) {
    return Refused(ErrorKind::NotBitmap, std::move(reason));
}
std::unexpected<Error> Truncated(std::string reason) {
    return Refused(ErrorKind::BitmapTruncated, std::move(reason));
}
std::unexpected<Error> Unsupported(std::string reason) {
    return Refused(ErrorKind::BitmapUnsupported, std::move(reason));
}
std::unexpected<Error> Damaged(std::string reason) {
    return Refused(ErrorKind::BitmapDamaged, std::move(reason));
}

// A read-only view of the file that knows how much is left. Callers ask `Has…` before `Read…`;
// reading past the end anyway gives zeros and leaves the cursor at the end, so a mistake can never
// reach outside the buffer.
class ByteCursor {
  public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool Has(std::uint64_t count) const { return count <= Remaining(); }
    bool HasU8() const { return Has(1); }
    bool HasU16() const { return Has(2); }
    bool HasU32() const { return Has(4); }

    std::uint8_t ReadU8() {
        if (!HasU8()) return Exhaust();
        return bytes_[position_++];
    }
    std::uint16_t ReadU16() {
        if (!HasU16()) return Exhaust();
        const std::uint16_t value = std::uint16_t(bytes_[position_] | (bytes_[position_ + 1] << 8));
        position_ += 2;
        return value;
    }
    std::uint32_t ReadU32() {
        if (!HasU32()) return Exhaust();
        const std::uint32_t value = LoadU32(bytes_.data() + position_);
        position_ += 4;
        return value;
    }
    std::int32_t ReadI32() { return std::int32_t(ReadU32()); }

    // The next `count` bytes (which the caller has checked with Has), and moves past them.
    const std::uint8_t* Take(std::size_t count) {
        if (!Has(count)) {
            Exhaust();
            return nullptr;
        }
        const std::uint8_t* at = bytes_.data() + position_;
        position_ += count;
        return at;
    }
    void Skip(std::size_t count) { position_ += std::min(count, Remaining()); }

    static std::uint32_t LoadU32(const std::uint8_t* at) {
        return std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16) |
               (std::uint32_t(at[3]) << 24);
    }

  private:
    std::uint8_t Exhaust() {
        position_ = bytes_.size();
        return 0;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// One colour channel of a 16- or 32-bit pixel, read through its mask and scaled to 0..255.
//
// How odd masks are read (the caller refuses masks that select no bits at all, and masks with
// gaps between their bits):
// - A zero mask: the channel is 0.
// - Mask bits beyond the pixel's own bits are dropped, since no pixel can have them set.
// - A mask of more than 8 bits (10-bit, 11-bit, 18-bit channels, or all ones) is scaled exactly.
// - Masks that overlap: each channel reads its own bits; the shared bits count for both.
// Values scale so that the channel maximum becomes 255: value * 255 / max, rounded to nearest.
// Plain shifting would turn a full 5-bit 31 into 248, and skins key on exact colours such as
// magenta.
class Channel {
  public:
    Channel() = default;
    Channel(std::uint32_t mask, int pixelBits) {
        mask_ = pixelBits >= 32 ? mask : mask & ((std::uint32_t(1) << pixelBits) - 1);
        if (mask_ == 0) return;
        bits_ = std::popcount(mask_);
        shift_ = std::countr_zero(mask_);
        contiguous_ = ((mask_ >> shift_) & ((mask_ >> shift_) + 1)) == 0;
        max_ = bits_ >= 32 ? 0xFFFFFFFFu : (std::uint32_t(1) << bits_) - 1;
        if (bits_ <= 8) {
            for (std::uint32_t value = 0; value <= max_; ++value) {
                scale_[value] = bits_ == 8 ? std::uint8_t(value) : Scale(value);
            }
        }
    }

    std::uint32_t Read(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        return bits_ <= 8 ? scale_[value] : Scale(value);
    }

    // The common case (masks of at most 8 bits, or none): a mask, a shift and a table lookup,
    // with no branches. A zero mask reads table entry 0, which is 0.
    bool IsNarrow() const { return bits_ <= 8; }
    std::uint32_t ReadNarrow(std::uint32_t pixel) const {
        return scale_[(pixel & mask_) >> shift_];
    }

    bool Selects() const { return bits_ > 0; }
    // True when the mask's bits lie side by side (a zero mask too).
    bool IsContiguous() const { return contiguous_; }
    bool IsExactly(std::uint32_t mask) const { return mask_ == mask; }

  private:
    std::uint8_t Scale(std::uint32_t value) const {
        return std::uint8_t((std::uint64_t(value) * 510 + max_) / (std::uint64_t(max_) * 2));
    }

    std::uint32_t mask_ = 0;
    int bits_ = 0;
    int shift_ = 0;
    bool contiguous_ = true;
    std::uint32_t max_ = 0;
    std::array<std::uint8_t, 256> scale_{};
};

enum class Encoding { Rgb, Bitfields, Rle4, Rle8, Rle24 };

// A mask as people read it: "0x0000F800".
std::string HexText(std::uint32_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text.push_back(kDigits[(value >> shift) & 0xF]);
    return text;
}

std::uint64_t RowStride(std::uint64_t width, int bits) {
    return (width * unsigned(bits) + 31) / 32 * 4;
}

// The palette has room for every index an 8-bit pixel can hold; entries the file does not give
// stay kUndefinedPixel, so an index beyond the palette reads black and never stale memory.
using Palette = std::array<std::uint32_t, kPaletteLimit>;

void ConvertIndexedRow(const std::uint8_t* row, int width, int bits, const Palette& palette,
                       std::uint32_t* out) {
    switch (bits) {
        case 8:
            for (int x = 0; x < width; ++x) out[x] = palette[row[x]];
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const std::uint8_t pair = row[x >> 1];
                out[x] = palette[(x & 1) ? pair & 0x0F : pair >> 4];
            }
            break;
        default: {  // 1 and 2 bits, the leftmost pixel in the highest bits of each byte
            const unsigned valueMask = (1u << bits) - 1;
            for (int x = 0; x < width; ++x) {
                const unsigned bit = unsigned(x) * unsigned(bits);
                const unsigned shift = 8 - unsigned(bits) - (bit & 7);
                out[x] = palette[(row[bit >> 3] >> shift) & valueMask];
            }
            break;
        }
    }
}

// Blue, green, red: the byte order of palette entries and of 24-bit pixels.
std::uint32_t LoadBgr(const std::uint8_t* at) {
    return std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16);
}

void ConvertRgb24Row(const std::uint8_t* row, int width, std::uint32_t* out) {
    for (int x = 0; x < width; ++x, row += 3) out[x] = LoadBgr(row);
}

// Reads one file: the steps run in order, each leaving what the next one needs in the members.
class BmpReader {
  public:
    BmpReader(std::span<const std::uint8_t> bytes, int maxDimension)
        : bytes_(bytes),
          cursor_(bytes),
          maxDimension_(std::clamp<std::int64_t>(maxDimension, 0, kMaxBmpDimension)) {}

    // A picture larger than the caller takes: its size and the limit go with the reason.
    std::unexpected<Error> TooLarge(std::string reason) const {
        return Failure(ErrorKind::PictureTooLarge, {}, std::move(reason), {},
                       {std::int64_t(width_), std::int64_t(height_), maxDimension_});
    }

    Result<Bitmap> Decode() {
        using Step = Result<void> (BmpReader::*)();
        for (Step step :
             {&BmpReader::ReadFileHeader, &BmpReader::ReadInfoHeader, &BmpReader::CheckFormat,
              &BmpReader::ReadColorMasks, &BmpReader::ReadPalette}) {
            Result<void> done = (this->*step)();
            if (!done) return std::unexpected<Error>(done.error());
        }
        return ReadPixels();
    }

  private:
    Result<void> ReadFileHeader() {
        if (bytes_.empty()) return EmptyFile("file is empty");
        if (bytes_.size() < 2 || bytes_[0] != 'B' || bytes_[1] != 'M') {
            return NotBitmap("not a BMP file (it does not start with \"BM\")");
        }
        if (!cursor_.Has(kFileHeaderSize + 4)) return Truncated("file header is truncated");
        cursor_.Skip(2 + 4 + 2 + 2);  // magic, file size and the reserved words: all unreliable
        pixelOffset_ = cursor_.ReadU32();
        return {};
    }

    Result<void> ReadInfoHeader() {
        headerSize_ = cursor_.ReadU32();
        switch (headerSize_) {
            case kCoreHeaderSize:
            case kOs2ShortHeaderSize:
            case kInfoHeaderSize:
            case kV2HeaderSize:
            case kV3HeaderSize:
            case kOs2HeaderSize:
            case kV4HeaderSize:
            case kV5HeaderSize:
                break;
            default:
                return Damaged("unknown header size of " + std::to_string(headerSize_) + " bytes");
        }
        const std::uint64_t fields = headerSize_ - 4;
        if (!cursor_.Has(fields)) {
            return Truncated("info header is truncated: " + std::to_string(headerSize_) +
                             " bytes expected, " + std::to_string(cursor_.Remaining() + 4) +
                             " present");
        }
        ByteCursor header(std::span<const std::uint8_t>(cursor_.Take(fields), fields));

        os2_ = headerSize_ == kOs2ShortHeaderSize || headerSize_ == kOs2HeaderSize;
        if (headerSize_ == kCoreHeaderSize) {
            core_ = true;
            width_ = header.ReadU16();
            height_ = header.ReadU16();
        } else {
            width_ = header.ReadI32();
            height_ = header.ReadI32();
        }
        planes_ = header.ReadU16();
        bitCount_ = header.ReadU16();
        // The OS/2 2.x header may be cut short; the missing fields then read as zero.
        compression_ = header.ReadU32();
        header.Skip(4 + 4 + 4);  // image size (often wrong, never needed), pixels per metre
        colorsUsed_ = header.ReadU32();
        header.Skip(4);  // important colours
        if (headerSize_ >= kV2HeaderSize && !os2_) {
            for (std::uint32_t& mask : masks_) mask = header.ReadU32();
        }
        return {};
    }

    Result<void> CheckFormat() {
        if (planes_ != 1)
            return Damaged("number of colour planes must be 1, not " + std::to_string(planes_));
        if (width_ <= 0)
            return Damaged("width of " + std::to_string(width_) + " pixels is invalid");
        if (height_ == 0) return Damaged("height of 0 pixels is invalid");
        // A negative height stores the rows from the top; its size is the magnitude (in 64 bits,
        // so that the most negative 32-bit value does not overflow).
        topDown_ = height_ < 0;
        if (topDown_) height_ = -height_;
        if (width_ > maxDimension_) {
            return TooLarge("width of " + std::to_string(width_) + " pixels exceeds the limit of " +
                            std::to_string(maxDimension_));
        }
        if (height_ > maxDimension_) {
            return TooLarge("height of " + std::to_string(height_) +
                            " pixels exceeds the limit of " + std::to_string(maxDimension_));
        }
        if (std::uint64_t(width_) * std::uint64_t(height_) > kMaxBmpPixels) {
            return TooLarge("picture of " + std::to_string(width_) + " × " +
                            std::to_string(height_) + " pixels is larger than the limit of " +
                            std::to_string(kMaxBmpPixels) + " pixels");
        }

        Result<void> encoding = ChooseEncoding();
        if (!encoding) return encoding;
        if (topDown_ && IsRle()) return Damaged("RLE-compressed bitmaps cannot be stored top-down");
        return {};
    }

    Result<void> ChooseEncoding() {
        const std::string bits = std::to_string(bitCount_);
        if (os2_ && compression_ == kOs2Huffman1D) {
            return Unsupported("Huffman-compressed (OS/2 fax) bitmaps are not supported");
        }
        if (os2_ && compression_ == kOs2Rle24) {
            encoding_ = Encoding::Rle24;
            if (bitCount_ != 24)
                return Damaged("RLE24 compression needs 24 bits per pixel, not " + bits);
            return {};
        }
        switch (compression_) {
            case kBiRgb:
                encoding_ = Encoding::Rgb;
                switch (bitCount_) {
                    case 1:
                    case 2:
                    case 4:
                    case 8:
                    case 16:
                    case 24:
                    case 32:
                        return {};
                    case 64:
                        return Unsupported("64-bit high dynamic range bitmaps are not supported");
                    default:
                        return Damaged("bit count of " + bits + " per pixel is invalid");
                }
            case kBiRle8:
                encoding_ = Encoding::Rle8;
                if (bitCount_ != 8)
                    return Damaged("RLE8 compression needs 8 bits per pixel, not " + bits);
                return {};
            case kBiRle4:
                encoding_ = Encoding::Rle4;
                if (bitCount_ != 4)
                    return Damaged("RLE4 compression needs 4 bits per pixel, not " + bits);
                return {};
            case kBiBitfields:
            case kBiAlphaBitfields:
                encoding_ = Encoding::Bitfields;
                if (bitCount_ != 16 && bitCount_ != 32) {
                    return Damaged("bit-field compression needs 16 or 32 bits per pixel, not " +
                                   bits);
                }
                return {};
            case kBiJpeg:
                return Unsupported("bitmaps holding a JPEG picture are not supported");
            case kBiPng:
                return Unsupported("bitmaps holding a PNG picture are not supported");
            default:
                return Damaged("unknown compression method " + std::to_string(compression_));
        }
    }

    Result<void> ReadColorMasks() {
        // The 40-byte header keeps its masks in the 12 or 16 bytes after it; the V2 and later
        // headers hold them inside (read above). Alpha is never used: skins have none.
        if (encoding_ == Encoding::Bitfields && headerSize_ == kInfoHeaderSize) {
            const std::size_t maskBytes =
                compression_ == kBiAlphaBitfields ? kRgbaMaskBytes : kRgbMaskBytes;
            if (!cursor_.Has(maskBytes)) return Truncated("colour masks are truncated");
            for (std::uint32_t& mask : masks_) mask = cursor_.ReadU32();
            cursor_.Skip(maskBytes - kRgbMaskBytes);
        }
        // Only 16- and 32-bit pixels go through masks.
        if (bitCount_ != 16 && bitCount_ != 32) return {};
        if (encoding_ != Encoding::Bitfields) {
            // The defaults: 5-5-5 for 16 bits (the top bit unused), 8-8-8 for 32 bits.
            masks_ = bitCount_ == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                     : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
        }
        red_ = Channel(masks_[0], bitCount_);
        green_ = Channel(masks_[1], bitCount_);
        blue_ = Channel(masks_[2], bitCount_);
        if (encoding_ != Encoding::Bitfields) return {};
        if (!red_.Selects() && !green_.Selects() && !blue_.Selects()) {
            return Damaged("the colour masks select no bits of the pixel");
        }
        // A mask's bits must lie side by side, as the format demands; masks with gaps are refused
        // here, before any pixel is read, rather than gathered bit by bit for every pixel.
        static constexpr const char* kChannelNames[] = {"red", "green", "blue"};
        const Channel* channels[] = {&red_, &green_, &blue_};
        for (std::size_t i = 0; i < 3; ++i) {
            if (!channels[i]->IsContiguous()) {
                return Damaged("the " + std::string(kChannelNames[i]) + " colour mask " +
                               HexText(masks_[i]) + " has gaps between its bits");
            }
        }
        return {};
    }

    Result<void> ReadPalette() {
        const std::uint64_t paletteStart = cursor_.Position();
        if (pixelOffset_ > bytes_.size()) {
            return Damaged("pixel data offset " + std::to_string(pixelOffset_) +
                           " lies outside the file of " + std::to_string(bytes_.size()) + " bytes");
        }
        if (pixelOffset_ < paletteStart) {
            return Damaged("pixel data offset " + std::to_string(pixelOffset_) +
                           " lies inside the headers, which end at " +
                           std::to_string(paletteStart));
        }
        // A palette matters only for 8 bits or fewer; true-colour files may carry one, unused.
        if (bitCount_ > 8) return {};

        const std::uint64_t entrySize = core_ ? kCorePaletteEntrySize : kPaletteEntrySize;
        const std::uint64_t room = (pixelOffset_ - paletteStart) / entrySize;
        const std::uint64_t full = std::uint64_t(1) << bitCount_;
        // A stated colour count must fit before the pixel data: if it does not, the header is
        // wrong and nothing says where the colours really are. Without one (the OS/2 1.x header
        // has no such field, and 0 means "all"), a shorter palette is common and simply used.
        std::uint64_t count = std::min<std::uint64_t>(colorsUsed_ == 0 ? full : colorsUsed_, full);
        if (count > room) {
            if (colorsUsed_ != 0) {
                return Damaged("palette of " + std::to_string(colorsUsed_) +
                               " colours does not fit before the pixel data");
            }
            count = room;
        }
        for (std::uint64_t index = 0; index < count; ++index) {
            palette_[index] = LoadBgr(bytes_.data() + paletteStart + index * entrySize);
        }
        return {};
    }

    Result<Bitmap> ReadPixels() {
        Result<void> present = IsRle() ? CheckRleReachesTop() : CheckRowsPresent();
        if (!present) return std::unexpected<Error>(present.error());
        Bitmap bitmap{int(width_), int(height_), {}};
        // Zero is kUndefinedPixel: the RLE decoder relies on every pixel it skips being set.
        bitmap.pixels.assign(std::size_t(width_) * std::size_t(height_), kUndefinedPixel);
        if (!IsRle()) {
            DecodeRows(bitmap);
            return bitmap;
        }
        Result<void> done = DecodeRle(bitmap);
        if (!done) return std::unexpected<Error>(done.error());
        return bitmap;
    }

    bool IsRle() const {
        return encoding_ == Encoding::Rle4 || encoding_ == Encoding::Rle8 ||
               encoding_ == Encoding::Rle24;
    }

    // Uncompressed rows are each padded to a multiple of 4 bytes. The last row's padding may be
    // missing (some writers leave it off); its pixels may not. Checked before the picture is
    // allocated, so a header that promises a huge picture costs nothing.
    Result<void> CheckRowsPresent() const {
        const std::uint64_t width = std::uint64_t(width_);
        const std::uint64_t height = std::uint64_t(height_);
        const std::uint64_t stride = RowStride(width, bitCount_);
        const std::uint64_t lastRow = (width * unsigned(bitCount_) + 7) / 8;
        const std::uint64_t present = bytes_.size() - pixelOffset_;
        if (stride * (height - 1) + lastRow > present) {
            return Truncated("bitmap is truncated: " + std::to_string(stride * height) +
                             " bytes of pixel data expected, " + std::to_string(present) +
                             " present");
        }
        return {};
    }

    // RLE data can leave any pixel undefined, so a few bytes may declare a huge picture; but to
    // climb from the bottom row to the top the codes must move up row by row, and that costs
    // bytes whatever the width. The cheapest climb is a delta escape (4 bytes, up to 255 rows up)
    // with end-of-line escapes (2 bytes, one row) for a short rest; the picture is done either
    // one row past the top or at an end-of-bitmap code (2 bytes) in the top row. Data shorter
    // than that cheapest encoding cannot be a picture of the declared height, and is refused
    // before the picture is allocated. Every file whose codes reach its top row passes.
    Result<void> CheckRleReachesTop() const {
        const std::uint64_t needed = std::min(RleClimbBytes(std::uint64_t(height_) - 1) + 2,
                                              RleClimbBytes(std::uint64_t(height_)));
        const std::uint64_t present = bytes_.size() - pixelOffset_;
        if (present < needed) {
            return Damaged("RLE data of " + std::to_string(present) +
                           " bytes cannot reach the top of a picture " + std::to_string(height_) +
                           " pixels high (at least " + std::to_string(needed) +
                           " bytes are needed)");
        }
        return {};
    }

    // The fewest bytes of RLE codes that move `rows` rows up.
    static std::uint64_t RleClimbBytes(std::uint64_t rows) {
        constexpr std::uint64_t kDeltaBytes = 4;
        constexpr std::uint64_t kEndOfLineBytes = 2;
        constexpr std::uint64_t kDeltaRows = 255;
        return rows / kDeltaRows * kDeltaBytes +
               std::min(rows % kDeltaRows * kEndOfLineBytes, kDeltaBytes);
    }

    // Every row is known to lie inside the file (CheckRowsPresent), so the row loops need no
    // bounds checks of their own.
    void DecodeRows(Bitmap& bitmap) {
        const std::uint64_t width = std::uint64_t(width_);
        const std::uint64_t height = std::uint64_t(height_);
        const std::uint64_t stride = RowStride(width, bitCount_);
        const std::uint8_t* data = bytes_.data() + pixelOffset_;
        const bool plain32 = bitCount_ == 32 && red_.IsExactly(0xFF0000) &&
                             green_.IsExactly(0x00FF00) && blue_.IsExactly(0x0000FF);
        const bool narrow = red_.IsNarrow() && green_.IsNarrow() && blue_.IsNarrow();
        for (std::uint64_t fileRow = 0; fileRow < height; ++fileRow) {
            const std::uint8_t* row = data + fileRow * stride;
            const std::uint64_t y = topDown_ ? fileRow : height - 1 - fileRow;
            std::uint32_t* out = bitmap.pixels.data() + y * width;
            switch (bitCount_) {
                case 1:
                case 2:
                case 4:
                case 8:
                    ConvertIndexedRow(row, int(width), bitCount_, palette_, out);
                    break;
                case 16:
                    if (narrow) {
                        ConvertMaskedRow<2, true>(row, width, out);
                    } else {
                        ConvertMaskedRow<2, false>(row, width, out);
                    }
                    break;
                case 24:
                    ConvertRgb24Row(row, int(width), out);
                    break;
                default:
                    if (plain32) {
                        for (std::uint64_t x = 0; x < width; ++x) {
                            out[x] = ByteCursor::LoadU32(row + 4 * x) & 0xFFFFFF;
                        }
                    } else if (narrow) {
                        ConvertMaskedRow<4, true>(row, width, out);
                    } else {
                        ConvertMaskedRow<4, false>(row, width, out);
                    }
                    break;
            }
        }
    }

    // 16- or 32-bit pixels through the colour masks.
    template <int kBytes, bool kNarrow>
    void ConvertMaskedRow(const std::uint8_t* row, std::uint64_t width, std::uint32_t* out) const {
        for (std::uint64_t x = 0; x < width; ++x, row += kBytes) {
            const std::uint32_t pixel = kBytes == 2
                                            ? std::uint32_t(row[0]) | (std::uint32_t(row[1]) << 8)
                                            : ByteCursor::LoadU32(row);
            if constexpr (kNarrow) {
                out[x] = (red_.ReadNarrow(pixel) << 16) | (green_.ReadNarrow(pixel) << 8) |
                         blue_.ReadNarrow(pixel);
            } else {
                out[x] = (red_.Read(pixel) << 16) | (green_.Read(pixel) << 8) | blue_.Read(pixel);
            }
        }
    }

    // The RLE codes: a count byte and a value (a run of one index, two alternating 4-bit
    // indices, or one 24-bit colour), or a zero byte and an escape: end of line, end of bitmap,
    // a delta move right and up, or an absolute run of 3 or more literal pixels padded to an even
    // number of bytes. Rows go from the bottom up.
    //
    // Damaged files are drawn as far as they make sense: the pixels of a run that passes the end
    // of its row are dropped (runs never wrap into the next row), a delta is clamped to the row's
    // end, codes after the top row are ignored, and every pixel no code reaches (skipped by a
    // delta, an early end of line or end of bitmap) stays kUndefinedPixel, black. Data that stops
    // before the picture is complete (no end-of-bitmap code, or a code cut in half) is a truncated
    // file.
    Result<void> DecodeRle(Bitmap& bitmap) {
        ByteCursor rle(bytes_.subspan(pixelOffset_));
        const std::int64_t width = width_;
        const std::int64_t height = height_;
        std::int64_t x = 0;
        std::int64_t y = 0;  // counted from the bottom, as the file stores the rows
        // Rows in messages count from the top, as a paint program shows them.
        const auto truncated = [&] {
            return Truncated("bitmap is truncated: the RLE data stops in row " +
                             std::to_string(std::max<std::int64_t>(height - 1 - y, 0)) +
                             " before the end-of-bitmap code");
        };
        // Every caller checks x < width first; y < height holds inside the loop.
        const auto put = [&](std::uint32_t color) {
            bitmap.pixels[std::size_t((height - 1 - y) * width + x)] = color;
            ++x;
        };

        while (y < height) {
            if (!rle.Has(2)) return truncated();
            const std::uint8_t count = rle.ReadU8();
            if (count > 0) {
                if (encoding_ == Encoding::Rle24) {
                    if (!rle.Has(3)) return truncated();
                    const std::uint32_t pixel = LoadBgr(rle.Take(3));
                    for (int n = 0; n < count && x < width; ++n) put(pixel);
                } else {
                    const std::uint8_t value = rle.ReadU8();
                    const std::uint32_t first =
                        palette_[encoding_ == Encoding::Rle4 ? value >> 4 : value];
                    const std::uint32_t second =
                        palette_[encoding_ == Encoding::Rle4 ? value & 0x0F : value];
                    for (int n = 0; n < count && x < width; ++n) put((n & 1) ? second : first);
                }
                continue;
            }
            const std::uint8_t code = rle.ReadU8();
            if (code == kRleEndOfLine) {
                x = 0;
                ++y;
            } else if (code == kRleEndOfBitmap) {
                return {};
            } else if (code == kRleDelta) {
                if (!rle.Has(2)) return truncated();
                x = std::min(x + rle.ReadU8(), width);
                y += rle.ReadU8();
            } else {
                const std::size_t literal = encoding_ == Encoding::Rle4    ? (code + 1u) / 2
                                            : encoding_ == Encoding::Rle24 ? code * 3u
                                                                           : code;
                if (!rle.Has(literal)) return truncated();
                const std::uint8_t* pixels = rle.Take(literal);
                for (int n = 0; n < code && x < width; ++n) {
                    switch (encoding_) {
                        case Encoding::Rle4:
                            put(palette_[(n & 1) ? pixels[n / 2] & 0x0F : pixels[n / 2] >> 4]);
                            break;
                        case Encoding::Rle24:
                            put(LoadBgr(pixels + 3 * n));
                            break;
                        default:
                            put(palette_[pixels[n]]);
                            break;
                    }
                }
                rle.Skip(literal & 1);  // the padding to an even byte count
            }
        }
        return {};
    }

    std::span<const std::uint8_t> bytes_;
    ByteCursor cursor_;
    std::int64_t maxDimension_;

    // File and info header.
    std::uint32_t pixelOffset_ = 0;
    std::uint32_t headerSize_ = 0;
    bool core_ = false;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
    bool os2_ = false;   // OS/2 2.x: other meanings of compression codes 3 and 4
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    bool topDown_ = false;
    int planes_ = 0;
    int bitCount_ = 0;
    std::uint32_t compression_ = 0;
    std::uint32_t colorsUsed_ = 0;
    Encoding encoding_ = Encoding::Rgb;

    // Colour masks and palette.
    std::array<std::uint32_t, 3> masks_{};
    Channel red_;
    Channel green_;
    Channel blue_;
    Palette palette_{};
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The file header and a 40-byte info header of a bottom-up BI_RGB file; the palette and the rows
// follow.
std::vector<std::uint8_t> StartBmpFile(int width, int height, int bits, std::size_t paletteSize) {
    constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch
    const std::uint64_t stride = RowStride(std::uint64_t(std::max(width, 0)), bits);
    const std::uint64_t imageSize = stride * std::uint64_t(std::max(height, 0));
    const std::uint64_t offset =
        kFileHeaderSize + kInfoHeaderSize + paletteSize * kPaletteEntrySize;
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(offset + imageSize));
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(offset + imageSize));
    Put32(out, 0);
    Put32(out, std::uint32_t(offset));
    Put32(out, kInfoHeaderSize);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));
    Put16(out, 1);
    Put16(out, std::uint32_t(bits));
    Put32(out, kBiRgb);
    Put32(out, std::uint32_t(imageSize));
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, std::uint32_t(paletteSize));
    Put32(out, 0);
    return out;
}

void PadRow(std::vector<std::uint8_t>& out, std::uint64_t written, int width, int bits) {
    for (std::uint64_t pad = written; pad < RowStride(std::uint64_t(width), bits); ++pad)
        out.push_back(0);
}

}  // namespace

Result<Bitmap> DecodeBmp(std::span<const std::uint8_t> bytes, int maxDimension) {
    return BmpReader(bytes, maxDimension).Decode();
}

Result<Bitmap> LoadBmpFile(const std::filesystem::path& path, int maxDimension) {
    const Result<std::string> bytes = platform::ReadRegularFile(path, kMaxBmpFileSize);
    if (!bytes) return std::unexpected(bytes.error());
    Result<Bitmap> bitmap =
        DecodeBmp(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()),
                  maxDimension);
    if (!bitmap) {
        Error refused = std::move(bitmap.error());
        refused.message = platform::DisplayText(path) + ": " + refused.message;
        refused.file = path;
        return std::unexpected(std::move(refused));
    }
    return bitmap;
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
    std::vector<std::uint8_t> out = StartBmpFile(bitmap.width, bitmap.height, 24, 0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint32_t pixel = bitmap.At(x, y);
            out.push_back(std::uint8_t(pixel));
            out.push_back(std::uint8_t(pixel >> 8));
            out.push_back(std::uint8_t(pixel >> 16));
        }
        PadRow(out, std::uint64_t(bitmap.width) * 3, bitmap.width, 24);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp8(int width, int height, std::span<const std::uint8_t> indices,
                                     std::span<const std::uint32_t> palette) {
    palette = palette.first(std::min(palette.size(), kPaletteLimit));
    std::vector<std::uint8_t> out = StartBmpFile(width, height, 8, palette.size());
    for (const std::uint32_t color : palette) Put32(out, color & 0xFFFFFF);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            // Indices the caller did not give are written as 0.
            const std::size_t at = std::size_t(y) * std::size_t(width) + std::size_t(x);
            out.push_back(at < indices.size() ? indices[at] : 0);
        }
        PadRow(out, std::uint64_t(std::max(width, 0)), width, 8);
    }
    return out;
}

}  // namespace morvish
