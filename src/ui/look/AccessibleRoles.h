#pragma once

// What screen readers are told the windows' parts are, beyond Qt's defaults: the four
// windows are frames (Qt calls a plain top-level widget a client area), the painted
// backdrops are left out, since they say nothing a reader could read, and an Announcer
// is a notification.
namespace AccessibleRoles {

// Installs the roles; done once, however often it is called.
void install();

} // namespace AccessibleRoles
