#pragma once

#include "core/questions/QuestionImport.h"

#include <QDialog>

// Asks the player to confirm an import before anything is written: how many questions the
// file adds, how many are already in the base and left out, and which blocks could not be
// read, with their line numbers and why.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    ImportDialog(const QuestionImport::Plan &plan, const QString &fileName, QWidget *parent = nullptr);

    // The dialog's text, as shown (for the player and for tests).
    static QString summary(const QuestionImport::Plan &plan, const QString &fileName);
    static QString unreadableList(const QuestionImport::Plan &plan);
};
