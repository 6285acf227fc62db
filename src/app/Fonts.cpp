#include "app/Fonts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QStringList familiesFor(Fonts::Family family)
{
    switch (family) {
    case Fonts::Family::MsSansSerif: return {u"MS Sans Serif"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s};
    case Fonts::Family::ComicSans: return {u"Comic Sans MS"_s, u"DejaVu Sans"_s};
    case Fonts::Family::BookAntiqua: return {u"Book Antiqua"_s, u"P052"_s, u"DejaVu Serif"_s};
    case Fonts::Family::CenturyGothic: return {u"Century Gothic"_s, u"URW Gothic"_s, u"DejaVu Sans"_s};
    case Fonts::Family::NewsGothic: return {u"News Gothic MT"_s, u"Nimbus Sans Narrow"_s, u"Liberation Sans Narrow"_s, u"DejaVu Sans Condensed"_s};
    case Fonts::Family::Terminal: return {u"Terminal"_s, u"DejaVu Sans Mono"_s};
    case Fonts::Family::Tahoma: return {u"Tahoma"_s, u"DejaVu Sans"_s};
    }
    return {u"DejaVu Sans"_s};
}

} // namespace

QFont Fonts::font(Family family, int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies(familiesFor(family));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
