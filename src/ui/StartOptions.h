#pragma once

#include "core/engine/RandomSource.h"

#include <QString>

#include <memory>
#include <optional>

// What the command line asks of the program:
//   --seed N   (or --seed=N) the game's draws start from N, 0..4294967295: the same N and
//              the same moves give the same game, seat for seat and question for question.
// Everything else on the line is left to Qt.
struct StartOptions
{
    std::optional<unsigned> seed;
    QString error;  // why the line cannot be followed; empty when it can

    static StartOptions read(int argc, const char *const *argv);
    // The game's draws: from the seed, or from real entropy without one.
    std::unique_ptr<RandomSource> random() const;
};
