#include "ui/modules/ModuleLoader.h"

#include <QCoreApplication>
#include <QPluginLoader>

QObject *ModuleLoader::instance(const QString &path)
{
    // The loader may go: the library stays loaded, as only unload() would unload it, and the
    // module's object is made once for the whole program.
    QPluginLoader loader(path);
    return loader.instance();
}

QString ModuleLoader::besideProgram(const QString &name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}
