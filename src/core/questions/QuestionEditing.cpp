#include "core/questions/QuestionEditing.h"

#include "core/questions/QuestionWords.h"
#include "core/questions/TextFold.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

QuestionEditing::QuestionEditing(QString path, QString displayName)
    : m_file(std::move(path), std::move(displayName))
{
}

Status QuestionEditing::load()
{
    m_historyLost = !m_undo.isEmpty();
    m_undo.clear();
    m_blocksBefore.clear();
    m_reloaded = false;
    const Status loaded = m_file.load(m_store);
    reindex();
    return loaded;
}

void QuestionEditing::adopt(const LineStore &base, const QuestionFile &file)
{
    m_undo.clear();
    m_reloaded = false;
    m_file = file;
    m_store = base;
    reindex();
}

bool QuestionEditing::reloadIfChangedOutside(Status *status)
{
    if (!m_file.changedOutside())
        return false;
    LineStore now;
    *status = m_file.load(now);
    if (!*status) {
        *status = load();
        return true;
    }
    takeOutsideChange(std::move(now));
    // Only the file's time changed: nothing to tell.
    return !m_outside.isEmpty();
}

void QuestionEditing::takeOutsideChange(LineStore now)
{
    m_whoChanged = m_file.whoChanged();
    m_outside = LineSplices::difference(m_store.lines(), now.lines());
    // The history, newest first, each step's undo read on the lines it applies to.
    QList<Step> history = m_undo;
    LineChange change = m_outside;
    m_historyLost = false;
    for (qsizetype k = history.size() - 1; k >= 0; --k) {
        const QList<Splice> before = history.at(k).undo;
        if (!LineSplices::rebase(history[k].undo, change)) {
            m_historyLost = true;
            history.clear();
            break;
        }
        change = LineSplices::through(change, before);
    }
    m_undo = std::move(history);
    m_blocksBefore = m_blocks;
    m_store = std::move(now);
    reindex();
}

int QuestionEditing::movedBlock(int block) const
{
    if (block < 0 || block >= m_blocksBefore.size())
        return -1;
    const QuestionBlocks::Block &b = m_blocksBefore.at(block);
    int line = b.line;
    if (line >= m_outside.to)
        line += m_outside.inserted - (m_outside.to - m_outside.from);
    // The last block starting at the line or before it.
    const auto after = std::upper_bound(m_blocks.cbegin(), m_blocks.cend(), line,
                                        [](int l, const QuestionBlocks::Block &x) { return l < x.line; });
    if (after != m_blocks.cbegin())
        return int(after - m_blocks.cbegin()) - 1;
    return m_blocks.isEmpty() ? -1 : 0;
}

int QuestionEditing::changedBlock() const
{
    const auto at = std::lower_bound(m_blocks.cbegin(), m_blocks.cend(), m_changedLine,
                                     [](const QuestionBlocks::Block &x, int l) { return x.line + x.length <= l; });
    return m_changedLine >= 0 && at != m_blocks.cend() ? int(at - m_blocks.cbegin()) : -1;
}

void QuestionEditing::reindex()
{
    m_blocks = QuestionBlocks::blocks(m_store.lines());
    m_playable = int(std::count_if(m_blocks.cbegin(), m_blocks.cend(), [](const auto &b) { return b.playable; }));
    m_search.clear();
}

QuestionBase::Question QuestionEditing::question(int i) const
{
    return QuestionBlocks::question(m_store.lines(), m_blocks.at(i));
}

QString QuestionEditing::problem(int i) const
{
    return QuestionBlocks::problem(m_store.lines(), m_blocks.at(i));
}

QList<int> QuestionEditing::matching(const QString &words)
{
    // Every block matches no words: the texts are folded only once the player searches.
    if (words.trimmed().isEmpty()) {
        QList<int> all(count());
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    prepareSearch();
    return m_search.matching(words);
}

void QuestionEditing::prepareSearch()
{
    if (!m_search.isIndexed())
        m_search.index(m_store.lines(), m_blocks);
}

int QuestionEditing::find(const QString &text) const
{
    const QStringList &lines = m_store.lines();
    for (int i = 0; i < count(); ++i) {
        if (m_blocks.at(i).length > 1 && lines.at(m_blocks.at(i).line + 1) == text)
            return i;
    }
    const QString key = TextFold::key(text);
    for (int i = 0; i < count(); ++i) {
        if (m_blocks.at(i).length > 1 && TextFold::key(lines.at(m_blocks.at(i).line + 1)) == key)
            return i;
    }
    return -1;
}

int QuestionEditing::repeatOf(int block, const QuestionBase::Question &question) const
{
    const QString key = QuestionImport::repeatKey(question);
    if (block >= 0 && block < count() && QuestionImport::repeatKey(this->question(block)) == key)
        return -1;
    // The question's text first, the answers only where it matches.
    const QString text = TextFold::key(question.text);
    const QStringList &lines = m_store.lines();
    for (int i = 0; i < count(); ++i) {
        const QuestionBlocks::Block &b = m_blocks.at(i);
        if (i != block && b.playable && TextFold::key(lines.at(b.line + 1)) == text
            && QuestionImport::repeatKey(this->question(i)) == key)
            return i;
    }
    return -1;
}

Status QuestionEditing::edit(int i, const QuestionBase::Question &question)
{
    if (const QString why = QuestionImport::refusal(question); !why.isEmpty())
        return Status::failure(u"Вопрос не записан"_s, why);
    const QuestionBlocks::Block &b = m_blocks.at(i);
    const QStringList lines = QuestionBlocks::lines(question);
    if (m_store.lines().mid(b.line, b.length) == lines)
        return Status::success();
    return commit({{b.line, b.length, lines}}, u"изменение вопроса"_s);
}

Status QuestionEditing::remove(QList<int> blocks)
{
    std::sort(blocks.begin(), blocks.end());
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    if (blocks.isEmpty())
        return Status::success();
    QList<Splice> splices;
    splices.reserve(blocks.size());
    for (int i : blocks)
        splices.append({m_blocks.at(i).line, m_blocks.at(i).length, {}});
    return commit(splices, u"удаление %1"_s.arg(QuestionWords::countedOf(int(blocks.size()))));
}

Status QuestionEditing::add(const QList<QuestionBase::Question> &questions)
{
    if (questions.isEmpty())
        return Status::success();
    QStringList lines;
    lines.reserve(questions.size() * 5);
    for (const QuestionBase::Question &q : questions)
        lines += QuestionBlocks::lines(q);
    return commit({{int(m_store.count()), 0, lines}}, u"добавление %1"_s.arg(QuestionWords::countedOf(int(questions.size()))));
}

QString QuestionEditing::undoText() const
{
    return m_undo.isEmpty() ? QString() : m_undo.last().what;
}

Status QuestionEditing::undo()
{
    if (m_undo.isEmpty())
        return Status::success();
    return commit(m_undo.last().undo, m_undo.last().what, true);
}

Status QuestionEditing::commit(QList<Splice> splices, const QString &what, bool undoing)
{
    m_reloaded = false;
    m_merged = false;
    for (int attempt = 0;; ++attempt) {
        LineStore changed = m_store;
        QStringList lines = changed.lines();
        QList<Splice> undo = LineSplices::apply(lines, splices);
        changed.setLines(std::move(lines));
        bool outside = false;
        Status saved = m_file.save(changed, &outside);
        if (saved) {
            m_store = std::move(changed);
            if (undoing)
                m_undo.removeLast();
            else
                m_undo.append({std::move(undo), what});
            m_changedLine = splices.isEmpty() ? -1 : splices.first().at;
            reindex();
            return Status::success();
        }
        // Read again, as another window or program left it (more than once only if it keeps writing).
        LineStore now;
        if (!outside || attempt == 2)
            return saved;
        if (Status loaded = m_file.load(now); !loaded) {
            // Unreadable now: the base as it can be read, as at opening.
            m_reloaded = true;
            const Status reread = load();
            return reread.ok() ? loaded : reread;
        }
        const bool undone = undoing && !m_undo.isEmpty();
        takeOutsideChange(std::move(now));
        m_reloaded = true;
        const bool fits = undoing ? undone && !m_undo.isEmpty() : LineSplices::rebase(splices, m_outside);
        if (!fits) {
            return Status::failure(
                u"Файл %1 изменён вне редактора"_s.arg(m_file.displayName()),
                u"Пока редактор был открыт, %1 — там же, где ваше изменение. Чтобы не затереть то изменение, "
                u"ваше не записано; редактор перечитал файл."_s.arg(m_whoChanged));
        }
        if (undoing)
            splices = m_undo.last().undo;
        m_reloaded = false;
        m_merged = true;
    }
}

QuestionImport::Plan QuestionEditing::planImport(const QStringList &lines) const
{
    return QuestionImport::plan(lines, QuestionImport::repeatKeys(m_store.lines(), m_blocks));
}

Status QuestionEditing::exportTo(const QString &path, QList<int> blocks) const
{
    std::sort(blocks.begin(), blocks.end());
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    LineStore out;
    out.setEncoding(LineStore::Encoding::Utf8);
    QStringList lines;
    for (int i : blocks)
        lines += m_store.lines().mid(m_blocks.at(i).line, m_blocks.at(i).length);
    out.setLines(std::move(lines));
    return out.save(path, QFileInfo(path).fileName());
}
