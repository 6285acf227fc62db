#pragma once

#include <QPoint>
#include <QRectF>

// Where the seats stand on the game table: the name label of seat N (1..8, clockwise from
// the lower left); its vote label stands 24 pixels below. The table's picture draws a
// ring behind each pair.
namespace TableLayout {

inline constexpr QPoint NameLabel[] = {{0, 0},    {184, 328}, {192, 224}, {216, 120}, {344, 48},
                                       {504, 56}, {632, 128}, {656, 232}, {664, 336}};
inline constexpr int VoteLabelBelow = 24;
inline constexpr int LabelWidth = 97;
inline constexpr int LabelHeight = 17;

// The oval the picture draws round seat N's name and vote label.
constexpr QRectF seatOval(int seat)
{
    return QRectF(NameLabel[seat].x() - 14, NameLabel[seat].y() - 9, LabelWidth + 28, LabelHeight + VoteLabelBelow + 18);
}

// The frames the table's picture draws (their lines' middles); what the table writes inside
// one stays clear of its line. The chain's column is wide enough for "50,000" in its large
// type with room to spare.
inline constexpr QRectF NarrationFrame(346, 122, 261, 317);
inline constexpr QRectF ChainFrame(12, 62, 124, 504);
inline constexpr QRectF AnswerFrame(346, 466, 261, 69);
inline constexpr QRectF PrizeFrame(384, 546, 185, 33);

} // namespace TableLayout
