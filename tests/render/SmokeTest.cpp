#include <gtest/gtest.h>

#include "render/DirectDrawSurface7.h"

namespace morvish {
namespace {

TEST(Smoke, SurfaceStartsBlack) {
    DirectDrawSurface7 surface(2, 2);
    EXPECT_EQ(surface.Pixel(1, 1), 0u);
}

}  // namespace
}  // namespace morvish
