// The desktop program morvish.

#include "app/qt/StartUp.h"

int main(int argc, char** argv) {
    return morvish::mdlMain::Main(argc, argv);
}
