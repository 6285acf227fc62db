#include "ui/look/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <array>

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

// The first of each family's fonts that is installed, looked up once (and safely from any
// thread): a font that is not there would make every text fall back through the system's
// font search. The installed families are compared by name, without the font
// configuration's aliases, which cost a search of their own.
QStringList installed(Fonts::Family family)
{
    constexpr int Families = int(Fonts::Family::Tahoma) + 1;
    static const std::array<QStringList, Families> found = [] {
        const QStringList available = QFontDatabase::families();
        std::array<QStringList, Families> result;
        for (int i = 0; i < Families; ++i) {
            const QStringList wanted = familiesFor(Fonts::Family(i));
            const auto it = std::find_if(wanted.begin(), wanted.end(), [&](const QString &name) {
                return available.contains(name, Qt::CaseInsensitive);
            });
            result[size_t(i)] = it == wanted.end() ? wanted : QStringList{*it};
        }
        return result;
    }();
    return found[size_t(family)];
}

} // namespace

QFont Fonts::font(Family family, int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies(installed(family));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
