#include "PictureCache.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "BmpDecoder.h"
#include "DirectDrawSurface7.h"
#include "FileLookup.h"
#include "PixelRows.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace morvish {

namespace {

using platform::FileIdentity;

// Names are kept in the system's own form: bytes on Linux, UTF-16 on Windows.
using Name = fs::path::string_type;

// A file or folder whose last change lies closer than this to the moment it was read may have
// changed again within the same tick of the file system's clock without its times showing it.
// Linux stamps files from a clock that ticks every few milliseconds; FAT keeps two seconds.
constexpr std::int64_t kDefaultTolerance = 3'000'000'000;

// What a cache that is full keeps when it makes room: this share of its bounds, so that it does
// not make room again at the very next picture.
constexpr std::size_t kKeepPercent = 90;

#if defined(MORVISH_NO_PICTURE_CACHE)
constexpr bool kEnabledByDefault = false;
#else
constexpr bool kEnabledByDefault = true;
#endif

PictureCache::Kind KindOf(const std::optional<FileIdentity>& identity) {
    if (!identity) return PictureCache::Kind::Missing;
    return identity->kind == FileIdentity::Kind::File ? PictureCache::Kind::File
                                                      : PictureCache::Kind::Other;
}

// True when the file or folder changed too shortly before `readAt` for its times to be trusted.
bool Untrusted(const FileIdentity& identity, std::int64_t readAt, std::int64_t tolerance) {
    return std::max(identity.modified, identity.changed) >= readAt - tolerance;
}

bool IsBelow(const fs::path& path, const fs::path& folder) {
    const auto [stop, rest] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    // A trailing separator leaves an empty last name in `folder`.
    return stop == folder.end() || (std::next(stop) == folder.end() && stop->empty());
}

}  // namespace

namespace {

// A folder that names in the cache depend on, looked at no more than once a redraw.
struct Folder {
    fs::path path;
    std::optional<FileIdentity> identity;
    std::optional<int> watch;
    std::uint64_t changes = 1;  // counts every change seen; 1 for the first look
    std::uint64_t lookedAt = 0;
    std::size_t users = 0;
};

// A folder an entry depends on, and how many changes of it the entry has seen.
struct Dependency {
    Folder* folder = nullptr;
    std::uint64_t seen = 0;
};

struct Entry {
    // The lookup.
    PictureCache::Kind kind = PictureCache::Kind::Missing;
    fs::path found;
    bool exact = false;  // found under its own name: the file alone decides
    std::optional<FileIdentity> identity;
    std::vector<Dependency> folders;
    std::int64_t resolvedAt = 0;
    bool vouchable = false;  // no link, one name: its folder's reports cover it
    // The picture, once asked for.
    bool loaded = false;
    int limit = 0;
    std::shared_ptr<const Bitmap> picture;
    std::optional<Error> error;
    std::int64_t loadedAt = 0;
    std::size_t bytes = 0;
    std::uint64_t lookedAt = 0;
};

}  // namespace

struct PictureCache::State {
    mutable std::mutex mutex;
    bool enabled = kEnabledByDefault;
    std::size_t maxBytes = kDefaultBytes;
    std::size_t maxEntries = kDefaultEntries;
    std::int64_t tolerance = kDefaultTolerance;
    int depth = 0;
    std::uint64_t redraw = 0;
    // Changes whenever an entry is forgotten: a hint given out since still points at its entry.
    // Drawn from one count for every cache, so that no other cache (one made later where this one
    // was) gives out the same.
    std::uint64_t generation = NewGeneration();

    static std::uint64_t NewGeneration() {
        static std::atomic<std::uint64_t> last{0};
        return ++last;
    }
    std::unordered_map<Name, Entry> entries;
    std::unordered_map<Name, Folder> folders;
    std::unique_ptr<platform::FolderChanges> changes;
    std::size_t bytes = 0;
    Statistics counts;

    // ---- Redraws ---------------------------------------------------------------------------

    void BeginRedraw() {
        ++redraw;
        if (!changes) return;
        const platform::FolderChanges::Seen seen = changes->Collect();
        if (seen.changed.empty() && seen.ended.empty() && !seen.lost) return;
        for (auto& [path, folder] : folders) {
            if (!folder.watch) continue;
            const int watch = *folder.watch;
            if (seen.lost || std::ranges::find(seen.changed, watch) != seen.changed.end()) {
                ++folder.changes;
            }
            if (std::ranges::find(seen.ended, watch) != seen.ended.end()) folder.watch.reset();
        }
    }

    // Outside a redraw every call is one of its own.
    template <class Work>
    auto WithinRedraw(Work work) {
        if (depth == 0) BeginRedraw();
        ++depth;
        auto result = work();
        if (--depth == 0) MakeRoom();
        return result;
    }

    // ---- Folders ---------------------------------------------------------------------------

    Folder* Use(const fs::path& path) {
        auto [at, added] = folders.try_emplace(path.native());
        Folder& folder = at->second;
        if (added) {
            folder.path = path;
            // Watched before it is looked at, so that no change falls between the two.
            if (!changes) changes = std::make_unique<platform::FolderChanges>();
            folder.watch = changes->Watch(path);
            folder.identity = platform::IdentityOf(path);
            folder.lookedAt = redraw;
        }
        ++folder.users;
        return &folder;
    }

    void Release(Folder* folder) {
        if (--folder->users > 0) return;
        if (folder->watch) changes->Unwatch(*folder->watch);
        folders.erase(folder->path.native());
    }

    // Looks at the folder once a redraw: the same folder under its path, or a change.
    void LookAt(Folder& folder) {
        if (folder.lookedAt == redraw) return;
        folder.lookedAt = redraw;
        std::optional<FileIdentity> now = platform::IdentityOf(folder.path);
        if (now == folder.identity) return;
        // Another folder under the path, or none: the watch follows the folder it was given (one
        // moved aside still reports as itself) and speaks no more for what the path names.
        const bool another = !now || !folder.identity || now->device != folder.identity->device ||
                             now->inode != folder.identity->inode;
        folder.identity = std::move(now);
        ++folder.changes;
        if (another && folder.watch) {
            changes->Unwatch(*folder.watch);
            folder.watch.reset();
        }
        // A folder made again under the path is watched again.
        if (!folder.watch && folder.identity) folder.watch = changes->Watch(folder.path);
    }

    // ---- Entries ---------------------------------------------------------------------------

    // True when every folder the entry depends on vouches for it: watched, the same folder under
    // its path, and without a report since the entry was last looked at.
    bool Vouched(Entry& entry) {
        if (!entry.vouchable || entry.folders.empty()) return false;
        if (entry.loaded && entry.identity && Untrusted(*entry.identity, entry.loadedAt, tolerance))
            return false;
        for (Dependency& dependency : entry.folders) {
            LookAt(*dependency.folder);
            if (!dependency.folder->watch || dependency.folder->changes != dependency.seen)
                return false;
        }
        return true;
    }

    // True when the lookup still gives what it gave, judged by the file and the folders
    // themselves.
    bool StillHolds(Entry& entry) {
        if (!entry.exact) {
            for (Dependency& dependency : entry.folders) {
                Folder& folder = *dependency.folder;
                LookAt(folder);
                if (folder.changes != dependency.seen || !folder.identity ||
                    Untrusted(*folder.identity, entry.resolvedAt, tolerance)) {
                    return false;
                }
            }
            if (entry.kind == Kind::Missing) return true;
        }
        const std::optional<FileIdentity> now = platform::IdentityOf(entry.found);
        if (KindOf(now) != entry.kind) return false;
        return entry.kind != Kind::File || now == entry.identity;
    }

    void Resolve(const Name& key, Entry& entry) {
        ++counts.resolutions;
        entry.resolvedAt = platform::FileClockNow();
        const fs::path requested(key);
        std::vector<fs::path> consulted;
        std::optional<FileIdentity> identity = platform::IdentityOf(requested);
        std::optional<fs::path> found;
        if (identity) {
            found = requested;
        } else {
            found = ResolvePath(requested, consulted);
            if (found) identity = platform::IdentityOf(*found);
        }

        const bool sameFile = entry.kind == Kind::File && KindOf(identity) == Kind::File && found &&
                              *found == entry.found && identity == entry.identity;
        if (!sameFile) Unload(entry);
        entry.kind = KindOf(identity);
        entry.found = found.value_or(fs::path());
        entry.exact = found && consulted.empty();
        entry.identity = entry.kind == Kind::File ? identity : std::nullopt;
        entry.vouchable =
            entry.kind != Kind::File || (identity->links == 1 && !platform::IsLink(entry.found));

        // The folders that vouch for an exact name: the one it is in. Folders seen for the first
        // time now are watched after the lookup, so they vouch only once the entry has been
        // looked at again.
        if (entry.exact) consulted.push_back(entry.found.parent_path());
        std::vector<Dependency> folders;
        for (const fs::path& path : consulted) {
            const bool known = this->folders.contains(path.native());
            Folder* folder = Use(path);
            folders.push_back({folder, known ? folder->changes : 0});
        }
        for (Dependency& old : entry.folders) Release(old.folder);
        entry.folders = std::move(folders);
    }

    void Unload(Entry& entry) {
        if (!entry.loaded) return;
        bytes -= entry.bytes;
        entry.loaded = false;
        entry.picture.reset();
        entry.error.reset();
        entry.bytes = 0;
    }

    // The entry of a name, looked at once in this redraw; through the hint when it holds, and the
    // hint set to it.
    Entry& Current(const fs::path& path, PictureCache::Hint* hint = nullptr) {
        using Node = std::unordered_map<Name, Entry>::value_type;
        Node* node = nullptr;
        if (hint != nullptr && hint->cache == this && hint->generation == generation &&
            hint->entry != nullptr && static_cast<Node*>(hint->entry)->first == path.native()) {
            node = static_cast<Node*>(hint->entry);
            Look(node->first, node->second, false);
            return node->second;
        }
        auto [at, added] = entries.try_emplace(path.native());
        node = &*at;
        Look(node->first, node->second, added);
        if (hint != nullptr) *hint = PictureCache::Hint{this, generation, node};
        return node->second;
    }

    void Look(const Name& key, Entry& entry, bool added) {
        if (added) {
            Resolve(key, entry);
        } else if (entry.lookedAt != redraw && !Vouched(entry)) {
            if (StillHolds(entry)) {
                // Checked now, after this redraw's reports: later reports count from here.
                for (Dependency& dependency : entry.folders)
                    dependency.seen = dependency.folder->changes;
            } else {
                Resolve(key, entry);
            }
            if (entry.loaded && entry.identity &&
                Untrusted(*entry.identity, entry.loadedAt, tolerance))
                Unload(entry);
        }
        entry.lookedAt = redraw;
    }

    Result<std::shared_ptr<const Bitmap>> Picture(Entry& entry, int maxDimension) {
        if (entry.kind != Kind::File) return nullptr;
        if (entry.loaded && entry.limit == maxDimension) {
            if (entry.error) return std::unexpected(*entry.error);
            return entry.picture;
        }
        Unload(entry);
        ++counts.decodes;
        // The clock is read before the file: a change after this moment stamps a later time.
        entry.loadedAt = platform::FileClockNow();
        entry.loaded = true;
        entry.limit = maxDimension;
        Result<Bitmap> decoded = LoadBmpFile(entry.found, maxDimension);
        if (!decoded) {
            entry.error = decoded.error();
            return std::unexpected(decoded.error());
        }
        // Skin pieces are drawn keyed, again and again: where the key lies is worked out once.
        decoded->opaque = FindOpaqueRuns(*decoded, kColorKey);
        entry.bytes =
            decoded->pixels.size() * sizeof(std::uint32_t) +
            (decoded->opaque->runs.size() + decoded->opaque->first.size()) * sizeof(std::uint32_t);
        bytes += entry.bytes;
        entry.picture = std::make_shared<const Bitmap>(std::move(*decoded));
        return entry.picture;
    }

    // ---- Room ------------------------------------------------------------------------------

    void Remove(std::unordered_map<Name, Entry>::iterator at) {
        generation = NewGeneration();
        Unload(at->second);
        for (Dependency& dependency : at->second.folders) Release(dependency.folder);
        entries.erase(at);
    }

    // Forgets what was used longest ago until the cache is within its bounds again.
    void MakeRoom() {
        if (bytes <= maxBytes && entries.size() <= maxEntries) return;
        std::vector<std::pair<std::uint64_t, Name>> byAge;
        byAge.reserve(entries.size());
        for (const auto& [key, entry] : entries) byAge.emplace_back(entry.lookedAt, key);
        std::ranges::sort(byAge);
        const std::size_t keepBytes = maxBytes / 100 * kKeepPercent;
        const std::size_t keepEntries = std::max<std::size_t>(maxEntries / 100 * kKeepPercent, 1);
        for (const auto& [age, key] : byAge) {
            if (bytes <= keepBytes && entries.size() <= keepEntries) break;
            Remove(entries.find(key));
        }
    }

    void Forget(const fs::path& folder) {
        for (auto at = entries.begin(); at != entries.end();) {
            const auto next = std::next(at);
            if (IsBelow(fs::path(at->first), folder) || IsBelow(at->second.found, folder))
                Remove(at);
            at = next;
        }
    }

    void Clear() {
        while (!entries.empty()) Remove(entries.begin());
    }
};

PictureCache gPictureCache;

PictureCache::PictureCache() : state_(std::make_unique<State>()) {}
PictureCache::~PictureCache() = default;

void PictureCache::SetEnabled(bool enabled) {
    std::lock_guard lock(state_->mutex);
    state_->Clear();
    state_->enabled = enabled;
}

bool PictureCache::Enabled() const {
    std::lock_guard lock(state_->mutex);
    return state_->enabled;
}

PictureCache::Found PictureCache::Find(const fs::path& path) {
    std::lock_guard lock(state_->mutex);
    if (!state_->enabled) {
        ++state_->counts.resolutions;
        std::optional<fs::path> found = ResolvePath(path);
        if (!found) return {};
        return Found{KindOf(platform::IdentityOf(*found)), *found};
    }
    if (path.empty()) return {};
    return state_->WithinRedraw([&] {
        const Entry& entry = state_->Current(path);
        return Found{entry.kind, entry.found};
    });
}

PictureCache::Kind PictureCache::FindKind(const fs::path& path) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->enabled) {
            if (path.empty()) return Kind::Missing;
            return state_->WithinRedraw([&] { return state_->Current(path).kind; });
        }
    }
    return Find(path).kind;
}

Result<std::shared_ptr<const Bitmap>> PictureCache::Load(const fs::path& path, int maxDimension) {
    Hint none;
    return Load(path, maxDimension, none);
}

Result<std::shared_ptr<const Bitmap>> PictureCache::Load(const fs::path& path, int maxDimension,
                                                         Hint& hint) {
    std::lock_guard lock(state_->mutex);
    if (!state_->enabled) {
        std::optional<fs::path> found = ResolvePath(path);
        ++state_->counts.resolutions;
        if (!found || KindOf(platform::IdentityOf(*found)) != Kind::File) return nullptr;
        ++state_->counts.decodes;
        Result<Bitmap> decoded = LoadBmpFile(*found, maxDimension);
        if (!decoded) return std::unexpected(decoded.error());
        return std::make_shared<const Bitmap>(std::move(*decoded));
    }
    if (path.empty()) return nullptr;
    return state_->WithinRedraw(
        [&] { return state_->Picture(state_->Current(path, &hint), maxDimension); });
}

void PictureCache::Forget(const fs::path& folder) {
    std::lock_guard lock(state_->mutex);
    state_->Forget(folder);
}

void PictureCache::Clear() {
    std::lock_guard lock(state_->mutex);
    state_->Clear();
}

void PictureCache::SetLimits(std::size_t bytes, std::size_t entries) {
    std::lock_guard lock(state_->mutex);
    state_->maxBytes = std::max<std::size_t>(bytes, 1);
    state_->maxEntries = std::max<std::size_t>(entries, 1);
    if (state_->depth == 0) state_->MakeRoom();
}

void PictureCache::SetTolerance(std::chrono::nanoseconds tolerance) {
    std::lock_guard lock(state_->mutex);
    state_->tolerance = std::max<std::int64_t>(tolerance.count(), 0);
}

PictureCache::Statistics PictureCache::Counts() const {
    std::lock_guard lock(state_->mutex);
    Statistics counts = state_->counts;
    counts.bytes = state_->bytes;
    counts.entries = state_->entries.size();
    counts.watchedFolders = std::size_t(std::ranges::count_if(
        state_->folders, [](const auto& folder) { return folder.second.watch.has_value(); }));
    return counts;
}

PictureCache::Redraw::Redraw(PictureCache& cache) : cache_(cache) {
    std::lock_guard lock(cache_.state_->mutex);
    if (cache_.state_->depth++ == 0) cache_.state_->BeginRedraw();
}

PictureCache::Redraw::Redraw() : Redraw(gPictureCache) {}

PictureCache::Redraw::~Redraw() {
    std::lock_guard lock(cache_.state_->mutex);
    if (--cache_.state_->depth == 0) cache_.state_->MakeRoom();
}

}  // namespace morvish
