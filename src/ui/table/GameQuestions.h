#pragma once

#include "core/engine/GameListener.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QListWidget;

// The questions put in the game being played, as they were put, each with the names of those
// who answered it wrongly: a listener of the game.
class QuestionsOfTheGame final : public GameListener
{
public:
    struct Asked
    {
        Question question;
        QStringList wrongBy;
    };
    QList<Asked> questions;

    void tableSeated(const PerSeat<QString> &, int) override { questions.clear(); }
    void questionPut(const Question &question) override { questions.append({question, {}}); }
    void answerJudged(const Verdict &verdict) override
    {
        if (!verdict.isRight() && !questions.isEmpty())
            questions.last().wrongBy.append(questions.last().question.name);
    }
};

// «Вопросы этой игры» at the end of a game: the questions put in it, each with its answers,
// the one the base holds as right marked, and who answered it wrongly. A wrong or dated one
// is opened in the question editor (questionChosen()); the list stays open beside it.
class GameQuestionsDialog : public QDialog
{
    Q_OBJECT

public:
    GameQuestionsDialog(const QList<QuestionsOfTheGame::Asked> &questions, QWidget *parent = nullptr);

Q_SIGNALS:
    // The player wants to correct the question whose text this is.
    void questionChosen(const QString &text);

private:
    void openChosen();

    QListWidget *m_list = nullptr;
};
