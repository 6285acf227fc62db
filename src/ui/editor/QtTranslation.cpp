#include "ui/editor/QtTranslation.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

void QtTranslation::installRussian()
{
    static const bool done = [] {
        auto *qt = new QTranslator(qApp);
        if (qt->load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        return true;
    }();
    Q_UNUSED(done);
}
