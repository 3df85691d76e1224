// Interim: no faces until the FreeType renderer lands.
#include "SkinFont.h"

namespace morvish {

const SkinFont* FindSkinFont(FontFace, int) { return nullptr; }
std::string MissingFontReport() { return {}; }

}  // namespace morvish
