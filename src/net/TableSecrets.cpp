#include "net/TableSecrets.h"

#include <QRandomGenerator>

namespace TableSecrets {

QString newCode()
{
    constexpr int alphabetSize = int(sizeof(CodeAlphabet)) - 1;
    QString code;
    for (int i = 0; i < CodeLength; ++i)
        code += QLatin1Char(CodeAlphabet[QRandomGenerator::system()->bounded(alphabetSize)]);
    return code;
}

QString newSecret()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof(words)).toHex());
}

bool sameSecret(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    char16_t differ = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        differ |= a.at(i).unicode() ^ b.at(i).unicode();
    return differ == 0;
}

} // namespace TableSecrets
