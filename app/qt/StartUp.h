#pragma once
// Start-up of the desktop program: the surface layer first, bound to the main window; then the
// main window is shown and its settings are restored.

#include <cstdint>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "app/SettingsFolder.h"
#include "frmMain.h"

namespace morvish::mdlMain {

// Initialises the surface layer for a native window; false when it cannot be set up.
using SurfaceLayerStart = std::function<bool(std::uintptr_t windowHandle)>;

// Creates the main window, initialises the surface layer with its window handle and, when that
// works, shows the window and loads its settings. When it fails the user is told so in a message
// box and nothing is returned: the program is to end without showing its window.
std::unique_ptr<frmMain> StartUp(Dialogs& dialogs, SettingsFolder settings,
                                 const SurfaceLayerStart& startSurfaceLayer);

// The program: start-up with the real dialogs, folders and surface layer, then the event loop
// until the main window closes.
int Main(int argc, char** argv);

}  // namespace morvish::mdlMain
