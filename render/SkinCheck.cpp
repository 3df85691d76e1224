#include "SkinCheck.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "BmpDecoder.h"
#include "FileLookup.h"
#include "PreviewPane.h"
#include "SkinFont.h"
#include "SkinReadLog.h"
#include "clsDirectDraw.h"
#include "mdlMain.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
    return folded;
}

// A relative path as people read it, folders separated by "/" on every system.
std::string NameOf(const fs::path& relative) {
    std::string name;
    for (const fs::path& part : relative) {
        if (part.empty()) continue;
        if (!name.empty()) name += '/';
        name += platform::DisplayText(part);
    }
    return name;
}

// The path relative to the skin folder, or nothing for a file outside it (a sample picture of
// the program's own).
std::optional<fs::path> InsideSkin(const fs::path& skin, const fs::path& path) {
    std::error_code error;
    const fs::path relative = fs::absolute(path, error)
                                  .lexically_normal()
                                  .lexically_relative(fs::absolute(skin, error).lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return std::nullopt;
    return relative;
}

// What the check learns of one file on disk, once per check.
struct FileFacts {
    FileState state = FileState::Missing;
    std::string reason;
    int width = 0;
    int height = 0;
    std::string caseOnly;
};

// The reason of an error without the file name that starts its message.
std::string ReasonOf(const Error& error, const fs::path& path) {
    const std::string prefix = platform::DisplayText(path) + ": ";
    if (error.message.starts_with(prefix)) return error.message.substr(prefix.size());
    return error.message;
}

FileFacts LearnFile(const fs::path& skin, const fs::path& path) {
    FileFacts facts;
    std::optional<fs::path> found = ResolvePath(path);
    if (!found) return facts;
    std::error_code error;
    if (!fs::exists(path, error)) {
        if (std::optional<fs::path> relative = InsideSkin(skin, *found)) {
            facts.caseOnly = NameOf(*relative);
        }
    }
    if (fs::is_directory(*found, error)) {
        facts.state = FileState::Unreadable;
        facts.reason = "a folder, not a file";
        return facts;
    }
    Result<Bitmap> picture = LoadBmpFile(*found, kMaxSkinPictureDimension);
    if (!picture) {
        facts.state = FileState::Unreadable;
        facts.reason = ReasonOf(picture.error(), *found);
        return facts;
    }
    facts.state = FileState::Present;
    facts.width = picture->width;
    facts.height = picture->height;
    return facts;
}

// Listens to one window while it builds its tables and draws itself once.
class Recorder : public SkinReadObserver {
  public:
    struct Use {
        fs::path path;
        std::string purpose;
        int x = 0, y = 0;
        Role role = Role::Piece;
        bool placed = false;
        int cutRight = 0, cutBottom = 0;
    };

    void Listed(const Element& element) override {
        if (element.folder == Folder::Skin) Note(element);
    }
    void Sought(const Element& element) override {
        if (element.folder == Folder::Skin) Note(element);
    }
    void Placed(const Element& element, const RECT& placed, int canvasWidth,
                int canvasHeight) override {
        if (element.folder != Folder::Skin) return;
        Use& use = Note(element);
        use.placed = true;
        use.cutRight = std::max(use.cutRight, placed.Right - canvasWidth);
        use.cutBottom = std::max(use.cutBottom, placed.Bottom - canvasHeight);
    }
    bool GoOnAfter(const Error&) override { return true; }

    const std::vector<Use>& Uses() const { return uses_; }

  private:
    Use& Note(const Element& element) {
        const std::string key = Folded(element.path.lexically_normal().generic_string());
        auto [at, added] = index_.try_emplace(key, uses_.size());
        if (added) {
            uses_.push_back(Use{element.path, std::string(element.purpose), element.x, element.y,
                                element.role});
        } else if (uses_[at->second].purpose.empty()) {
            uses_[at->second].purpose = element.purpose;
        }
        return uses_[at->second];
    }

    std::vector<Use> uses_;
    std::map<std::string, std::size_t> index_;
};

// Restores the previous listener however the check leaves.
class Listening {
  public:
    explicit Listening(SkinReadObserver& observer) : before_(ObserveSkinReads(&observer)) {}
    ~Listening() { ObserveSkinReads(before_); }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;

  private:
    SkinReadObserver* before_;
};

class Checker {
  public:
    explicit Checker(fs::path skin) : skin_(std::move(skin)) {}

    CheckedFile Check(const Recorder::Use& use, int width, int height) {
        const fs::path relative = *InsideSkin(skin_, use.path);
        CheckedFile file;
        file.name = NameOf(relative);
        file.purpose = use.purpose;
        const std::string key = Folded(file.name);
        auto known = facts_.find(key);
        if (known == facts_.end()) known = facts_.emplace(key, LearnFile(skin_, use.path)).first;
        const FileFacts& facts = known->second;
        file.state = facts.state;
        file.reason = facts.reason;
        file.width = facts.width;
        file.height = facts.height;
        file.caseOnly = facts.caseOnly;
        if (facts.state != FileState::Present) return file;

        // A piece drawn in the first picture is judged where it went; one shown only in another
        // state (hover, another page) where its table puts it in the window as first shown.
        if (use.placed) {
            file.cutRight = std::max(use.cutRight, 0);
            file.cutBottom = std::max(use.cutBottom, 0);
        } else {
            file.cutRight = std::max(use.x + facts.width - width, 0);
            file.cutBottom = std::max(use.y + facts.height - height, 0);
        }
        if (use.role == Role::Background) {
            file.gapRight = std::max(width - (use.x + facts.width), 0);
            file.gapBottom = std::max(height - (use.y + facts.height), 0);
        }
        return file;
    }

    bool Inside(const fs::path& path) const { return InsideSkin(skin_, path).has_value(); }

    // The names of the files the windows read as found on disk, and the names of those not
    // found, which an unused file may misspell.
    std::set<std::string> onDisk;
    std::vector<std::string> missing;

  private:
    fs::path skin_;
    std::map<std::string, FileFacts> facts_;
};

std::string ColourChipPurpose() {
    return "colour chip: the colours of texts and boxes";
}

bool IsBitmapName(const fs::path& path) {
    return Folded(platform::DisplayText(path.extension())) == ".bmp";
}

// The screenshot the skin tree shows ("ss.*" at the top of the skin) is read, though by no
// window.
bool IsScreenshot(const fs::path& relative) {
    return std::distance(relative.begin(), relative.end()) == 1 &&
           Folded(platform::DisplayText(relative.stem())) == "ss";
}

std::vector<UnusedFile> FindUnused(const fs::path& skin, const std::set<std::string>& used,
                                   const std::vector<std::string>& missing) {
    std::vector<UnusedFile> unused;
    std::error_code error;
    constexpr int kDepth = 4;  // skins keep their pieces in one subfolder
    fs::recursive_directory_iterator it(skin, fs::directory_options::skip_permission_denied, error);
    for (fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        if (it.depth() >= kDepth) it.disable_recursion_pending();
        if (!it->is_regular_file(error) || !IsBitmapName(it->path())) continue;
        const fs::path relative = it->path().lexically_relative(skin);
        if (IsScreenshot(relative)) continue;
        const std::string name = NameOf(relative);
        if (used.contains(name)) continue;
        UnusedFile file{name, {}};
        // The nearest name the windows look for and do not find, within a few slips of the
        // keyboard; the first in the windows' order on a tie. Whole relative names are compared,
        // so a name in the same folder comes nearer than one in another.
        int best = 4;
        for (const std::string& candidate : missing) {
            const int distance = NameDistance(name, candidate);
            if (distance < best) {
                best = distance;
                file.nearest = candidate;
            }
        }
        unused.push_back(std::move(file));
    }
    std::sort(unused.begin(), unused.end(),
              [](const UnusedFile& a, const UnusedFile& b) { return a.name < b.name; });
    return unused;
}

}  // namespace

int NameDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment distance over ASCII-folded bytes.
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = 0; i <= n; ++i) d[i][0] = int(i);
    for (std::size_t j = 0; j <= m; ++j) d[0][j] = int(j);
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const bool same = FoldAscii(a[i - 1]) == FoldAscii(b[j - 1]);
            d[i][j] =
                std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && FoldAscii(a[i - 1]) == FoldAscii(b[j - 2]) &&
                FoldAscii(a[i - 2]) == FoldAscii(b[j - 1])) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[n][m];
}

SkinCheck CheckSkin(const fs::path& skinDir, const WindowSlotTable& slots, std::stop_token stop) {
    // Texts read no file of the skin, and the fonts are the preview's.
    const NoTextsOnThisThread noTexts;
    SkinCheck check;
    check.skin = skinDir;
    const fs::path dir = WithTrailingSeparator(skinDir);
    Checker checker(skinDir);
    std::set<std::string> missingSeen;
    auto remember = [&](const CheckedFile& file, const fs::path& path) {
        std::optional<fs::path> found = ResolvePath(path);
        if (found) {
            if (std::optional<fs::path> relative = InsideSkin(skinDir, *found)) {
                checker.onDisk.insert(NameOf(*relative));
            }
        }
        if (file.state == FileState::Missing && missingSeen.insert(Folded(file.name)).second) {
            checker.missing.push_back(file.name);
        }
    };

    const fs::path chip = dir / "colorchip.bmp";
    {
        Recorder::Use use{chip, ColourChipPurpose()};
        CheckedFile file = checker.Check(use, 0, 0);
        file.cutRight = file.cutBottom = 0;
        remember(file, chip);
        check.shared.push_back(std::move(file));
    }

    MemoryPreviewPane pane(1024, 1024);
    const ColorChip colours = mdlMain::LoadColorChip(dir).value_or(ColorChip{});
    for (const WindowSlot& slot : slots) {
        if (slot.number == 1) continue;
        if (stop.stop_requested()) return check;
        Recorder recorder;
        std::unique_ptr<clsTessarymInterface> window = slot.create();
        RECT size{};
        {
            Listening listening(recorder);
            window->ClassInitialize(pane, dir, colours);
            size = window->getDrawRect();
            (void)window->Refresh();
        }
        KindCheck kind{slot.number, slot.kind, slot.label, size.Right, size.Bottom, {}};
        for (const Recorder::Use& use : recorder.Uses()) {
            if (stop.stop_requested()) return check;
            if (!checker.Inside(use.path) || use.path.lexically_normal() == chip.lexically_normal())
                continue;
            CheckedFile file = checker.Check(use, size.Right, size.Bottom);
            remember(file, use.path);
            kind.files.push_back(std::move(file));
        }
        check.kinds.push_back(std::move(kind));
    }
    if (stop.stop_requested()) return check;
    check.unused = FindUnused(skinDir, checker.onDisk, checker.missing);
    return check;
}

namespace {

// Every distinct file of the check once, the first entry of its name.
std::vector<const CheckedFile*> Distinct(const SkinCheck& check) {
    std::vector<const CheckedFile*> files;
    std::set<std::string> seen;
    auto add = [&](const CheckedFile& file) {
        if (seen.insert(Folded(file.name)).second) files.push_back(&file);
    };
    for (const CheckedFile& file : check.shared) add(file);
    for (const KindCheck& kind : check.kinds) {
        for (const CheckedFile& file : kind.files) add(file);
    }
    return files;
}

}  // namespace

int SkinCheck::FilesRead() const {
    return int(Distinct(*this).size());
}

int SkinCheck::Count(FileState state) const {
    const auto files = Distinct(*this);
    return int(std::count_if(files.begin(), files.end(),
                             [&](const CheckedFile* file) { return file->state == state; }));
}

// A file cut off in one window counts once, as do gaps and case-only matches.
int SkinCheck::CutOff() const {
    std::set<std::string> names;
    for (const KindCheck& kind : kinds) {
        for (const CheckedFile& file : kind.files) {
            if (file.cutRight > 0 || file.cutBottom > 0) names.insert(Folded(file.name));
        }
    }
    return int(names.size());
}

int SkinCheck::Gaps() const {
    std::set<std::string> names;
    for (const KindCheck& kind : kinds) {
        for (const CheckedFile& file : kind.files) {
            if (file.gapRight > 0 || file.gapBottom > 0) names.insert(Folded(file.name));
        }
    }
    return int(names.size());
}

int SkinCheck::CaseOnly() const {
    const auto files = Distinct(*this);
    return int(std::count_if(files.begin(), files.end(),
                             [](const CheckedFile* file) { return !file->caseOnly.empty(); }));
}

namespace {

std::string_view StateWord(FileState state) {
    switch (state) {
        case FileState::Present:
            return "present";
        case FileState::Missing:
            return "missing";
        case FileState::Unreadable:
            return "unreadable";
    }
    return "";
}

// "12 px at the right and 3 px at the bottom"
std::string Sides(int right, int bottom) {
    std::string text;
    if (right > 0) text += std::to_string(right) + " px at the right";
    if (right > 0 && bottom > 0) text += " and ";
    if (bottom > 0) text += std::to_string(bottom) + " px at the bottom";
    return text;
}

// The findings of a file after its purpose, each after "; ".
std::string Findings(const CheckedFile& file) {
    std::string text;
    if (file.state == FileState::Unreadable) text += "; " + file.reason;
    if (!file.caseOnly.empty()) {
        text += "; found only as '" + file.caseOnly +
                "', which differs in case: systems that tell case apart miss it";
    }
    if (file.cutRight > 0 || file.cutBottom > 0) {
        text += "; cut off by " + Sides(file.cutRight, file.cutBottom);
    }
    if (file.gapRight > 0 || file.gapBottom > 0) {
        text += "; leaves a gap of " + Sides(file.gapRight, file.gapBottom);
    }
    return text;
}

void TextLine(std::ostringstream& out, const CheckedFile& file) {
    std::string state(StateWord(file.state));
    state.resize(12, ' ');
    out << "  " << state << file.name;
    if (file.state == FileState::Present) out << " (" << file.width << " x " << file.height << ")";
    out << ": " << file.purpose << Findings(file) << "\n";
}

std::string Plural(int count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string SkinCheckText(const SkinCheck& check) {
    std::ostringstream out;
    out << "Skin check of " << platform::DisplayText(check.skin) << "\n\n";
    out << "Every window\n";
    for (const CheckedFile& file : check.shared) TextLine(out, file);
    for (const KindCheck& kind : check.kinds) {
        out << "\n"
            << kind.kind << ": " << kind.label << " (" << kind.width << " x " << kind.height
            << ")\n";
        for (const CheckedFile& file : kind.files) TextLine(out, file);
    }
    out << "\nFiles no window reads\n";
    if (check.unused.empty()) out << "  none\n";
    for (const UnusedFile& file : check.unused) {
        out << "  " << file.name;
        if (!file.nearest.empty()) out << " (nearest expected name: " << file.nearest << ")";
        out << "\n";
    }
    out << "\n"
        << Plural(check.FilesRead(), "file read: ", "files read: ")
        << check.Count(FileState::Present) << " present, " << check.Count(FileState::Missing)
        << " missing, " << check.Count(FileState::Unreadable) << " unreadable; " << check.CutOff()
        << " cut off, " << Plural(check.Gaps(), "gap", "gaps") << ", "
        << Plural(check.CaseOnly(), "case-only match", "case-only matches") << ", "
        << Plural(int(check.unused.size()), "unused file", "unused files") << ".\n";
    return out.str();
}

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonFile(std::ostringstream& out, const CheckedFile& file, std::string_view indent) {
    out << indent << "{\"name\": " << JsonString(file.name)
        << ", \"purpose\": " << JsonString(file.purpose)
        << ", \"state\": " << JsonString(StateWord(file.state));
    if (file.state == FileState::Unreadable) out << ", \"reason\": " << JsonString(file.reason);
    if (file.state == FileState::Present) {
        out << ", \"width\": " << file.width << ", \"height\": " << file.height;
    }
    if (!file.caseOnly.empty()) out << ", \"caseOnly\": " << JsonString(file.caseOnly);
    if (file.cutRight > 0) out << ", \"cutOffRight\": " << file.cutRight;
    if (file.cutBottom > 0) out << ", \"cutOffBottom\": " << file.cutBottom;
    if (file.gapRight > 0) out << ", \"gapRight\": " << file.gapRight;
    if (file.gapBottom > 0) out << ", \"gapBottom\": " << file.gapBottom;
    out << "}";
}

template <class List, class Write>
void JsonList(std::ostringstream& out, const List& list, Write write) {
    out << "[";
    bool first = true;
    for (const auto& item : list) {
        out << (first ? "\n" : ",\n");
        write(item);
        first = false;
    }
    out << "]";
}

}  // namespace

std::string SkinCheckJson(const SkinCheck& check) {
    std::ostringstream out;
    out << "{\n  \"skin\": " << JsonString(platform::DisplayText(check.skin))
        << ",\n  \"ok\": " << (check.HasProblems() ? "false" : "true") << ",\n  \"shared\": ";
    JsonList(out, check.shared, [&](const CheckedFile& file) { JsonFile(out, file, "    "); });
    out << ",\n  \"kinds\": ";
    JsonList(out, check.kinds, [&](const KindCheck& kind) {
        out << "    {\"kind\": " << JsonString(kind.kind)
            << ", \"label\": " << JsonString(kind.label) << ", \"width\": " << kind.width
            << ", \"height\": " << kind.height << ", \"files\": ";
        JsonList(out, kind.files, [&](const CheckedFile& file) { JsonFile(out, file, "      "); });
        out << "}";
    });
    out << ",\n  \"unused\": ";
    JsonList(out, check.unused, [&](const UnusedFile& file) {
        out << "    {\"name\": " << JsonString(file.name);
        if (!file.nearest.empty()) out << ", \"nearest\": " << JsonString(file.nearest);
        out << "}";
    });
    out << ",\n  \"summary\": {\"files\": " << check.FilesRead()
        << ", \"present\": " << check.Count(FileState::Present)
        << ", \"missing\": " << check.Count(FileState::Missing)
        << ", \"unreadable\": " << check.Count(FileState::Unreadable)
        << ", \"cutOff\": " << check.CutOff() << ", \"gaps\": " << check.Gaps()
        << ", \"caseOnly\": " << check.CaseOnly() << ", \"unused\": " << check.unused.size()
        << "}\n}\n";
    return out.str();
}

}  // namespace morvish
