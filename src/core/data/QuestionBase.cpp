#include "core/data/QuestionBase.h"

using namespace Qt::StringLiterals;

namespace {

bool isRightAnswerLine(const QString &line)
{
    return line.size() == 1 && (line.at(0) == u'0' || line.at(0) == u'1');
}

// An answer as a player reads it: case, the dots over «ё» and extra blanks not counting.
QString spoken(const QString &answer)
{
    return answer.simplified().toCaseFolded().replace(u'ё', u'е');
}

} // namespace

QuestionBase::Index QuestionBase::index(const QStringList &lines)
{
    Index result;
    const int n = int(lines.size());
    const QLatin1StringView marker(Marker);
    for (int i = 0; i < n; ++i) {
        if (lines.at(i) != marker)
            continue;
        if (i + 4 < n && isRightAnswerLine(lines.at(i + 4)))
            result.starts.append(i);
        else
            ++result.skipped;
    }
    return result;
}

QuestionBase::Question QuestionBase::question(const QStringList &lines, int start)
{
    return {lines.at(start + 1), lines.at(start + 2), lines.at(start + 3), lines.at(start + 4) == u"1"_s ? 1 : 0};
}

void QuestionBase::append(LineStore &store, const QString &text, const QString &first, const QString &second, int right)
{
    store.append(QString::fromLatin1(Marker));
    store.append(text);
    store.append(first);
    store.append(second);
    store.append(QString::number(right));
}

QString QuestionBase::refusal(const QString &text)
{
    if (text == QLatin1StringView(Marker))
        return u"Нельзя «?»"_s;
    if (!LineStore::isStorableLine(text)) {
        // The player learns which characters to replace.
        const QString unfit = LineStore::unfitCharacters(text);
        if (unfit.isEmpty())
            return u"Плохой знак!"_s;
        const bool one = unfit.toUcs4().size() == 1;
        return (one ? u"Плохой знак «%1»"_s : u"Плохие знаки «%1»"_s).arg(unfit);
    }
    return {};
}

QString QuestionBase::answersRefusal(const QString &first, const QString &second)
{
    if (spoken(first) == spoken(second))
        return u"Ответы одинаковые!"_s;
    return {};
}
