#pragma once

#include "ui/look/WindowStyle.h"

#include <QColor>
#include <QStyle>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The question editor's controls as its window and its question form draw them: white text
// fields, labels in the window's colours, buttons whose focus shows as a thick yellow frame.
namespace EditorLook {

inline const QColor Background(0, 0, 0);
inline const QColor AlternateRow(28, 28, 28);

// A text field, black on white, with its name for screen readers.
QLineEdit *field(const QString &accessibleName, QWidget *parent);
QLabel *label(const QString &text, QWidget *parent, const QColor &colour = WindowStyle::White);
QPushButton *button(QStyle::StandardPixmap glyph, const QString &text, QWidget *parent);

} // namespace EditorLook
