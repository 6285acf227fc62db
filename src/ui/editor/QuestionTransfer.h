#pragma once

#include "core/data/Status.h"
#include "core/questions/QuestionImport.h"

#include <QObject>

class QWidget;
class QuestionEditing;

// The question editor's import and export: reads a file of questions, has the player confirm
// what it adds and adds it to the base; writes the chosen blocks to a file. What it asks the
// player goes through Prompts (the window; tests answer in its place); what came of it is
// told by the signals.
class QuestionTransfer : public QObject
{
    Q_OBJECT

public:
    // The player's answers the import and the export need.
    class Prompts
    {
    public:
        virtual bool confirmImport(const QuestionImport::Plan &plan, const QString &fileName) = 0;
        // The file to import from or export to; empty when the player cancels.
        virtual QString chooseFile(bool forSaving) = 0;
        // Which blocks to export: the selected ones or all; empty when the player cancels.
        virtual QList<int> chooseExport(const QList<int> &selected) = 0;
        virtual void showError(const Status &status) = 0;

    protected:
        ~Prompts() = default;
    };

    QuestionTransfer(QuestionEditing &editing, Prompts &prompts, QObject *parent = nullptr);

    // Asks for a file and imports it.
    void importChosen();
    // Reads a file of questions, asks the player and adds the new ones; true when added.
    bool importFile(const QString &path);
    // Asks which blocks to export and where, and writes them.
    void exportChosen(const QList<int> &selected);
    // Writes the blocks to a UTF-8 file; true when written.
    bool exportBlocks(const QString &path, const QList<int> &blocks);

    // The dialogs the window shows by default.
    static bool askImport(QWidget *parent, const QuestionImport::Plan &plan, const QString &fileName);
    static QString askFile(QWidget *parent, bool forSaving);
    static QList<int> askExport(QWidget *parent, const QList<int> &selected, int count);

Q_SIGNALS:
    // A file could not be read or written: the last action's line no longer holds.
    void cleared();
    void told(const QString &line);
    // Questions were added to the base from block `first` on, before the line saying so.
    void added(int first);
    // The base was changed, as the line says.
    void changed(const QString &line);
    // Writing to the base failed.
    void failed(const Status &status);

private:
    QuestionEditing &m_editing;
    Prompts &m_prompts;
};
