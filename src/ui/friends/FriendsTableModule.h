#pragma once

#include "ui/friends/FriendsTable.h"

#include <memory>

// Loads the network module beside the program (or the one at `path`) and makes a table.
// Null, with `error` set, when the module is missing or broken.
namespace FriendsTableModule {

std::unique_ptr<FriendsTable> create(QString *error, const QString &path = QString());

} // namespace FriendsTableModule
