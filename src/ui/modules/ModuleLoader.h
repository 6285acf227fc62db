#pragma once

#include <QObject>
#include <QString>

// The program's modules: libraries beside the program that bring what its start and its main
// menu do without (Qt Multimedia for the sound, Qt Network for the friends' table). Each is a
// Qt plugin whose one object offers the module's interface, declared with
// Q_DECLARE_INTERFACE. A module is loaded when it is first needed and is never unloaded: what
// it makes lives as long as the program.
class ModuleLoader
{
public:
    // The module's interface; null when the file is missing or is not a module with this
    // interface. `path` is the module's file without its suffix; empty: the file `name`
    // beside the program.
    template <typename Interface>
    static Interface *load(const QString &path, const QString &name)
    {
        return qobject_cast<Interface *>(instance(path.isEmpty() ? besideProgram(name) : path));
    }

private:
    static QObject *instance(const QString &path);
    static QString besideProgram(const QString &name);
};
