#pragma once

#include "core/data/LineStore.h"
#include "core/data/Status.h"
#include "core/engine/Clock.h"
#include "core/state/GameState.h"
#include "core/winners/WinnersQuery.h"

#include "ui/look/LazyWindow.h"

#include <QDir>
#include <QPointer>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class RoundedShape;

// The winners window: lists the records of best.txt in four views.
//
// It never reads the file by itself: the settings window's "Best" and the game's "Зал почёта"
// open it through openOver(), which shows it and loads the file. Its "Закрыть" button and its
// close box only hide it.
//
// It stands above the window that opened it (the window manager keeps a transient window over
// its parent) and closes when that window closes: it is never left behind the main menu.
class WinnersWindow : public LazyWindow
{
    Q_OBJECT

public:
    // The window's elements are made when it is first opened (ensureBuilt()).
    WinnersWindow(GameState &state, const Clock &clock, QDir dataDir, QWidget *parent = nullptr);

    // The window's copy of the winners file, one entry per line.
    const LineStore &lines() const { return m_lines; }

public Q_SLOTS:
    // Shows the window, clears the chosen view, hides the day field and the information
    // area, loads best.txt and records its number of lines in the state (winners.lineCount).
    // A missing file is an empty one.
    void open();
    // open(), standing above `opener` until `opener` closes, and closing with it.
    void openOver(QWidget *opener);

    void closePressed();
    // The user picked a view.
    void viewChosen(int index);
    // The number of days changed (typed or by the arrows).
    void daysChanged();

protected:
    // Shows a failed file operation in a message box; tests replace it.
    virtual void showError(const Status &status);

    void build() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QList<WinnersQuery::Record> &records();
    void showListing(const QList<WinnersQuery::Record> &records);
    // The number in the days field, if its text is a whole number.
    std::optional<int> typedDays() const;

    GameState &m_state;
    const Clock &m_clock;
    QDir m_dataDir;

    RoundedShape *m_shape = nullptr;
    QLabel *m_heading = nullptr;
    QComboBox *m_viewChoice = nullptr;
    QLabel *m_viewLabel = nullptr;
    QSpinBox *m_daysEdit = nullptr;
    QString m_daysText;  // the field's text as last listed
    QGroupBox *m_infoBox = nullptr;
    QPlainTextEdit *m_listing = nullptr;
    QPushButton *m_closeButton = nullptr;
    LineStore m_lines;

    // The readable records of m_lines, worked out once per opening.
    QList<WinnersQuery::Record> m_records;
    int m_recordsLineCount = -1;

    // The window that opened this one, while it is open.
    QPointer<QWidget> m_opener;
};
