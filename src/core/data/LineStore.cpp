#include "core/data/LineStore.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

constexpr char Windows1251[] = "windows-1251";
const QByteArray Utf8Bom("\xEF\xBB\xBF", 3);

bool hasHighBytes(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

bool hasLineBreak(QStringView line)
{
    for (QChar c : line) {
        if (c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

// Strict UTF-8 decoding; false when the bytes are not well-formed UTF-8.
bool decodeUtf8(const char *data, qsizetype size, QString *text)
{
    // The check stops at the first bad byte, which in a Windows-1251 file is the first
    // Cyrillic letter; decoding would go on to the end before reporting the error.
    const QByteArrayView view(data, size);
    if (!view.isValidUtf8())
        return false;
    // A byte order mark inside the text (a second one after the first, say) is text: kept,
    // so that saving writes it back.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString decoded = utf8.decode(view);
    if (utf8.hasError())
        return false;
    *text = std::move(decoded);
    return true;
}

QString nameFor(const QString &path, const QString &displayName)
{
    return displayName.isEmpty() ? QFileInfo(path).fileName() : displayName;
}

} // namespace

QStringList LineStore::splitLines(QStringView text)
{
    // One-character lines ("?", "!", "0", "1": markers and right answers, two lines of
    // every question block) share one string each instead of allocating their own.
    QString shortLines[128];
    QStringList lines;
    const qsizetype n = text.size();
    lines.reserve(n / 16);  // about the length of a line of a question base
    const char16_t *data = text.utf16();
    qsizetype start = 0;
    const auto take = [&](qsizetype end) {
        const qsizetype length = end - start;
        if (length == 1 && data[start] < 128) {
            QString &shared = shortLines[data[start]];
            if (shared.isNull())
                shared = QString(QChar(data[start]));
            lines.append(shared);
        } else {
            lines.emplace_back(reinterpret_cast<const QChar *>(data + start), length);
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c > u'\r' || (c != u'\n' && c != u'\r'))
            continue;
        take(i);
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        take(n);
    if (lines.capacity() > 2 * lines.size())
        lines.squeeze();  // a file of few long lines
    return lines;
}

QString LineStore::decode(const QByteArray &bytes, Encoding *detected)
{
    Encoding encoding = Encoding::Windows1251;
    QString text;
    // A byte order mark followed by bytes that are not UTF-8 is read as Windows-1251
    // like the rest, so that saving writes every byte back unchanged.
    if (bytes.startsWith(Utf8Bom) && decodeUtf8(bytes.constData() + 3, bytes.size() - 3, &text)) {
        encoding = Encoding::Utf8WithBom;
    } else if (!hasHighBytes(bytes)) {
        text = QString::fromLatin1(bytes);
    } else if (decodeUtf8(bytes.constData(), bytes.size(), &text)) {
        encoding = Encoding::Utf8;
    } else {
        QStringDecoder cp1251(Windows1251);
        text = cp1251.decode(bytes);
    }
    if (detected)
        *detected = encoding;
    return text;
}

bool LineStore::encode(const QStringList &lines, Encoding encoding, QByteArray *out)
{
    qsizetype size = 0;
    for (const QString &line : lines) {
        if (hasLineBreak(line))
            return false;
        size += line.size() + 2;
    }
    QByteArray bytes;
    bytes.reserve(encoding == Encoding::Windows1251 ? size : size * 2 + 3);
    if (encoding == Encoding::Utf8WithBom)
        bytes.append(Utf8Bom);
    if (encoding == Encoding::Windows1251) {
        QStringEncoder cp1251(Windows1251);
        for (const QString &line : lines) {
            bytes.append(cp1251.encode(line));
            bytes.append("\r\n", 2);
        }
        if (cp1251.hasError())
            return false;
    } else {
        for (const QString &line : lines) {
            bytes.append(line.toUtf8());
            bytes.append("\r\n", 2);
        }
    }
    *out = std::move(bytes);
    return true;
}

bool LineStore::fitsWindows1251(const QString &text)
{
    // Latin and Russian letters, digits and ASCII signs are in the code page: most texts are
    // answered without the converter, whose tables (ICU's) cost a megabyte of memory when
    // first used, as the player's stored name is checked at start-up.
    const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x80 || (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
    });
    if (plain)
        return true;
    // encode() only converts when its result is turned into bytes; discarding the
    // result unconverted would leave hasError() false for any text.
    QStringEncoder cp1251(Windows1251);
    const QByteArray bytes = cp1251.encode(text);
    return !cp1251.hasError();
}

QString LineStore::unfitCharacters(const QString &text)
{
    QString result;
    if (fitsWindows1251(text))
        return result;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        const char32_t point = c;
        const QString one = QString::fromUcs4(&point, 1);
        if (!result.contains(one) && !fitsWindows1251(one))
            result += one;
    }
    return result;
}

bool LineStore::isStorableLine(const QString &text)
{
    return !hasLineBreak(text) && fitsWindows1251(text);
}

Status LineStore::load(const QString &path, const QString &displayName, QByteArray *content)
{
    const QString name = nameFor(path, displayName);
    const QFileInfo info(path);
    if (info.isDir())
        return Status::cannotOpen(name, u"Вместо файла «%1» в папке игры лежит папка с тем же именем."_s.arg(name));
    if (!info.exists())
        return Status::missing(name, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::cannotOpen(name);
    if (file.size() > MaxFileSize)
        return Status::cannotOpen(name, u"Файл «%1» слишком велик (больше 256 МБ) — похоже, это не файл игры."_s.arg(name));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::cannotOpen(name);
    Encoding encoding;
    const QString text = decode(bytes, &encoding);
    m_lines = splitLines(text);
    m_encoding = encoding;
    if (content)
        *content = bytes;
    return Status::success();
}

Status LineStore::save(const QString &path, const QString &displayName, QByteArray *written) const
{
    const QString name = nameFor(path, displayName);
    QByteArray bytes;
    if (!encode(m_lines, m_encoding, &bytes)) {
        return Status::cannotCreate(name, u"В тексте есть знаки, которые нельзя сохранить в кодировке Windows-1251, или перевод строки внутри строки. Файл «%1» не изменён."_s.arg(name));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::cannotCreate(name);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return Status::cannotCreate(name);
    }
    if (!file.commit())
        return Status::cannotCreate(name);
    if (written)
        *written = std::move(bytes);
    return Status::success();
}
