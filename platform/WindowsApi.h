#pragma once
// <windows.h> for the Windows sources of Morvish. Every Windows source includes this header rather
// than <windows.h> itself, so that the macros the Windows headers define over names this program
// also uses are undone in one place: RGB is the colour helper of render/Types.h and DrawText a
// surface operation. Windows functions whose names are such macros are called by their explicit
// wide names (DrawTextW).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#undef RGB
#undef DrawText

#include <string>
#include <string_view>

namespace morvish::platform {

// Text at the Windows API's boundary: UTF-8 inside the program, UTF-16 in the API.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace morvish::platform
