#pragma once

#include <QPoint>

// Where the seats stand on the game table: the name label of seat N (1..8, clockwise from
// the lower left); its vote label stands 24 pixels below. The table's picture draws a
// ring behind each pair.
namespace TableLayout {

inline constexpr QPoint NameLabel[] = {{0, 0},    {184, 328}, {192, 224}, {216, 120}, {344, 48},
                                       {504, 56}, {632, 128}, {656, 232}, {664, 336}};
inline constexpr int VoteLabelBelow = 24;
inline constexpr int LabelWidth = 97;
inline constexpr int LabelHeight = 17;

} // namespace TableLayout
