#pragma once

#include "core/engine/GameListener.h"

#include <QDialog>
#include <QList>

class QListWidget;

// The questions put in the game being played, as they were put: a listener of the game.
class QuestionsOfTheGame final : public GameListener
{
public:
    QList<Question> questions;

    void tableSeated(const PerSeat<QString> &, int) override { questions.clear(); }
    void questionPut(const Question &question) override { questions.append(question); }
};

// «Вопросы этой игры» at the end of a game: the questions put in it, each with its answers.
// A wrong or dated one is opened in the question editor (questionChosen()).
class GameQuestionsDialog : public QDialog
{
    Q_OBJECT

public:
    GameQuestionsDialog(const QList<GameListener::Question> &questions, QWidget *parent = nullptr);

Q_SIGNALS:
    // The player wants to correct the question whose text this is.
    void questionChosen(const QString &text);

private:
    void openChosen();

    QListWidget *m_list = nullptr;
};
