#include "TestSupport.h"
#include "core/data/LineStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using TestSupport::cp1251;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

// Every Cyrillic letter of Windows-1251: А..я are 0xC0..0xFF, Ё is 0xA8 and ё is 0xB8.
QString allCyrillicLetters()
{
    QString text;
    for (char16_t c = u'А'; c <= u'я'; ++c)
        text.append(QChar(c));
    return text + u"Ёё"_s;
}

QByteArray allCyrillicBytes()
{
    QByteArray bytes;
    for (int b = 0xC0; b <= 0xFF; ++b)
        bytes.append(char(b));
    return bytes + "\xA8\xB8";
}

} // namespace

class LineStoreTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name = u"file.txt"_s) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() { QDir(m_dir.path()).removeRecursively(); QDir().mkpath(m_dir.path()); }

    void readsEveryLineEndStyle_data();
    void readsEveryLineEndStyle();
    void savedFileEndsEveryLineWithCrLf();
    void secondByteOrderMarkIsTextAndKept();
    void programWrittenFileRoundTripsByteExact_data();
    void programWrittenFileRoundTripsByteExact();
    void readsAndWritesEveryCyrillicLetterInWindows1251();
    void everyByteButLineEndsSurvivesARoundTripIncludingUndefined0x98();
    void utf8FileIsReadAndWrittenBackAsUtf8_data();
    void utf8FileIsReadAndWrittenBackAsUtf8();
    void byteOrderMarkBeforeNonUtf8BytesIsKeptByteForByte();
    void unstorableTextIsRefusedAndTheFileKept_data();
    void unstorableTextIsRefusedAndTheFileKept();
    void failedWriteToAFullDiskLeavesTheOldFileWhole();
    void failedWriteToAReadOnlyFolderLeavesTheOldFileWhole();
    void fileCannotBeCreatedBelowAnotherFile();
    void missingFileOrFolderInItsPlaceCannotBeOpened();
};

void LineStoreTest::readsEveryLineEndStyle_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QStringList abc{u"a"_s, u"б"_s, u"c"_s};
    QTest::newRow("CR LF") << QByteArray("a\r\n\xE1\r\nc\r\n") << abc;
    QTest::newRow("lone CR") << QByteArray("a\r\xE1\rc\r") << abc;
    QTest::newRow("lone LF") << QByteArray("a\n\xE1\nc\n") << abc;
    QTest::newRow("mixed") << QByteArray("a\r\xE1\nc\r\n") << abc;
    QTest::newRow("no final line end") << QByteArray("a\r\n\xE1\r\nc") << abc;
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rc") << QStringList{u"a"_s, u""_s, u"c"_s};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{u""_s, u""_s, u"x"_s, u""_s};
    QTest::newRow("blanks belong to the line") << QByteArray(" a \t\r\n") << QStringList{u" a \t"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void LineStoreTest::readsEveryLineEndStyle()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    writeFile(path(), bytes);
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.lines(), lines);
}

void LineStoreTest::savedFileEndsEveryLineWithCrLf()
{
    LineStore store;
    store.setLines({u"?"_s, u""_s, u"Ёж"_s});
    QVERIFY(store.save(path()).ok());
    QCOMPARE(readFile(path()), QByteArray("?\r\n\r\n\xA8\xE6\r\n"));

    store.clear();
    QVERIFY(store.save(path()).ok());
    QCOMPARE(readFile(path()), QByteArray());
}

void LineStoreTest::programWrittenFileRoundTripsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LineStore::Encoding>("encoding");

    QTest::newRow("Windows-1251") << cp1251(u"?\r\nКто написал «Войну и мир»?\r\nТолстой\r\nЧехов\r\n0\r\n"_s)
                                  << LineStore::Encoding::Windows1251;
    QTest::newRow("ASCII only") << QByteArray("!\r\nBob\r\n500\r\n") << LineStore::Encoding::Windows1251;
    QTest::newRow("UTF-8") << u"Анна\r\nЁлка\r\n"_s.toUtf8() << LineStore::Encoding::Utf8;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + u"Анна\r\n\r\n"_s.toUtf8()
                                    << LineStore::Encoding::Utf8WithBom;
}

void LineStoreTest::programWrittenFileRoundTripsByteExact()
{
    QFETCH(QByteArray, bytes);
    QFETCH(LineStore::Encoding, encoding);
    writeFile(path(), bytes);
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.encoding(), encoding);
    QVERIFY(store.save(path(u"copy.txt"_s)).ok());
    QCOMPARE(readFile(path(u"copy.txt"_s)), bytes);
}

void LineStoreTest::readsAndWritesEveryCyrillicLetterInWindows1251()
{
    writeFile(path(), allCyrillicBytes() + "\r\n");
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.encoding(), LineStore::Encoding::Windows1251);
    QCOMPARE(store.lines(), QStringList{allCyrillicLetters()});

    LineStore fresh;
    fresh.append(allCyrillicLetters());
    QVERIFY(fresh.save(path(u"new.txt"_s)).ok());
    QCOMPARE(readFile(path(u"new.txt"_s)), allCyrillicBytes() + "\r\n");
}

void LineStoreTest::everyByteButLineEndsSurvivesARoundTripIncludingUndefined0x98()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            bytes.append(char(b));
    }
    bytes.append("\r\n\x98\r\n");
    writeFile(path(), bytes);
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.count(), 2);
    QCOMPARE(store.at(1).size(), 1);
    QVERIFY(store.save(path()).ok());
    QCOMPARE(readFile(path()), bytes);
}

void LineStoreTest::utf8FileIsReadAndWrittenBackAsUtf8_data()
{
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<LineStore::Encoding>("encoding");
    QTest::newRow("without BOM") << QByteArray() << LineStore::Encoding::Utf8;
    QTest::newRow("with BOM") << QByteArray("\xEF\xBB\xBF") << LineStore::Encoding::Utf8WithBom;
}

void LineStoreTest::utf8FileIsReadAndWrittenBackAsUtf8()
{
    QFETCH(QByteArray, prefix);
    QFETCH(LineStore::Encoding, encoding);
    // Written by a text editor: LF line ends, no line end after the last line.
    writeFile(path(), prefix + u"Вопрос\nЁжик и ёлка"_s.toUtf8());
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.encoding(), encoding);
    QCOMPARE(store.lines(), (QStringList{u"Вопрос"_s, u"Ёжик и ёлка"_s}));

    store.append(u"Новая строка"_s);
    QVERIFY(store.save(path()).ok());
    QCOMPARE(readFile(path()), prefix + u"Вопрос\r\nЁжик и ёлка\r\nНовая строка\r\n"_s.toUtf8());
}

void LineStoreTest::byteOrderMarkBeforeNonUtf8BytesIsKeptByteForByte()
{
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + cp1251(u"Привет\r\nмир\r\n"_s);
    writeFile(path(), bytes);
    LineStore store;
    QVERIFY(store.load(path()).ok());
    QCOMPARE(store.encoding(), LineStore::Encoding::Windows1251);
    QCOMPARE(store.at(1), u"мир"_s);
    QVERIFY(store.save(path()).ok());
    QCOMPARE(readFile(path()), bytes);
}

void LineStoreTest::unstorableTextIsRefusedAndTheFileKept_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("Chinese") << u"中文"_s;
    QTest::newRow("emoji") << u"Анна 😀"_s;
    QTest::newRow("LF inside a line") << u"Анна\nБорис"_s;
    QTest::newRow("CR inside a line") << u"Анна\rБорис"_s;
}

void LineStoreTest::unstorableTextIsRefusedAndTheFileKept()
{
    QFETCH(QString, line);
    const QByteArray old = cp1251(u"Анна\r\n"_s);
    writeFile(path(u"names.txt"_s), old);
    LineStore store;
    QVERIFY(store.load(path(u"names.txt"_s)).ok());
    store.append(line);

    const Status status = store.save(path(u"names.txt"_s));
    QCOMPARE(status.message, u"Не удаётся записать файл names.txt"_s);
    QVERIFY(!status.detail.isEmpty());
    QCOMPARE(readFile(path(u"names.txt"_s)), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"names.txt"_s});
    QVERIFY(!LineStore::isStorableLine(line));
}

void LineStoreTest::failedWriteToAFullDiskLeavesTheOldFileWhole()
{
    // A file size limit makes every write past 4 KiB fail, as a full disk would; it binds root too.
    const QByteArray old = cp1251(u"Старое содержимое\r\n"_s);
    writeFile(path(), old);
    LineStore store;
    store.setLines(QStringList(1000, u"Длинная строка, которая не поместится"_s));

    struct rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = store.save(path());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(status.message, u"Не удаётся записать файл file.txt"_s);
    QCOMPARE(readFile(path()), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"file.txt"_s});
}

void LineStoreTest::failedWriteToAReadOnlyFolderLeavesTheOldFileWhole()
{
    if (geteuid() == 0)
        QSKIP("root ignores folder permissions");
    const QString folder = path(u"ro"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + u"/best.txt"_s;
    writeFile(file, "!\r\n");
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    LineStore store;
    store.setLines({u"new"_s});
    const Status status = store.save(file);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(status.message, u"Не удаётся записать файл best.txt"_s);
    QCOMPARE(readFile(file), QByteArray("!\r\n"));
}

void LineStoreTest::fileCannotBeCreatedBelowAnotherFile()
{
    writeFile(path(u"plain"_s), "x");
    LineStore store;
    store.setLines({u"a"_s});
    QCOMPARE(store.save(path(u"plain/Vopros.txt"_s)).message, u"Не удаётся записать файл Vopros.txt"_s);
    QCOMPARE(readFile(path(u"plain"_s)), QByteArray("x"));
}

void LineStoreTest::secondByteOrderMarkIsTextAndKept()
{
    // Found by the fuzzer: each read dropped one more mark, so each save lost a character.
    const QByteArray bytes("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF" "a\r\n");
    LineStore::Encoding encoding;
    const QStringList lines = LineStore::splitLines(LineStore::decode(bytes, &encoding));
    QCOMPARE(encoding, LineStore::Encoding::Utf8WithBom);
    QCOMPARE(lines, QStringList{u"\uFEFF\uFEFFa"_s});
    QByteArray saved;
    QVERIFY(LineStore::encode(lines, encoding, &saved));
    QCOMPARE(saved, bytes);
}

void LineStoreTest::missingFileOrFolderInItsPlaceCannotBeOpened()
{
    LineStore store;
    store.setLines({u"kept"_s});
    const Status absent = store.load(path(u"absent.txt"_s), u"Vopros.txt"_s);
    QCOMPARE(absent.message, u"Не удаётся открыть файл Vopros.txt"_s);
    // A missing file is told apart from one that is there but cannot be read, and the
    // folder where it was looked for is named.
    QCOMPARE(absent.detail, u"Файла «Vopros.txt» нет в папке игры «%1»."_s.arg(QDir::toNativeSeparators(m_dir.path())));
    QCOMPARE_NE(absent.detail, Status::cannotOpen(u"Vopros.txt"_s).detail);
    QCOMPARE(store.lines(), QStringList{u"kept"_s});

    QVERIFY(QDir().mkpath(path(u"names.txt"_s)));
    const Status status = store.load(path(u"names.txt"_s));
    QCOMPARE(status.message, u"Не удаётся открыть файл names.txt"_s);
    QVERIFY(status.detail.contains(u"папка"_s));
    QCOMPARE(store.lines(), QStringList{u"kept"_s});
    QCOMPARE(store.save(path(u"names.txt"_s)).message, u"Не удаётся записать файл names.txt"_s);
}

QTEST_GUILESS_MAIN(LineStoreTest)
#include "LineStoreTest.moc"
