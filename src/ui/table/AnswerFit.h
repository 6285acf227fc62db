#pragma once

#include <QFont>
#include <QString>

// An answer laid out for its line beside the radio button: whole, on one line in the table's
// type, or a size smaller, or broken between words onto two lines. It is measured in bold,
// as the verdict shows it, so that the verdict never cuts what the question showed.
struct FittedAnswer
{
    QString text;      // with a line break where it goes onto a second line
    int pixelSize = 0; // the type's size
    bool whole = true; // false only when even two lines of the smallest type are too short
};

// Fits `answer` into `width` x `height` pixels in `font`, whose pixel size is the largest
// the answer may take.
FittedAnswer fitAnswer(const QString &answer, const QFont &font, int width, int height);
