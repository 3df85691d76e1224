// The settings file "Quorel.ini" as the program writes it key by key, and the skin root list as
// it reads it: what a link, a file mode, a pipe, two windows saving at once and a NUL byte did.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/IniFile.h"
#include "app/Settings.h"
#include "app/SkinRootList.h"
#include "app/mdlWinAPI.h"
#include "support/Fifo.h"
#include "support/FixtureSkin.h"

namespace morvish {
namespace {

namespace fs = std::filesystem;
using mdlWinAPI::kIniInteger;
using mdlWinAPI::kIniString;
using mdlWinAPI::ReadIniValue;
using mdlWinAPI::WriteIniValue;
using test::ScratchFolder;

// A Quorel.ini that is a link to a file kept elsewhere stays a link, and one the user made
// private stays private: each write replaces the file the link leads to and keeps its mode.
TEST(SettingsFile, WritesGoThroughALinkAndKeepTheFileMode) {
    ScratchFolder folder;
    folder.Write("config/Quorel.ini", "[General]\r\nRODir=/games/ro\r\n");
    fs::permissions(folder / "config/Quorel.ini", fs::perms(0600));
    fs::create_symlink(folder / "config/Quorel.ini", folder / "Quorel.ini");

    ASSERT_TRUE(WriteIniValue(folder / "Quorel.ini", "FORM_MAIN", "STYLE", std::int32_t(2)));
    ASSERT_TRUE(WriteIniValue(folder / "Quorel.ini", "FORM_MAIN", "DIVPOS", std::int32_t(128)));
    EXPECT_TRUE(fs::is_symlink(folder / "Quorel.ini"));
    EXPECT_EQ(fs::status(folder / "config/Quorel.ini").permissions(), fs::perms(0600));
    EXPECT_EQ(folder.Read("config/Quorel.ini"),
              "[General]\r\nRODir=/games/ro\r\n[FORM_MAIN]\r\nSTYLE=2\r\nDIVPOS=128\r\n");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Quorel.ini", "config"}));
    EXPECT_EQ(folder.Names("config"), std::vector<std::string>{"Quorel.ini"});
}

// A Quorel.ini that is a pipe hung the program at exit. Reading gives the defaults, writing is
// refused with a reason, neither waits, and the pipe stays.
TEST(SettingsFile, APipeIsNeitherWaitedOnNorReplaced) {
    ScratchFolder folder;
    const fs::path ini = folder / "Quorel.ini";
    test::MakeFifo(ini);
    mdlWinAPI::IniValue read;
    Result<void> written;
    ASSERT_TRUE(test::ReturnsWithoutWaitingOn(ini, [&] {
        read = ReadIniValue(ini, "FORM_MAIN", "DIVPOS", kIniInteger, "128");
        written = WriteIniValue(ini, "FORM_MAIN", "DIVPOS", std::int32_t(200));
    }));
    EXPECT_EQ(std::get<std::int32_t>(read), 128);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().message, ini.string() + ": not a regular file");
    EXPECT_TRUE(fs::is_fifo(ini));
}

// Two program windows save their settings at once, a thousand times each: with one shared
// temporary name, writes failed. Every write succeeds and the file stays a valid settings file
// whose values are ones that were written.
TEST(SettingsFile, TwoWindowsSavingAtOnceNeverFail) {
    std::error_code error;
    ScratchFolder folder(fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                             : fs::temp_directory_path());
    const fs::path ini = folder / "Quorel.ini";
    ASSERT_TRUE(WriteIniValue(ini, "General", "RODir", std::string("/games/ro")));
    constexpr int kSaves = 1000;
    std::atomic<int> failures = 0;
    const auto save = [&](const char* key) {
        for (std::int32_t value = 1; value <= kSaves; ++value) {
            if (!WriteIniValue(ini, "FORM_MAIN", key, value)) ++failures;
        }
    };
    std::thread first(save, "WIDTH");
    std::thread second(save, "HEIGHT");
    first.join();
    second.join();
    EXPECT_EQ(failures, 0);

    // A write may be based on the file as it was before the other window's last write, so only
    // the window that wrote last is sure to find its own value.
    const IniFile file = IniFile::Parse(folder.Read("Quorel.ini"));
    EXPECT_EQ(file.Get("General", "RODir"), "/games/ro");
    const std::optional<std::string> width = file.Get("FORM_MAIN", "WIDTH");
    const std::optional<std::string> height = file.Get("FORM_MAIN", "HEIGHT");
    EXPECT_TRUE(width == std::to_string(kSaves) || height == std::to_string(kSaves));
    for (const std::optional<std::string>& value : {width, height}) {
        if (!value) continue;
        EXPECT_TRUE(std::stoi(*value) >= 1 && std::stoi(*value) <= kSaves) << *value;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Quorel.ini"});
}

}  // namespace
}  // namespace morvish
