#pragma once

#include "core/data/Status.h"

#include <QString>
#include <QStringList>

// An ordered list of text lines, loaded whole from a file and saved whole to one.
//
// On disk the lines are Windows-1251 text; a file that a text editor saved as UTF-8
// (with or without a byte order mark) is read as such and written back the same way,
// so hand-edited files never turn into garbage. Reading accepts CR LF, a lone CR and
// a lone LF; a last line without a line end counts, a final line end adds no line.
// Writing ends every line with CR LF and replaces the file atomically: a crash or a
// full disk leaves the old file whole.
class LineStore
{
public:
    enum class Encoding { Windows1251, Utf8, Utf8WithBom };

    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QString &at(int i) const { return m_lines.at(i); }
    void append(const QString &line) { m_lines.append(line); }
    void insert(int i, const QString &line) { m_lines.insert(i, line); }
    void clear() { m_lines.clear(); }
    const QStringList &lines() const { return m_lines; }
    void setLines(QStringList lines) { m_lines = std::move(lines); }

    Encoding encoding() const { return m_encoding; }
    void setEncoding(Encoding e) { m_encoding = e; }

    // Replaces the lines with the file's. On failure the store keeps what it held.
    // `displayName` is the name the player sees in a message (the file name as asked for).
    // `content`, if given, receives the file's bytes as read.
    Status load(const QString &path, const QString &displayName = {}, QByteArray *content = nullptr);

    // Writes every line followed by CR LF, replacing the file. Text that the file's
    // encoding cannot hold, or a line with a line break inside (it would come back as
    // two lines), is refused before anything is written. `written`, if given, receives
    // the bytes the file now holds.
    Status save(const QString &path, const QString &displayName = {}, QByteArray *written = nullptr) const;

    // The pieces of load and save, for tests, fuzzing and benchmarks.
    static QStringList splitLines(QStringView text);
    static QString decode(const QByteArray &bytes, Encoding *detected = nullptr);
    // Returns false, leaving `out` alone, when a character cannot be encoded or a
    // line holds a line break.
    static bool encode(const QStringList &lines, Encoding encoding, QByteArray *out);

    // True when Windows-1251 can hold every character of `text`.
    static bool fitsWindows1251(const QString &text);
    // The characters of `text` that Windows-1251 cannot hold, each once, in order.
    static QString unfitCharacters(const QString &text);
    // True when `text` can be saved as one line: no line break inside, and every
    // character fits Windows-1251.
    static bool isStorableLine(const QString &text);

private:
    QStringList m_lines;
    Encoding m_encoding = Encoding::Windows1251;
};
