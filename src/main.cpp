#include "ui/Application.h"
#include "ui/look/WindowScale.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <thread>

int main(int argc, char *argv[])
{
    // Reading the system's font configuration is the longest step before the first frame:
    // it runs on another core while the application connects to the display.
    std::thread fontConfiguration([] { FcInit(); });
    WindowScale::applyAtStart(argc, argv);
    QApplication app(argc, argv);
    Application::configure();
    fontConfiguration.join();
    // The game reads and writes its data files in the working directory.
    Application windows;
    windows.start();
    return app.exec();
}
