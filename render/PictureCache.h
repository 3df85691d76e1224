#pragma once
// Skin pictures decoded once and used again at every redraw while their files are unchanged,
// with the answers of the piece rule's lookups (is there such a file, and which file on disk does
// a skin's name mean in another case). Every window of every skin manager shares the one cache.
//
// What is kept stays only while what it was read from is the same: a picture while its file has
// the same identity (the same file on disk, the same size, the same times of change), a lookup
// while the folders that decided it have. A file whose times lie within a moment of when it was
// read could have been written again within the same tick of the file system's clock; it is read
// again at every use until it has been read once well after its last change. So a picture
// changed, removed, added, renamed over or renamed to another case shows at the next redraw, as
// when every redraw reads every file.
//
// Looking at every file at every redraw would cost one system call per piece. Where the system
// reports every change to a folder (a local disk), a folder that has reported none since a file
// in it was last looked at, and that is still the same folder under the same path, vouches for
// its files; the reports are collected once at the start of each redraw. Files that are links or
// have more than one name (a change through another name is reported in another folder), and
// folders on network or user-space file systems, are looked at every time.
//
// Memory is bounded: at most kDefaultBytes of decoded pixels and kDefaultEntries names; what was
// used longest ago goes first. Nothing is read before a window is drawn, so the number of skins
// in the tree does not count, only the skins drawn lately: a tree of 1,000 skins costs the cache
// nothing until they are looked at, and then it keeps the pieces of the few dozen skins looked at
// last, while the names (a few hundred bytes each) stay within about 10 MiB.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "Bitmap.h"
#include "Types.h"

namespace morvish {

class PictureCache {
  public:
    // The decoded pixels of a few dozen skins (one skin's pieces decode to 1 to 3 MiB: the
    // pieces are the game's window parts, whose sizes the game fixes), and the names of as many.
    static constexpr std::size_t kDefaultBytes = std::size_t(64) << 20;
    static constexpr std::size_t kDefaultEntries = 32768;

    PictureCache();
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // On, what was read is kept; off, every call reads the disk, as the original program did at
    // every redraw. Switching forgets everything. On unless the build chose otherwise
    // (MORVISH_PICTURE_CACHE=OFF).
    void SetEnabled(bool enabled);
    bool Enabled() const;

    enum class Kind { Missing, File, Other };
    struct Found {
        Kind kind = Kind::Missing;
        std::filesystem::path path;  // the entry on disk (ResolvePath), when there is one
    };
    // What a skin's name finds on disk: nothing, a regular file, or something else (a folder).
    Found Find(const std::filesystem::path& path);
    // Find's kind alone, without a copy of the entry's path: the piece rule asks it at every
    // redraw.
    Kind FindKind(const std::filesystem::path& path);

    // The picture of the file `path` names, decoded with the limit `maxDimension`: null when
    // there is no such regular file, an error naming the file when it cannot be read or decoded.
    // The picture is shared: nobody changes it.
    Result<std::shared_ptr<const Bitmap>> Load(const std::filesystem::path& path, int maxDimension);

    // Where a name was kept when it was last asked for, held by whoever asks for it again and
    // again (an element of a window): the next Load goes straight to the entry instead of looking
    // the name up, as long as the cache has forgotten nothing since. Any value is safe to pass.
    struct Hint {
        const void* cache = nullptr;
        std::uint64_t generation = 0;
        void* entry = nullptr;
    };
    Result<std::shared_ptr<const Bitmap>> Load(const std::filesystem::path& path, int maxDimension,
                                               Hint& hint);

    // Forgets everything read from `folder` or below it: read again at its next use. For changes
    // the file's identity cannot show (see the desktop program's folder watcher).
    void Forget(const std::filesystem::path& folder);
    void Clear();

    // Bounds on decoded bytes and on names kept; both at least 1.
    void SetLimits(std::size_t bytes, std::size_t entries);

    // How close to the moment it was read a file's last change may lie before the file is read
    // again at its next use: three seconds, more than any file system's clock tick (FAT counts in
    // two seconds). Tests that know their files are not written again shorten it.
    void SetTolerance(std::chrono::nanoseconds tolerance);

    struct Statistics {
        std::uint64_t decodes = 0;      // files read and decoded
        std::uint64_t resolutions = 0;  // names looked up on disk (exactly or in another case)
        std::size_t bytes = 0;          // decoded pixels held now
        std::size_t entries = 0;        // names held now
        std::size_t watchedFolders = 0;
    };
    Statistics Counts() const;

    // One redraw: while one is open (they nest), each name is looked at once, and the folders'
    // reports are collected once, when the outermost opens. Outside a redraw every call looks.
    class Redraw {
      public:
        explicit Redraw(PictureCache& cache);
        Redraw();  // of the program's cache
        ~Redraw();
        Redraw(const Redraw&) = delete;
        Redraw& operator=(const Redraw&) = delete;

      private:
        PictureCache& cache_;
    };

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The program's one picture cache.
extern PictureCache gPictureCache;

}  // namespace morvish
