#include "TestSupport.h"

#include <QFile>
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
