#include "ui/table/GameQuestions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

GameQuestionsDialog::GameQuestionsDialog(const QList<GameListener::Question> &questions, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"GameQuestionsDialog"_s);
    setWindowTitle(u"Вопросы этой игры"_s);
    resize(560, 420);

    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(u"Вопрос с ошибкой можно открыть в редакторе вопросов и исправить."_s, this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_list = new QListWidget(this);
    m_list->setObjectName(u"GameQuestionsList"_s);
    m_list->setAccessibleName(u"Вопросы этой игры"_s);
    m_list->setWordWrap(true);
    m_list->setAlternatingRowColors(true);
    // The same question may come twice in a game (a round's first question is drawn anew):
    // each is listed once, in the order it first came.
    QStringList listed;
    for (const GameListener::Question &q : questions) {
        if (listed.contains(q.text))
            continue;
        listed << q.text;
        auto *item = new QListWidgetItem(u"%1\n    1) %2    2) %3"_s.arg(q.text, q.answers[0], q.answers[1]), m_list);
        item->setData(Qt::UserRole, q.text);
        item->setData(Qt::AccessibleTextRole, u"%1 Первый ответ: %2. Второй ответ: %3."_s.arg(q.text, q.answers[0], q.answers[1]));
    }
    m_list->setCurrentRow(0);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *open = buttons->addButton(u"Открыть в редакторе"_s, QDialogButtonBox::ActionRole);
    open->setObjectName(u"OpenInEditor"_s);
    open->setEnabled(m_list->count() > 0);
    open->setDefault(true);
    QPushButton *close = buttons->addButton(u"Закрыть"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"CloseGameQuestions"_s);
    layout->addWidget(buttons);

    connect(open, &QPushButton::clicked, this, &GameQuestionsDialog::openChosen);
    connect(m_list, &QListWidget::itemActivated, this, &GameQuestionsDialog::openChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GameQuestionsDialog::openChosen()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    Q_EMIT questionChosen(item->data(Qt::UserRole).toString());
    accept();
}
