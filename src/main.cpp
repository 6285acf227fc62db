#include "ui/Application.h"
#include "ui/StartOptions.h"
#include "ui/look/WindowScale.h"

#include <QApplication>
#include <QDBusConnection>
#include <QThread>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <future>
#include <thread>

int main(int argc, char *argv[])
{
    const StartOptions options = StartOptions::read(argc, argv);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "zybkotsepye: %s\n", options.error.toLocal8Bit().constData());
        return 2;
    }
    WindowScale::applyAtStart(argc, argv);
    // Two slow steps run on another core while the application connects to the display:
    // reading the system's font configuration, then connecting to the session bus, which Qt
    // and its accessibility layer ask for before the first frame. Where there is no bus yet,
    // connecting starts one, which takes several milliseconds.
    // Qt takes the first thread that uses it for its main thread: this one, before the helper.
    QThread::currentThread();
    std::promise<void> fontConfigurationRead;
    std::thread ahead([&fontConfigurationRead] {
        FcInit();
        fontConfigurationRead.set_value();
        QDBusConnection::sessionBus();
    });
    QApplication app(argc, argv);
    Application::configure();
    fontConfigurationRead.get_future().wait();
    // The game reads and writes its data files in the working directory.
    Application windows(QDir::current(), options.random());
    windows.start();
    const int result = app.exec();
    ahead.join();
    return result;
}
