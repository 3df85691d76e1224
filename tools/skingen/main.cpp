// morvish-skingen: writes the demo skins and the sample pictures.
//
//   morvish-skingen OUTPUT_DIR [--root-list FILE]
//
// OUTPUT_DIR receives graphic/ and skins/ (parchment, nightfall, broken). With --root-list, FILE
// is created naming OUTPUT_DIR/skins/ unless it exists already.

#include <cstdio>
#include <string>

#include "DemoSkins.h"

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--root-list")) {
        std::fprintf(stderr, "usage: morvish-skingen OUTPUT_DIR [--root-list FILE]\n");
        return 2;
    }
    const std::filesystem::path output = argv[1];
    if (auto generated = morvish::skingen::GenerateAll(output); !generated) {
        std::fprintf(stderr, "morvish-skingen: %s\n", generated.error().message.c_str());
        return 1;
    }
    if (argc == 4) {
        auto written = morvish::skingen::WriteRootListIfMissing(argv[3], output / "skins");
        if (!written) {
            std::fprintf(stderr, "morvish-skingen: %s\n", written.error().message.c_str());
            return 1;
        }
    }
    return 0;
}
