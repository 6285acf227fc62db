#include "net/QrCode.h"

#include <qrencode.h>

QList<QBitArray> qrCodeOf(const QString &text)
{
    QList<QBitArray> rows;
    const QByteArray bytes = text.toUtf8();
    QRcode *code = QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M);
    if (!code)
        return rows;
    const int width = code->width;
    for (int y = 0; y < width; ++y) {
        QBitArray row(width);
        for (int x = 0; x < width; ++x)
            row.setBit(x, code->data[y * width + x] & 1);
        rows.append(row);
    }
    QRcode_free(code);
    return rows;
}
