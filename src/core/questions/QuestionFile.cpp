#include "core/questions/QuestionFile.h"

#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QLockFile>

using namespace Qt::StringLiterals;

namespace {

// A lock older than this was left by a program that ended without removing it.
constexpr int StaleLockMs = 10000;
int lockWaitMs = 5000;

// What the windows of this game last wrote to each question base (its size and hash), to
// tell their changes from another program's.
QHash<QString, std::pair<qint64, size_t>> &writtenHere()
{
    static QHash<QString, std::pair<qint64, size_t>> written;
    return written;
}

std::pair<qint64, size_t> fingerprint(const QByteArray &content)
{
    return {content.size(), qHash(content)};
}

} // namespace

QuestionFile::QuestionFile(QString path, QString displayName)
    : m_path(std::move(path)), m_displayName(std::move(displayName))
{
}

void QuestionFile::setLockWait(int ms)
{
    lockWaitMs = ms;
}

Status QuestionFile::load(LineStore &store)
{
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        store.clear();
        m_known = Known::Missing;
        m_content.clear();
        return Status::missing(m_displayName, m_path);
    }
    QByteArray content;
    if (Status s = store.load(m_path, m_displayName, &content); !s)
        return s;
    remember(content);
    return Status::success();
}

void QuestionFile::remember(const QByteArray &content)
{
    m_known = Known::Content;
    m_content = content;
    const QFileInfo info(m_path);
    m_size = info.size();
    m_modified = info.lastModified();
}

bool QuestionFile::changedOutside() const
{
    const QFileInfo info(m_path);
    if (m_known != Known::Content)
        return m_known == Known::Nothing || info.exists();
    if (!info.exists())
        return true;
    // The file's size and time tell most changes without reading it.
    if (info.size() != m_size || info.lastModified() != m_modified)
        return true;
    return false;
}

std::unique_ptr<QLockFile> QuestionFile::lock(Status *status) const
{
    auto lock = std::make_unique<QLockFile>(m_path + u".lock"_s);
    lock->setStaleLockTime(StaleLockMs);
    if (lock->tryLock(lockWaitMs))
        return lock;
    if (lock->error() == QLockFile::LockFailedError) {
        *status = Status::cannotCreate(
            m_displayName, u"Файл «%1» сейчас записывает другое окно или другая копия игры. Изменение не записано, "
                           u"попробуйте ещё раз."_s.arg(m_displayName));
    } else {
        *status = Status::cannotCreate(
            m_displayName, u"Не удалось записать в папку с файлом «%1»: нет прав на запись. Изменение не записано."_s.arg(m_displayName));
    }
    return nullptr;
}

Status QuestionFile::save(const LineStore &store, bool *outside)
{
    *outside = false;
    Status locked;
    const auto held = lock(&locked);
    if (!held)
        return locked;
    // Under the lock, the file is read whole: only its content tells for sure that nobody
    // changed it since.
    QFile file(m_path);
    QByteArray now;
    const bool exists = QFileInfo::exists(m_path);
    if (exists) {
        if (!file.open(QIODevice::ReadOnly))
            return Status::cannotOpen(m_displayName);
        now = file.readAll();
    }
    const bool same = exists ? m_known == Known::Content && now == m_content : m_known == Known::Missing;
    if (!same) {
        *outside = true;
        return Status::failure(
            u"Файл %1 изменён вне редактора"_s.arg(m_displayName),
            u"Пока редактор был открыт, файл «%1» изменило другое окно или другая копия игры. Чтобы не затереть "
            u"их изменения, последнее изменение не записано; редактор перечитал файл."_s.arg(m_displayName));
    }
    return write(store);
}

Status QuestionFile::update(LineStore &store, const std::function<void(LineStore &)> &change)
{
    Status locked;
    const auto held = lock(&locked);
    if (!held)
        return locked;
    const QFileInfo info(m_path);
    if (info.isFile()) {
        if (Status loaded = load(store); !loaded)
            return loaded;
    } else if (!info.exists() && !info.isSymLink()) {
        // A missing file is created with what the change adds.
        store.clear();
    }
    // Anything else in the file's place (a folder) keeps the caller's lines; writing fails and says so.
    change(store);
    return write(store);
}

Status QuestionFile::write(const LineStore &store)
{
    QByteArray written;
    if (Status s = store.save(m_path, m_displayName, &written); !s)
        return s;
    remember(written);
    writtenHere().insert(QFileInfo(m_path).absoluteFilePath(), fingerprint(written));
    return Status::success();
}

QString QuestionFile::whoChanged() const
{
    const auto written = writtenHere().constFind(QFileInfo(m_path).absoluteFilePath());
    if (m_known == Known::Content && written != writtenHere().cend() && *written == fingerprint(m_content))
        return u"другое окно игры изменило файл «%1»"_s.arg(m_displayName);
    return u"другая программа изменила файл «%1»"_s.arg(m_displayName);
}
