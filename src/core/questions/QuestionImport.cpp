#include "core/questions/QuestionImport.h"

#include "core/data/LineStore.h"
#include "core/questions/TextFold.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QLatin1StringView Marker(QuestionBase::Marker);

QString quoted(const QString &text)
{
    constexpr int Longest = 40;
    return text.size() <= Longest ? u"«%1»"_s.arg(text) : u"«%1…»"_s.arg(text.left(Longest));
}

class Reader
{
public:
    explicit Reader(const QSet<QString> &existing) : m_keys(existing) {}

    // `line` is the question's first line; in a block, each text has a line of its own.
    void take(int line, const QuestionBase::Question &q, bool block)
    {
        int field = 0;
        if (const QString why = QuestionImport::refusal(q, &field); !why.isEmpty()) {
            refuse(block ? line + field : line, why);
            return;
        }
        const QString key = QuestionImport::repeatKey(q);
        if (m_keys.contains(key)) {
            ++plan.repeats;
            return;
        }
        m_keys.insert(key);
        plan.added.append(q);
    }

    void refuse(int line, const QString &reason) { plan.unreadable.append({line + 1, reason}); }

    QuestionImport::Plan plan;

private:
    QSet<QString> m_keys;
};

void readBlocks(const QStringList &lines, Reader &reader)
{
    const int n = int(lines.size());
    int i = 0;
    while (i < n) {
        if (lines.at(i) == Marker) {
            int end = i + 1;
            while (end < n && end < i + 5 && lines.at(end) != Marker)
                ++end;
            if (end - i < 5) {
                reader.refuse(i, u"блок обрезан: за «?» должны идти вопрос, два ответа и номер верного ответа"_s);
                i = end;
                continue;
            }
            const QString &right = lines.at(i + 4);
            if (right != u"0" && right != u"1") {
                reader.refuse(i + 4, u"последняя строка блока %1 — не номер верного ответа (0 или 1)"_s.arg(quoted(right)));
            } else {
                reader.take(i + 1, {lines.at(i + 1), lines.at(i + 2), lines.at(i + 3), right == u"1" ? 1 : 0}, true);
            }
            i += 5;
        } else if (lines.at(i).trimmed().isEmpty()) {
            ++i;
        } else {
            // Text outside any block, perhaps a block that lost its marker: one entry for the run.
            const int start = i;
            while (i < n && lines.at(i) != Marker && !lines.at(i).trimmed().isEmpty())
                ++i;
            reader.refuse(start, u"текст вне блока, не после строки «?»: %1"_s.arg(quoted(lines.at(start))));
        }
    }
}

void readLines(const QStringList &lines, Reader &reader)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        QStringList parts = lines.at(i).split(u'\t');
        // A spreadsheet may end a row with empty cells.
        while (parts.size() > 3 && parts.last().trimmed().isEmpty())
            parts.removeLast();
        if (parts.size() != 3) {
            reader.refuse(i, u"нужны три части через табуляцию — вопрос, первый ответ, второй ответ, а их %1"_s.arg(parts.size()));
            continue;
        }
        QString first = parts.at(1).trimmed();
        QString second = parts.at(2).trimmed();
        const bool firstMarked = first.startsWith(u'*');
        const bool secondMarked = second.startsWith(u'*');
        if (firstMarked == secondMarked) {
            reader.refuse(i, firstMarked ? u"звёздочкой «*» отмечены оба ответа"_s
                                         : u"верный ответ не отмечен звёздочкой «*» перед ним"_s);
            continue;
        }
        (firstMarked ? first : second).remove(0, 1);
        reader.take(i, {parts.at(0).trimmed(), first.trimmed(), second.trimmed(), firstMarked ? 0 : 1}, false);
    }
}

} // namespace

Status QuestionImport::read(const QString &path, QStringList *lines)
{
    LineStore store;
    if (Status s = store.load(path, QFileInfo(path).fileName()); !s)
        return s;
    *lines = store.lines();
    return Status::success();
}

QString QuestionImport::repeatKey(const QuestionBase::Question &q)
{
    QString a = TextFold::key(q.first);
    QString b = TextFold::key(q.second);
    if (b < a)
        std::swap(a, b);
    return TextFold::key(q.text) + u'\n' + a + u'\n' + b;
}

QSet<QString> QuestionImport::repeatKeys(const QStringList &lines, const QList<QuestionBlocks::Block> &blocks)
{
    QSet<QString> keys;
    keys.reserve(blocks.size());
    for (const QuestionBlocks::Block &b : blocks) {
        if (b.playable)
            keys.insert(repeatKey(QuestionBlocks::question(lines, b)));
    }
    return keys;
}

QuestionImport::Plan QuestionImport::plan(const QStringList &lines, const QSet<QString> &existing)
{
    Reader reader(existing);
    reader.plan.blocks = lines.contains(QString::fromLatin1(QuestionBase::Marker));
    if (reader.plan.blocks)
        readBlocks(lines, reader);
    else
        readLines(lines, reader);
    return reader.plan;
}

QString QuestionImport::refusal(const QuestionBase::Question &q, int *field)
{
    const std::pair<const QString *, QString> fields[] = {
        {&q.text, u"вопрос"_s}, {&q.first, u"первый ответ"_s}, {&q.second, u"второй ответ"_s}};
    int at = 0;
    QString why;
    for (const auto &[text, name] : fields) {
        if (text->trimmed().isEmpty())
            why = u"пустой %1"_s.arg(name);
        else if (const QString bad = QuestionBase::refusal(*text); !bad.isEmpty())
            why = u"%1: %2"_s.arg(name, bad);
        if (!why.isEmpty())
            break;
        ++at;
    }
    if (why.isEmpty() && !QuestionBase::answersRefusal(q.first, q.second).isEmpty())
        why = u"ответы одинаковые: %1 и %2"_s.arg(quoted(q.first), quoted(q.second));
    if (field)
        *field = std::min(at, 2);
    return why;
}
