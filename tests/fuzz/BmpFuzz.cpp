// libFuzzer entry point: any bytes through the BMP decoder, which must refuse them with a reason or
// decode them into a complete picture, without touching memory outside the input.
#include <cstdlib>

#include "render/BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const morvish::Result<morvish::Bitmap> bitmap = morvish::DecodeBmp({data, size});
    if (bitmap && bitmap->pixels.size() != std::size_t(bitmap->width) * std::size_t(bitmap->height))
        std::abort();
    if (!bitmap && bitmap.error().message.empty()) std::abort();
    return 0;
}
