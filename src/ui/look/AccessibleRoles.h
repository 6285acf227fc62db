#pragma once

// What screen readers are told the windows' parts are, beyond Qt's defaults: the four
// windows are frames (Qt calls a plain top-level widget a client area), and the painted
// backdrops are left out, since they say nothing a reader could read.
namespace AccessibleRoles {

// Installs the roles; done once, however often it is called.
void install();

} // namespace AccessibleRoles
