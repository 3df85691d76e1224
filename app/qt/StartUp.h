#pragma once
// Start-up of the Qt program: the main window is created, the surface layer bound to its native
// window, and then the window shown and its settings restored (MainController::StartUp).

#include <cstdint>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "app/SettingsFolder.h"
#include "frmMain.h"

namespace morvish::mdlMain {

// Initialises the surface layer for a native window; false when it cannot be set up.
using SurfaceLayerStart = std::function<bool(std::uintptr_t windowHandle)>;

// The main window, shown with its settings restored; nothing when the surface layer could not be
// set up (the user has been told, and the program is to end without showing its window).
std::unique_ptr<frmMain> StartUp(Dialogs& dialogs, SettingsFolder settings,
                                 const SurfaceLayerStart& startSurfaceLayer);

// The program: start-up with the real dialogs, folders and surface layer, then the event loop
// until the main window closes.
int Main(int argc, char** argv);

}  // namespace morvish::mdlMain
