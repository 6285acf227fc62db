#pragma once

#include "core/data/LineStore.h"
#include "core/data/Status.h"
#include "core/engine/RandomSource.h"
#include "core/questions/QuestionFile.h"
#include "core/state/GameState.h"

#include <QDir>
#include "ui/look/LazyWindow.h"

#include <QHash>

class Backdrop;
class Narrator;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWindow;
class SoundAndScreenGroup;
class SoundControl;

// The settings window: the player's name, the names base, new questions, the way to the
// winners window, and below them the group «Звук и экран» (SoundAndScreenGroup).
//
// Every time the window becomes the active one it reloads both bases and resets every
// field (reload()). When it is shown it does so before its first frame, so that the frame
// shows the count, the name and the names at once; the activation that follows the showing
// then reads nothing again. Closing it, by "OK" or the close box, only hides it and emits
// closed(); the application shows the main menu on that signal. "Best" emits
// winnersRequested(); the application opens the winners window over this one
// (WinnersWindow::openOver()).
// "Редактор вопросов..." emits questionEditorRequested() for the question editor.
//
// A failed file operation is shown in a message box and ends the handler there; the
// window stays usable. A text that would break a data file or the game is refused in the
// field where it was typed, with a short message in its place.
class SettingsWindow : public LazyWindow
{
    Q_OBJECT

public:
    // The window's elements are made when it is first shown or activated (ensureBuilt()).
    SettingsWindow(GameState &state, RandomSource &random, QDir dataDir, QWidget *parent = nullptr);

    // The player that the sound controls act on at once, or none. Not owned.
    void setSounds(SoundControl *sounds);
    // The host's voice that the voice controls act on at once, or none. Not owned.
    void setNarrator(Narrator *narrator);

    // The window's copy of the question base, in file order, and the file as it was read.
    const LineStore &questions() const { return m_questions; }
    const QuestionFile &questionFile() const { return m_questionFile; }
    // The names base as the window holds it, sorted.
    const QStringList &names() const { return m_names.lines(); }

public Q_SLOTS:
    // Resets the fields and reloads the question base and the names base.
    void reload();
    // "OK": stores the player's name and closes the window.
    void okPressed();
    // "Записать": adds the name in m_newNameEdit to the names base.
    void addNamePressed();
    // "Случайно": puts a name drawn from the names base into m_playerNameEdit.
    void randomNamePressed();
    // "Сформировать": appends the question to the question base.
    void addQuestionPressed();
    // The answer items of m_rightAnswerBox follow the two answer fields.
    void firstAnswerEdited(const QString &text);
    void secondAnswerEdited(const QString &text);
    // "Best": asks for the winners window.
    void winnersPressed();
    // Runs whenever the window closes.
    void windowClosed();

Q_SIGNALS:
    void closed();
    void winnersRequested();
    // "Редактор вопросов...": the application opens the question editor.
    void questionEditorRequested();

protected:
    // Shows a failed file operation in a message box; tests replace it.
    virtual void showError(const Status &status);

    void build() override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    // Resets the fields and reloads both bases; the first failure, which ends the reading.
    Status load();
    void noteFocusWindow(QWindow *window);
    void showQuestionCount();
    // Writes a message (a refusal, a confirmation) in place of the field's text. Until the
    // player types there again, the field holds no data: the message is never stored.
    void showMessage(QLineEdit *field, const QString &message);
    bool showsMessage(const QLineEdit *field) const;
    // False, after telling the player, when the file at `path` exists but its content
    // never reached the window: saving the window's copy would wipe it out.
    bool mayReplace(bool inSync, const QString &path, const QString &fileName);

    GameState &m_state;
    RandomSource &m_random;
    QDir m_dataDir;

    Backdrop *m_backdrop = nullptr;
    QLabel *m_playerNameHeading = nullptr;
    QLabel *m_namesHeading = nullptr;
    QLabel *m_questionsHeading = nullptr;
    QPushButton *m_okButton = nullptr;
    QLineEdit *m_playerNameEdit = nullptr;
    QPushButton *m_randomNameButton = nullptr;
    QListWidget *m_namesList = nullptr;
    QLineEdit *m_newNameEdit = nullptr;
    QPushButton *m_addNameButton = nullptr;
    QGroupBox *m_newQuestionBox = nullptr;
    QLabel *m_questionLabel = nullptr;
    QLineEdit *m_questionEdit = nullptr;
    QLabel *m_firstAnswerLabel = nullptr;
    QLineEdit *m_firstAnswerEdit = nullptr;
    QLabel *m_secondAnswerLabel = nullptr;
    QLineEdit *m_secondAnswerEdit = nullptr;
    QGroupBox *m_rightAnswerBox = nullptr;
    QRadioButton *m_answerItems[2];
    QButtonGroup *m_answerChoice = nullptr;
    QLabel *m_questionCountLabel = nullptr;
    QLabel *m_questionCount = nullptr;
    LineStore m_questions;
    QPushButton *m_addQuestionButton = nullptr;
    QPushButton *m_questionEditorButton = nullptr;
    QPushButton *m_winnersButton = nullptr;
    // The window size, the sound and the host's voice.
    SoundAndScreenGroup *m_soundAndScreen = nullptr;
    SoundControl *m_sounds = nullptr;
    Narrator *m_narrator = nullptr;

    // The names base in m_namesList's order, with the file's encoding.
    LineStore m_names;
    // The question base file read at the last activation: the one the game reads.
    QString m_questionsPath;
    QuestionFile m_questionFile{{}, {}};
    // The message each field shows in place of typed text, if any.
    QHash<const QLineEdit *, QString> m_messages;
    // Whether each store holds what its file held at the last activation.
    bool m_questionsInSync = false;
    bool m_namesInSync = false;
    // The last window of the application that had the keyboard focus.
    enum class FocusHolder { Other, Self, OwnDialog };
    FocusHolder m_lastFocus = FocusHolder::Other;
    // Read as the window was shown, for the activation that comes with the showing.
    bool m_loadedAtShow = false;
};
