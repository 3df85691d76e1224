#include "StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "render/SkinFont.h"
#include "render/clsDirectDraw.h"

namespace morvish::mdlMain {

std::unique_ptr<frmMain> StartUp(Dialogs& dialogs, SettingsFolder settings,
                                 const SurfaceLayerStart& startSurfaceLayer) {
    auto form = std::make_unique<frmMain>(dialogs, std::move(settings));
    // The native window is created here, before the window is shown.
    if (!startSurfaceLayer(std::uintptr_t(form->winId()))) {
        dialogs.Message(nullptr, MessageIcon::Critical, "DirectX初期化エラー",
                        "DirectXの初期化に失敗しました");
        return nullptr;
    }
    form->show();
    form->LoadSetting();
    if (const std::string missing = MissingFontReport(); !missing.empty()) {
        form->ReportProblem(missing);
    }
    return form;
}

int Main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("morvish");
    QApplication::setApplicationVersion(MORVISH_VERSION);
    QGuiApplication::setDesktopFileName("org.morvish.Morvish");
    // The program speaks Japanese whatever the desktop's language: so do Qt's own buttons.
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    QtDialogs dialogs;
    std::unique_ptr<frmMain> form =
        StartUp(dialogs, SettingsFolder::ForThisProgram(),
                [](std::uintptr_t handle) { return gDirectDraw.ClassInitialize(handle); });
    if (!form) return 1;
    return application.exec();
}

}  // namespace morvish::mdlMain
