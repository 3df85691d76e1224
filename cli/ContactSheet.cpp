#include "ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "app/SkinFolder.h"
#include "platform/Platform.h"
#include "render/DirectDrawSurface7.h"
#include "render/PngFile.h"
#include "render/SkinFont.h"
#include "windows/WindowSlots.h"

namespace fs = std::filesystem;

namespace morvish::cli {

namespace {

constexpr int kDrawingFailed = 1;
constexpr int kBadUsage = 2;

// Around every cell of the sheet, and the band beneath each picture that holds the name.
constexpr int kMargin = 10;
constexpr int kNameBand = 20;
constexpr std::uint32_t kSheetBackground = 0xFFFFFF;
constexpr std::uint32_t kNameColour = 0x000000;
// The cell of a skin that could not be drawn: a grey box saying so.
constexpr std::uint32_t kFailedCell = 0xE0E0E0;
constexpr char kCannotBeDrawn[] = "(cannot be drawn)";

// The share of the source interval [from, from + 1) of target pixel `i` that falls into source
// pixel `s`, for a scale of `ratio` source pixels per target pixel.
double Overlap(int i, int s, double ratio) {
    const double from = i * ratio;
    const double to = from + ratio;
    return std::max(0.0, std::min(to, double(s + 1)) - std::max(from, double(s)));
}

// One pass of the box filter along rows (horizontal) or columns.
Bitmap ScaleAxis(const Bitmap& source, int width, int height) {
    Bitmap target{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    const bool horizontal = width != source.width;
    const int targetLength = horizontal ? width : height;
    const int sourceLength = horizontal ? source.width : source.height;
    const double ratio = double(sourceLength) / targetLength;
    for (int i = 0; i < targetLength; ++i) {
        const int first = int(std::floor(i * ratio));
        const int last = std::min(int(std::ceil((i + 1) * ratio)), sourceLength);
        const int lines = horizontal ? height : width;
        for (int line = 0; line < lines; ++line) {
            double sum[3] = {0, 0, 0};
            for (int s = first; s < last; ++s) {
                const double weight = Overlap(i, s, ratio);
                const std::uint32_t pixel = horizontal ? source.At(s, line) : source.At(line, s);
                sum[0] += weight * double((pixel >> 16) & 0xFF);
                sum[1] += weight * double((pixel >> 8) & 0xFF);
                sum[2] += weight * double(pixel & 0xFF);
            }
            auto channel = [&](double value) {
                return std::uint32_t(std::clamp(std::lround(value / ratio), 0L, 255L));
            };
            const std::uint32_t pixel =
                (channel(sum[0]) << 16) | (channel(sum[1]) << 8) | channel(sum[2]);
            const int x = horizontal ? i : line;
            const int y = horizontal ? line : i;
            target.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = pixel;
        }
    }
    return target;
}

void Paste(Bitmap& target, const Bitmap& picture, int left, int top) {
    for (int y = 0; y < picture.height && top + y < target.height; ++y) {
        for (int x = 0; x < picture.width && left + x < target.width; ++x) {
            target
                .pixels[std::size_t(top + y) * std::size_t(target.width) + std::size_t(left + x)] =
                picture.At(x, y);
        }
    }
}

std::string HtmlText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A window picture of the skin, drawn as the renderer draws one for -o.
Result<Bitmap> DrawKind(const RenderOptions& options, const fs::path& skinDir, int slot) {
    RenderOptions one = options;
    one.skinDir = skinDir;
    one.slot = slot;
    return Render(one, {});
}

}  // namespace

Bitmap ScaleToWidth(const Bitmap& picture, int width) {
    if (picture.width <= 0 || picture.height <= 0) return picture;
    width = std::clamp(width, 1, picture.width);
    const int height =
        std::max(1, int(std::lround(double(picture.height) * width / picture.width)));
    if (width == picture.width && height == picture.height) return picture;
    const Bitmap narrow = ScaleAxis(picture, width, picture.height);
    return height == picture.height ? narrow : ScaleAxis(narrow, width, height);
}

fs::path SkinName(const fs::path& skinDir) {
    fs::path normal = skinDir.lexically_normal();
    if (!normal.has_filename()) normal = normal.parent_path();
    return normal.filename();
}

Bitmap ComposeSheet(const std::vector<SheetEntry>& entries, int width, int columns) {
    int cellHeight = 0;
    for (const SheetEntry& entry : entries) {
        if (entry.picture.width > 0) {
            cellHeight = std::max(cellHeight, ScaleToWidth(entry.picture, width).height);
        }
    }
    const int count = int(entries.size());
    columns = std::clamp(columns, 1, std::max(count, 1));
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = width + kMargin;
    const int cellFull = cellHeight + kNameBand + kMargin;
    DirectDrawSurface7 sheet(kMargin + columns * cellWidth, kMargin + std::max(rows, 1) * cellFull);
    sheet.BltColorFill(RECT{}, ToColor(kSheetBackground));
    Bitmap out = sheet.ToBitmap();
    for (int k = 0; k < count; ++k) {
        const int left = kMargin + (k % columns) * cellWidth;
        const int top = kMargin + (k / columns) * cellFull;
        if (entries[std::size_t(k)].picture.width > 0) {
            Paste(out, ScaleToWidth(entries[std::size_t(k)].picture, width), left, top);
        }
    }
    DirectDrawSurface7 named(std::move(out));
    const SkinFont* font = FindSkinFont(FontFace::Japanese, 9);
    named.SetFont(font);
    named.SetForeColor(ToColor(kNameColour));
    // Text centred in a cell; one wider than the cell starts at its left edge and is cut at the
    // next. The Japanese face also has Latin letters.
    auto centred = [&](int left, int top, std::string_view text) {
        if (font == nullptr) return;
        named.DrawText(left + std::max(0, (width - font->TextWidth(text)) / 2), top, text, true);
    };
    for (int k = 0; k < count; ++k) {
        const SheetEntry& entry = entries[std::size_t(k)];
        const int left = kMargin + (k % columns) * cellWidth;
        const int top = kMargin + (k / columns) * cellFull;
        if (entry.picture.width == 0) {
            named.BltColorFill(RECT{left, top, left + width, top + cellHeight},
                               ToColor(kFailedCell));
            centred(left, top + cellHeight / 2 - 6, kCannotBeDrawn);
        }
        centred(left, top + cellHeight + 4, entry.name);
    }
    return named.ToBitmap();
}

std::string UrlPath(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

std::string SheetPage(const std::string& title, const std::vector<PageSkin>& skins) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        HtmlText(title) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 1em; }\n"
        "figure { display: inline-block; margin: 0 1em 1em 0; vertical-align: top; }\n"
        "img { image-rendering: pixelated; border: 1px solid #ccc; }\n"
        "</style>\n</head>\n<body>\n<h1>" +
        HtmlText(title) + "</h1>\n<ul>\n";
    for (const PageSkin& skin : skins) {
        page += "<li><a href=\"#" + skin.anchor + "\">" + HtmlText(skin.name) + "</a></li>\n";
    }
    page += "</ul>\n";
    for (const PageSkin& skin : skins) {
        page += "<section id=\"" + skin.anchor + "\">\n<h2>" + HtmlText(skin.name) + "</h2>\n";
        for (const PagePicture& picture : skin.pictures) {
            const std::string url = UrlPath(picture.file);
            if (!picture.problem.empty()) {
                page += "<figure><figcaption>" + HtmlText(picture.label) + " (" +
                        HtmlText(picture.kind) +
                        "): cannot be drawn: " + HtmlText(picture.problem) +
                        "</figcaption></figure>\n";
                continue;
            }
            page += "<figure><a href=\"" + url + "\"><img src=\"" + url + "\" width=\"" +
                    std::to_string(picture.width) + "\" height=\"" +
                    std::to_string(picture.height) + "\" alt=\"" + HtmlText(picture.label) +
                    "\"></a><figcaption>" + HtmlText(picture.label) + " (" +
                    HtmlText(picture.kind) + ")</figcaption></figure>\n";
        }
        page += "</section>\n";
    }
    return page + "</body>\n</html>\n";
}

int RunAllKinds(const RenderOptions& options) {
    std::error_code error;
    fs::create_directories(options.kindsDir, error);
    if (error) {
        std::cerr << "morvish-render: " << platform::DisplayText(options.kindsDir) << ": "
                  << error.message() << "\n";
        return kDrawingFailed;
    }
    const fs::path name = SkinName(options.skinDir);
    int status = 0;
    for (const WindowSlot& slot : kWindowSlots) {
        fs::path file = options.kindsDir / name;
        file += "-";
        file += std::string(slot.kind);
        file += ".png";
        Result<Bitmap> picture = DrawKind(options, options.skinDir, slot.number);
        Result<void> written = picture ? WritePng(*picture, file) : Result<void>();
        if (!picture || !written) {
            std::cerr << "morvish-render: "
                      << (picture ? written.error().message : picture.error().message) << "\n";
            status = kDrawingFailed;
        }
    }
    return status;
}

int RunSheet(const RenderOptions& options) {
    std::error_code error;
    if (!fs::is_directory(options.sheetRoot, error)) {
        std::cerr << "morvish-render: skin root '" << platform::DisplayText(options.sheetRoot)
                  << "' does not exist\nTry 'morvish-render --help'.\n";
        return kBadUsage;
    }
    int status = 0;
    auto complain = [&](const Error& problem) {
        std::cerr << "morvish-render: " << problem.message << "\n";
        status = kDrawingFailed;
    };
    std::vector<SheetEntry> entries;
    std::vector<PageSkin> page;
    int number = 0;
    for (const fs::path& name : ListSkinNames(options.sheetRoot)) {
        const fs::path skinDir = options.sheetRoot / name;
        SheetEntry entry{platform::DisplayText(name), {}};
        if (Result<Bitmap> all = DrawKind(options, skinDir, 1)) {
            entry.picture = std::move(*all);
        } else {
            complain(all.error());
        }
        entries.push_back(std::move(entry));
        if (!options.html) continue;

        PageSkin skin{platform::DisplayText(name), "skin-" + std::to_string(++number), {}};
        fs::create_directories(*options.html / name, error);
        for (const WindowSlot& slot : kWindowSlots) {
            Result<Bitmap> picture = DrawKind(options, skinDir, slot.number);
            if (!picture) {
                complain(picture.error());
                skin.pictures.push_back(PagePicture{std::string(slot.kind),
                                                    std::string(slot.label),
                                                    {},
                                                    0,
                                                    0,
                                                    picture.error().message});
                continue;
            }
            const fs::path file = name / (std::string(slot.kind) + ".png");
            if (Result<void> written = WritePng(*picture, *options.html / file); !written) {
                complain(written.error());
                continue;
            }
            skin.pictures.push_back(
                PagePicture{std::string(slot.kind),
                            std::string(slot.label),
                            platform::PathToUtf8(name) + "/" + std::string(slot.kind) + ".png",
                            picture->width,
                            picture->height,
                            {}});
        }
        page.push_back(std::move(skin));
    }
    if (!options.output.empty()) {
        Result<void> written = WritePng(
            ComposeSheet(entries, options.sheetWidth, options.sheetColumns), options.output);
        if (!written) complain(written.error());
    }
    if (options.html) {
        const std::string title = "Skins of " + platform::DisplayText(SkinName(options.sheetRoot));
        Result<void> written =
            platform::WriteFileAtomically(*options.html / "index.html", SheetPage(title, page));
        if (!written) complain(written.error());
    }
    return status;
}

}  // namespace morvish::cli
