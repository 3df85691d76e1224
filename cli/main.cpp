// morvish-render: draws a window of a skin, after scripted mouse events, to a PNG file.

#include <iostream>
#include <iterator>
#include <sstream>

#include "ContactSheet.h"
#include "RenderScript.h"
#include "platform/Platform.h"
#include "render/FileLookup.h"
#include "render/PngFile.h"
#include "render/SkinCheck.h"
#include "render/SkinFont.h"
#include "windows/WindowSlots.h"

using namespace morvish;

namespace {

constexpr int kDrawingFailed = 1;
constexpr int kBadUsage = 2;

int Usage(const std::string& message) {
    std::cerr << "morvish-render: " << message << "\n"
              << "Try 'morvish-render --help'.\n";
    return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
    Result<cli::RenderOptions> options =
        cli::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) return Usage(options.error().message);
    if (options->help) {
        std::cout << cli::UsageText();
        return 0;
    }
    if (options->task == cli::Task::Sheet) return cli::RunSheet(*options);
    if (!DirectoryExists(options->skinDir)) {
        return Usage("skin folder '" + platform::DisplayText(options->skinDir) +
                     "' does not exist");
    }
    if (options->task == cli::Task::Check) {
        const SkinCheck check = CheckSkin(options->skinDir, kWindowSlots);
        std::cout << (options->json ? SkinCheckJson(check) : SkinCheckText(check));
        return check.HasProblems() ? kDrawingFailed : 0;
    }
    if (options->task == cli::Task::AllKinds) return cli::RunAllKinds(*options);

    std::vector<cli::RenderEvent> events;
    if (options->eventsFile) {
        std::string script;
        if (*options->eventsFile == "-") {
            script.assign(std::istreambuf_iterator<char>(std::cin), {});
        } else {
            Result<std::string> read = platform::ReadRegularFile(*options->eventsFile);
            if (!read) return Usage("events file " + read.error().message);
            script = std::move(*read);
        }
        Result<std::vector<cli::RenderEvent>> parsed = cli::ParseEvents(script);
        if (!parsed) {
            return Usage(platform::DisplayText(*options->eventsFile) + ": " +
                         parsed.error().message);
        }
        events = std::move(*parsed);
    }

    if (std::string missing = MissingFontReport(); !missing.empty()) {
        std::cerr << "morvish-render: " << missing << " Texts are left out.\n";
    }
    Result<Bitmap> picture = cli::Render(*options, events);
    if (!picture) {
        std::cerr << "morvish-render: " << picture.error().message << "\n";
        return kDrawingFailed;
    }
    if (Result<void> written = WritePng(*picture, options->output); !written) {
        std::cerr << "morvish-render: " << written.error().message << "\n";
        return kDrawingFailed;
    }
    return 0;
}
