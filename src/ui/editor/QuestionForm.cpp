#include "ui/editor/QuestionForm.h"

#include "core/questions/QuestionEditing.h"
#include "ui/editor/EditorLook.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using EditorLook::field;
using EditorLook::label;

namespace {

// A blank question or answer: the same refusal for every field.
const QString Empty = u"Пусто!"_s;

QString fieldRefusal(const QString &text)
{
    if (text.trimmed().isEmpty())
        return Empty;
    return QuestionBase::refusal(text);
}

// The mark of an answer's being right, beside that answer's field. Qt leaves only the last
// focused button of a group in the Tab order; each mark here stands by its own field, so
// both stay there.
class AnswerMark : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        if (group()) {
            for (QAbstractButton *b : group()->buttons())
                b->setFocusPolicy(Qt::StrongFocus);
        }
    }
};

} // namespace

QuestionForm::QuestionForm(const QuestionEditing &editing, QWidget *window) : QObject(window), m_editing(editing)
{
    m_blockLabel = label(QString(), window);
    m_blockLabel->setObjectName(u"BlockLabel"_s);

    m_questionEdit = field(u"Вопрос"_s, window);
    m_questionEdit->setObjectName(u"QuestionEdit"_s);
    m_firstEdit = field(u"Первый ответ"_s, window);
    m_firstEdit->setObjectName(u"FirstAnswerEdit"_s);
    m_secondEdit = field(u"Второй ответ"_s, window);
    m_secondEdit->setObjectName(u"SecondAnswerEdit"_s);
    m_labels[0] = label(u"Вопрос:"_s, window);
    m_labels[1] = label(u"Первый ответ:"_s, window);
    m_labels[2] = label(u"Второй ответ:"_s, window);
    m_labels[0]->setBuddy(m_questionEdit);
    m_labels[1]->setBuddy(m_firstEdit);
    m_labels[2]->setBuddy(m_secondEdit);
    m_rightChoice = new QButtonGroup(this);
    const QString rightTexts[2] = {u"верен (Alt+1)"_s, u"верен (Alt+2)"_s};
    for (int i = 0; i < 2; ++i) {
        m_rightItems[i] = new AnswerMark(rightTexts[i], window);
        m_rightItems[i]->setObjectName(u"RightAnswer%1"_s.arg(i));
        // White words beside the style's own mark, black on white.
        QPalette pal = m_rightItems[i]->palette();
        pal.setColor(QPalette::WindowText, WindowStyle::White);
        m_rightItems[i]->setPalette(pal);
        m_rightChoice->addButton(m_rightItems[i], i);
    }
    m_saveButton = EditorLook::button(QStyle::SP_DialogSaveButton, u"Записать (Ctrl+S)"_s, window);
    m_saveButton->setObjectName(u"SaveButton"_s);

    m_refusalLabel = label(QString(), window, WindowStyle::Red);
    m_refusalLabel->setObjectName(u"RefusalLabel"_s);

    for (QLineEdit *e : {m_questionEdit, m_firstEdit, m_secondEdit}) {
        connect(e, &QLineEdit::returnPressed, this, &QuestionForm::saveAsked);
        connect(e, &QLineEdit::textEdited, m_refusalLabel, &QLabel::clear);
        connect(e, &QLineEdit::textEdited, this, &QuestionForm::showMark);
        e->installEventFilter(this);
    }
    connect(m_rightChoice, &QButtonGroup::idToggled, this, &QuestionForm::showMark);
    // The radio buttons say which answer they mark.
    connect(m_firstEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_rightItems[0]->setAccessibleName(u"Верен первый ответ: %1"_s.arg(t)); });
    connect(m_secondEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_rightItems[1]->setAccessibleName(u"Верен второй ответ: %1"_s.arg(t)); });
    m_rightItems[0]->setAccessibleName(u"Верен первый ответ"_s);
    m_rightItems[1]->setAccessibleName(u"Верен второй ответ"_s);
    connect(m_saveButton, &QPushButton::clicked, this, &QuestionForm::saveAsked);
}

void QuestionForm::addTo(QVBoxLayout *layout) const
{
    layout->addWidget(m_blockLabel);
    auto *fields = new QGridLayout;
    fields->addWidget(m_labels[0], 0, 0);
    fields->addWidget(m_questionEdit, 0, 1, 1, 4);
    fields->addWidget(m_saveButton, 0, 5);
    fields->addWidget(m_labels[1], 1, 0);
    fields->addWidget(m_firstEdit, 1, 1);
    fields->addWidget(m_rightItems[0], 1, 2);
    fields->addWidget(m_labels[2], 1, 3);
    fields->addWidget(m_secondEdit, 1, 4);
    fields->addWidget(m_rightItems[1], 1, 5);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);
    layout->addLayout(fields);
    layout->addWidget(m_refusalLabel);
}

QList<QWidget *> QuestionForm::tabOrder() const
{
    return {m_questionEdit, m_firstEdit, m_rightItems[0], m_secondEdit, m_rightItems[1], m_saveButton};
}

void QuestionForm::show(int block)
{
    const bool any = block >= 0;
    for (QWidget *w : tabOrder())
        w->setEnabled(any);
    // An edit not saved stays in the fields while its question is shown.
    if (!any || block != m_block || !edited()) {
        m_refusalLabel->clear();
        m_block = block;
        const QuestionBase::Question q = any ? m_editing.question(block) : QuestionBase::Question{{}, {}, {}, -1};
        m_questionEdit->setText(q.text);
        m_firstEdit->setText(q.first);
        m_secondEdit->setText(q.second);
        m_questionEdit->setCursorPosition(0);
        m_firstEdit->setCursorPosition(0);
        m_secondEdit->setCursorPosition(0);
        // No answer is marked where the block has no right answer.
        m_rightChoice->setExclusive(false);
        m_rightItems[0]->setChecked(q.right == 0);
        m_rightItems[1]->setChecked(q.right == 1);
        m_rightChoice->setExclusive(true);
        m_filled = q;
    }
    showMark();
}

QuestionBase::Question QuestionForm::question() const
{
    return {m_questionEdit->text(), m_firstEdit->text(), m_secondEdit->text(), m_rightChoice->checkedId()};
}

bool QuestionForm::edited() const
{
    if (m_block < 0 || m_block >= m_editing.count())
        return false;
    const QuestionBase::Question form = question();
    return form.text != m_filled.text || form.first != m_filled.first || form.second != m_filled.second
        || form.right != m_filled.right;
}

QString QuestionForm::refusal(QWidget **first) const
{
    const std::pair<QLineEdit *, QString> fields[] = {
        {m_questionEdit, u"Вопрос"_s}, {m_firstEdit, u"Первый ответ"_s}, {m_secondEdit, u"Второй ответ"_s}};
    QStringList refusals;
    *first = nullptr;
    for (const auto &[edit, name] : fields) {
        if (const QString why = fieldRefusal(edit->text()); !why.isEmpty()) {
            refusals << u"%1: %2"_s.arg(name, why);
            if (!*first)
                *first = edit;
        }
    }
    if (const QString same = QuestionBase::answersRefusal(m_firstEdit->text(), m_secondEdit->text());
        refusals.isEmpty() && !same.isEmpty()) {
        refusals << same;
        *first = m_secondEdit;
    }
    if (m_rightChoice->checkedId() < 0) {
        refusals << u"Отметьте верный ответ!"_s;
        if (!*first)
            *first = m_rightItems[0];
    }
    return refusals.join(u"  "_s);
}

void QuestionForm::showRefusal(const QString &message)
{
    m_refusalLabel->setText(message);
}

void QuestionForm::clearRefusal()
{
    m_refusalLabel->clear();
}

void QuestionForm::showMark()
{
    const int block = m_block;
    const bool edited = this->edited();
    Q_EMIT editedShown(edited);
    QString heading;
    QColor colour = WindowStyle::White;
    if (block < 0) {
        heading = u"Вопрос не выбран"_s;
    } else if (m_editing.block(block).playable) {
        heading = u"Вопрос %1 из %2:"_s.arg(block + 1).arg(m_editing.count());
    } else {
        heading = u"Блок %1 испорчен. %2 Исправьте его и запишите или удалите."_s.arg(block + 1).arg(m_editing.problem(block));
        colour = WindowStyle::Red;
    }
    if (edited) {
        if (heading.endsWith(u':'))
            heading = heading.chopped(1) + u'.';
        heading += u" Изменён, не записан (Ctrl+S — записать)."_s;
        colour = WindowStyle::Yellow;
    }
    if (heading != m_blockLabel->text()) {
        m_blockLabel->setText(heading);
        m_blockLabel->setAccessibleName(heading);
    }
    WindowStyle::setTextColour(m_blockLabel, colour);
}

QString QuestionForm::heading() const
{
    return m_blockLabel->text();
}

void QuestionForm::markRight(int answer)
{
    m_rightItems[answer]->setChecked(true);
    m_rightItems[answer]->setFocus(Qt::ShortcutFocusReason);
}

void QuestionForm::focusQuestion(bool selectAll)
{
    m_questionEdit->setFocus(Qt::OtherFocusReason);
    if (selectAll)
        m_questionEdit->selectAll();
}

bool QuestionForm::eventFilter(QObject *watched, QEvent *event)
{
    // Where a field has nothing of its own to undo, Ctrl+Z undoes the session's last change.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *edit = qobject_cast<const QLineEdit *>(watched);
        if (edit && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
