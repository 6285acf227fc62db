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
    m_undo.clear();
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
    *status = load();
    return true;
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

Status QuestionEditing::commit(const QList<Splice> &splices, const QString &what, bool undoing)
{
    m_reloaded = false;
    LineStore changed = m_store;
    QStringList lines = changed.lines();
    QList<Splice> undo = LineSplices::apply(lines, splices);
    changed.setLines(std::move(lines));
    bool outside = false;
    if (Status saved = m_file.save(changed, &outside); !saved) {
        if (outside) {
            // The file as the other program left it; the history belongs to the old one.
            if (Status loaded = load(); !loaded)
                return loaded;
            m_reloaded = true;
        }
        return saved;
    }
    m_store = std::move(changed);
    if (undoing)
        m_undo.removeLast();
    else
        m_undo.append({std::move(undo), what});
    reindex();
    return Status::success();
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
