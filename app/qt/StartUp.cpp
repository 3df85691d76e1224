#include "StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "render/clsDirectDraw.h"

namespace morvish::mdlMain {

std::unique_ptr<frmMain> StartUp(Dialogs& dialogs, SettingsFolder settings,
                                 const SurfaceLayerStart& startSurfaceLayer) {
    auto form = std::make_unique<frmMain>(dialogs, std::move(settings));
    // The native window is created here, before the window is shown.
    const bool started =
        form->Logic().StartUp([&] { return startSurfaceLayer(std::uintptr_t(form->winId())); });
    if (!started) return nullptr;
    return form;
}

int Main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("morvish");
    QApplication::setApplicationVersion(MORVISH_VERSION);
    QGuiApplication::setDesktopFileName("org.morvish.Morvish");
    QtDialogs dialogs;
    std::unique_ptr<frmMain> form =
        StartUp(dialogs, SettingsFolder::ForThisProgram(),
                [](std::uintptr_t handle) { return gDirectDraw.ClassInitialize(handle); });
    if (!form) return 1;
    return application.exec();
}

}  // namespace morvish::mdlMain
