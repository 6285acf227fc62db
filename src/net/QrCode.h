#pragma once

#include <QBitArray>
#include <QList>
#include <QString>

// A QR code of a short text (the table's address): rows of modules, true where dark,
// without the quiet zone around it. Empty when the text does not fit.
QList<QBitArray> qrCodeOf(const QString &text);
