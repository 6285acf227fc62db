#include "ui/table/GameQuestions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

GameQuestionsDialog::GameQuestionsDialog(const QList<QuestionsOfTheGame::Asked> &questions, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"GameQuestionsDialog"_s);
    setWindowTitle(u"Вопросы этой игры"_s);
    resize(560, 420);

    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(u"Верный ответ по базе вопросов отмечен словом «верный». Вопрос с ошибкой можно "
                            u"открыть в редакторе вопросов и исправить."_s, this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_list = new QListWidget(this);
    m_list->setObjectName(u"GameQuestionsList"_s);
    m_list->setAccessibleName(u"Вопросы этой игры"_s);
    m_list->setWordWrap(true);
    m_list->setAlternatingRowColors(true);
    // The same question may come twice in a game (a round's first question is drawn anew):
    // each is listed once, in the order it first came, with everyone who answered it wrongly.
    QList<QuestionsOfTheGame::Asked> listed;
    for (const QuestionsOfTheGame::Asked &asked : questions) {
        const auto same = std::find_if(listed.begin(), listed.end(),
                                       [&asked](const auto &l) { return l.question.text == asked.question.text; });
        if (same == listed.end())
            listed.append(asked);
        else
            same->wrongBy += asked.wrongBy;
    }
    for (const QuestionsOfTheGame::Asked &asked : std::as_const(listed)) {
        const GameListener::Question &q = asked.question;
        const auto answer = [&q](int i) { return q.right == i ? u"%1 (верный)"_s.arg(q.answers[i]) : q.answers[i]; };
        QString text = u"%1\n    1) %2    2) %3"_s.arg(q.text, answer(0), answer(1));
        QString spoken = u"%1 Первый ответ: %2. Второй ответ: %3."_s.arg(q.text, answer(0), answer(1));
        if (!asked.wrongBy.isEmpty()) {
            const QString wrong = u"Ответили неверно: %1"_s.arg(asked.wrongBy.join(u", "_s));
            text += u"\n    "_s + wrong;
            spoken += u' ' + wrong + u'.';
        }
        auto *item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, q.text);
        item->setData(Qt::AccessibleTextRole, spoken);
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
    // The list stays open: the next wrong question is one click away.
    Q_EMIT questionChosen(item->data(Qt::UserRole).toString());
}
