#include "ui/editor/QuestionFilter.h"

#include "core/questions/QuestionEditing.h"
#include "core/questions/QuestionWords.h"
#include "ui/editor/QuestionTableModel.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

namespace {

// A moment for the list to be painted first.
constexpr int PrepareSearchMs = 250;

} // namespace

QuestionFilter::QuestionFilter(QuestionEditing &editing, QuestionTableModel &model, QLineEdit *field, QWidget *window)
    : QObject(window), m_editing(editing), m_model(model), m_field(field), m_window(window)
{
}

bool QuestionFilter::keeps(int block, const QString &words)
{
    return m_editing.matching(words).contains(block);
}

void QuestionFilter::apply()
{
    m_searched = m_field->text();
    m_model.setBlocks(m_editing.matching(m_searched));
}

QString QuestionFilter::words() const
{
    return m_field->text();
}

void QuestionFilter::clear()
{
    m_field->clear();
}

void QuestionFilter::restore()
{
    const QSignalBlocker quiet(m_field);
    m_field->setText(m_searched);
}

void QuestionFilter::clearQuietly()
{
    const QSignalBlocker quiet(m_field);
    m_field->clear();
}

void QuestionFilter::prepareSoon()
{
    // The texts are folded for search once the list is on screen (after a change, too), not
    // at the first key typed; not while the window is only prepared and may never open.
    QTimer::singleShot(PrepareSearchMs, this, [this] {
        if (m_window->isVisible())
            m_editing.prepareSearch();
    });
}

QString QuestionFilter::countText() const
{
    QString text = u"В базе: %1"_s.arg(counted(m_editing.playableCount()));
    if (m_model.rowCount() != m_editing.count())
        text += u", найдено: %1"_s.arg(m_model.rowCount());
    if (m_editing.brokenCount() > 0)
        text += u", испорченных блоков: %1 (F8)"_s.arg(m_editing.brokenCount());
    return text;
}
