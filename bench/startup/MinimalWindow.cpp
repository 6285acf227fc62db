// The yardstick for start-up: a Qt Widgets program that maps one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(792, 566);
    window.show();
    return app.exec();
}
