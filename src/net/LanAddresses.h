#pragma once

#include <QHostAddress>
#include <QList>

// Where the friends' table listens: the machine's own addresses on a private network and
// loopback, never an address the wider internet could reach. A laptop plugged straight into
// a public network hears nothing but itself.
namespace LanAddresses {

// Loopback, the private IPv4 ranges (10/8, 172.16/12, 192.168/16) and IPv6 unique local
// addresses (fc00::/7). Link-local addresses are left out: a browser needs a zone to reach
// them, and a phone's camera cannot carry one in a QR code.
bool isLocal(const QHostAddress &address);

// The machine's addresses that isLocal() keeps, loopback included, private IPv4 first.
QList<QHostAddress> listening();

// The address to give the friends: the first private IPv4 address, else the first unique
// local IPv6 one, else IPv4 loopback (the host can still try the page on its own machine).
QHostAddress forFriends(const QList<QHostAddress> &addresses);

} // namespace LanAddresses
