// A second yardstick, for comparison only: the minimal window with one line of text in the
// default font, which costs what any text costs first (font configuration, font database,
// a font file, shaping and glyphs).
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Минимальное окно с одной строкой текста"));
    window.setWindowTitle(QStringLiteral("minimal with text"));
    window.resize(792, 566);
    window.show();
    return app.exec();
}
