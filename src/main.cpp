#include "app/Application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Application::configure();
    // The game reads and writes its data files in the working directory.
    Application windows;
    windows.start();
    return app.exec();
}
