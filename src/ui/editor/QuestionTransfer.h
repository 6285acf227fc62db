#pragma once

#include "ui/editor/EditorPrompts.h"

#include <QObject>

class QWidget;
class QuestionEditing;

// The question editor's import and export: reads a file of questions, has the player confirm
// what it adds and adds it to the base; writes the chosen blocks to a file. What it asks the
// player goes through EditorPrompts; what came of it is told by the signals.
class QuestionTransfer : public QObject
{
    Q_OBJECT

public:
    QuestionTransfer(QuestionEditing &editing, EditorPrompts &prompts, QObject *parent = nullptr);

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
    EditorPrompts &m_prompts;
};
