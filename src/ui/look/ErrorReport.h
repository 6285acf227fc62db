#pragma once

#include "core/data/Status.h"

#include <functional>

class QWidget;

// Shows a failed operation to the player in a message box on the window where it happened.
// Tests install their own handler so that no modal box blocks them.
namespace ErrorReport {

using Handler = std::function<void(QWidget *parent, const Status &status)>;

void show(QWidget *parent, const Status &status);
// Replaces the message box; an empty handler brings it back. Returns the previous one.
Handler setHandler(Handler handler);

} // namespace ErrorReport
