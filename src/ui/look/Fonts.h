#pragma once

#include <QFont>

// The game's fonts in one place: each named family first, then free fonts with Cyrillic
// glyphs that Debian ships (installed by the play and test commands).
namespace Fonts {

enum class Family {
    MsSansSerif,   // window text
    ComicSans,     // seat names
    BookAntiqua,   // vote results
    CenturyGothic, // money chain, bank, clock caption
    NewsGothic,    // prize
    Terminal,      // clock
    Tahoma,        // maker's notice
};

// A font of `pixelSize` pixels character height.
QFont font(Family family, int pixelSize, bool bold = false);

} // namespace Fonts
