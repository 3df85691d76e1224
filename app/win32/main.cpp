// The desktop program morvish.exe.

#include "app/win32/frmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return morvish::win32::Main();
}
