#include "app/Fonts.h"

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

// The first of the family's fonts that is installed, looked up once: a font that is not
// there would make every text fall back through the system's font search.
QStringList installed(Fonts::Family family)
{
    static std::array<QStringList, size_t(Fonts::Family::Tahoma) + 1> found;
    QStringList &families = found[size_t(family)];
    if (families.isEmpty()) {
        const QStringList wanted = familiesFor(family);
        const auto it = std::find_if(wanted.begin(), wanted.end(), [](const QString &name) {
            return QFontDatabase::hasFamily(name);
        });
        families = it == wanted.end() ? wanted : QStringList{*it};
    }
    return families;
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
