#pragma once

#include "core/data/Status.h"
#include "core/questions/QuestionImport.h"

#include <QList>
#include <QString>

// What the question editor asks the player, and how it shows a failed file operation. The
// window asks in dialogs; tests answer in its place.
class EditorPrompts
{
public:
    // What the player answers to «Записать изменения?».
    enum class Unsaved { Save, Discard, Cancel };

    // Whether to save the edit in the question's fields.
    virtual Unsaved askToSave() = 0;
    virtual void showError(const Status &status) = 0;
    // A yes-or-no question; `yes` is the text of the button that agrees.
    virtual bool confirm(const QString &question, const QString &yes) = 0;
    virtual bool confirmImport(const QuestionImport::Plan &plan, const QString &fileName) = 0;
    // The file to import from or export to; empty when the player cancels.
    virtual QString chooseFile(bool forSaving) = 0;
    // Which blocks to export: the selected ones or all; empty when the player cancels.
    virtual QList<int> chooseExport(const QList<int> &selected) = 0;

protected:
    ~EditorPrompts() = default;
};
