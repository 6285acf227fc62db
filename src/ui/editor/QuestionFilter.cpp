#include "ui/editor/QuestionFilter.h"

#include "core/questions/QuestionEditing.h"
#include "core/questions/QuestionWords.h"
#include "ui/editor/EditorLook.h"
#include "ui/editor/QuestionTableModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

namespace {

// A moment for the list to be painted first.
constexpr int PrepareSearchMs = 250;

} // namespace

QuestionFilter::QuestionFilter(QuestionEditing &editing, QuestionTableModel &model, QWidget *window)
    : QObject(window), m_editing(editing), m_model(model), m_window(window)
{
    m_label = EditorLook::label(u"Поиск (Ctrl+F):"_s, window);
    m_field = EditorLook::field(u"Поиск"_s, window);
    m_field->setObjectName(u"SearchEdit"_s);
    m_field->setPlaceholderText(u"слова из вопроса или ответов"_s);
    m_field->setClearButtonEnabled(true);
    m_field->setAccessibleDescription(u"Список показывает вопросы, в которых есть все набранные слова; "
                                      u"регистр букв и ё не важны. Enter — к списку."_s);
    m_label->setBuddy(m_field);
    m_countLabel = EditorLook::label(QString(), window, WindowStyle::Yellow);
    m_countLabel->setObjectName(u"CountLabel"_s);
}

void QuestionFilter::addTo(QVBoxLayout *layout) const
{
    auto *row = new QHBoxLayout;
    row->addWidget(m_label);
    row->addWidget(m_field, 1);
    row->addWidget(m_countLabel);
    layout->addLayout(row);
}

void QuestionFilter::focus()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
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

void QuestionFilter::showCount()
{
    QString text = u"В базе: %1"_s.arg(counted(m_editing.playableCount()));
    if (m_model.rowCount() != m_editing.count())
        text += u", найдено: %1"_s.arg(m_model.rowCount());
    if (m_editing.brokenCount() > 0)
        text += u", испорченных блоков: %1 (F8)"_s.arg(m_editing.brokenCount());
    m_countLabel->setText(text);
    m_countLabel->setAccessibleName(text);
}
