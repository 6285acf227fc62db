#include "TestSupport.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QStringEncoder>
#include <QTest>

void TestSupport::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(bytes);
}

QByteArray TestSupport::readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray TestSupport::cp1251(const QString &text)
{
    QStringEncoder e("windows-1251");
    return e.encode(text);
}

QByteArray TestSupport::questionBase(int questions)
{
    QStringList lines;
    for (int i = 0; i < questions; ++i) {
        lines << QStringLiteral("?") << QStringLiteral("Вопрос %1?").arg(i) << QStringLiteral("Верно %1").arg(i)
              << QStringLiteral("Неверно %1").arg(i) << QStringLiteral("0");
    }
    return cp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray TestSupport::eightNames()
{
    return cp1251(QStringLiteral("Анна\r\nБорис\r\nВера\r\nГлеб\r\nДарья\r\nЕгор\r\nЖанна\r\nЗахар\r\n"));
}

void TestSupport::keepSettingsIn(const QTemporaryDir &dir)
{
    QVERIFY(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
}

void TestSupport::clearSettings()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("zybkotsepye"), QStringLiteral("zybkotsepye")).clear();
}
