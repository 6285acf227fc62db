#pragma once

#include "core/data/LineStore.h"
#include "core/data/Status.h"

#include <QDateTime>

#include <functional>
#include <memory>

class QLockFile;

// The question base file as the editor keeps it: it remembers what the file held when it
// was last read or written here, so that a change made meanwhile by another window or
// another copy of the game is noticed instead of overwritten. Every write happens under
// the file's lock (the file's name with ".lock"), as a finished game writes its winners
// record, and replaces the file atomically.
class QuestionFile
{
public:
    QuestionFile(QString path, QString displayName);

    const QString &path() const { return m_path; }
    const QString &displayName() const { return m_displayName; }

    // Reads the file into `store` and remembers its content. A missing file leaves `store`
    // empty and is remembered as missing: saving then creates it.
    Status load(LineStore &store);

    // Whether the file no longer holds what was last read or written here (or was never read).
    bool changedOutside() const;
    // Whether the file's content was read or written here.
    bool isRead() const { return m_known == Known::Content; }
    // Who changed the file, found changed and read again, for the middle of a sentence:
    // «другое окно игры изменило файл «Vopros.txt»» when the content read is what a window
    // of this game last wrote there, else «другая программа изменила файл …».
    QString whoChanged() const;

    // Under the lock: writes `store` if the file still holds what was last read or written
    // here. If another program changed it meanwhile, nothing is written, `*outside` is set
    // and the failure says so.
    Status save(const LineStore &store, bool *outside);

    // Under the lock: reads the file into `store`, lets `change` alter the lines and writes
    // them back. For a window that adds to whatever the file holds now.
    Status update(LineStore &store, const std::function<void(LineStore &)> &change);

    // Tests shorten the wait for a lock held elsewhere (milliseconds).
    static void setLockWait(int ms);

private:
    std::unique_ptr<QLockFile> lock(Status *status) const;
    Status write(const LineStore &store);
    void remember(const QByteArray &content);

    QString m_path;
    QString m_displayName;
    // What the file held when last read or written here.
    enum class Known { Nothing, Missing, Content };
    Known m_known = Known::Nothing;
    QByteArray m_content;
    qint64 m_size = -1;
    QDateTime m_modified;
};
