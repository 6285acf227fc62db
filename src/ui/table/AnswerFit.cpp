#include "ui/table/AnswerFit.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

// One pixel of room on either side: the same text takes a little more at other screen
// scales, where the glyphs are hinted to other pixels.
constexpr qreal Slack = 2;
constexpr int SmallestSize = 9;

QFont boldAt(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace

FittedAnswer fitAnswer(const QString &answer, const QFont &font, int width, int height)
{
    const int largest = font.pixelSize() > 0 ? font.pixelSize() : 11;
    const qreal room = width - Slack;

    // One line: in the table's type, or one size smaller.
    for (int size = largest; size >= std::max(SmallestSize, largest - 1); --size) {
        if (QFontMetricsF(boldAt(font, size)).horizontalAdvance(answer) <= room)
            return {answer, size, true};
    }

    // Two lines, broken at the space that makes the longer line shortest.
    for (int size = largest; size >= SmallestSize; --size) {
        const QFontMetricsF metrics(boldAt(font, size));
        if (2 * metrics.lineSpacing() > height)
            continue;
        qreal bestLonger = 0;
        int bestBreak = -1;
        for (int at = answer.indexOf(u' '); at >= 0; at = answer.indexOf(u' ', at + 1)) {
            const qreal longer = std::max(metrics.horizontalAdvance(answer.left(at)),
                                          metrics.horizontalAdvance(answer.mid(at + 1)));
            if (bestBreak < 0 || longer < bestLonger) {
                bestLonger = longer;
                bestBreak = int(at);
            }
        }
        if (bestBreak >= 0 && bestLonger <= room)
            return {answer.left(bestBreak) + u'\n' + answer.mid(bestBreak + 1), size, true};
    }

    // Never met in the shipped questions: the smallest type, cut with "…".
    const QFontMetricsF metrics(boldAt(font, SmallestSize));
    return {metrics.elidedText(answer, Qt::ElideRight, room), SmallestSize, false};
}
