#pragma once

#include <QSettings>

// The player's settings file (the window size, the sound, the host's voice), named in full:
// the window size is read before the application, and with it the program's name, exists.
inline QSettings playerSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("zybkotsepye"),
                     QStringLiteral("zybkotsepye"));
}
