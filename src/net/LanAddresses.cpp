#include "net/LanAddresses.h"

#include <QNetworkInterface>

#include <algorithm>

namespace LanAddresses {

namespace {

bool isPrivateIPv4(const QHostAddress &address)
{
    return address.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8)
           || address.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12)
           || address.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
}

int rank(const QHostAddress &address)
{
    if (address.isLoopback())
        return address.protocol() == QAbstractSocket::IPv4Protocol ? 2 : 3;
    return address.protocol() == QAbstractSocket::IPv4Protocol ? 0 : 1;
}

} // namespace

bool isLocal(const QHostAddress &address)
{
    if (address.isLoopback())
        return true;
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return isPrivateIPv4(address);
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        return address.isUniqueLocalUnicast();
    return false;
}

QList<QHostAddress> listening()
{
    QList<QHostAddress> found;
    const QList<QHostAddress> all = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : all) {
        if (isLocal(address) && !found.contains(address))
            found.append(address);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const QHostAddress &a, const QHostAddress &b) { return rank(a) < rank(b); });
    return found;
}

QHostAddress forFriends(const QList<QHostAddress> &addresses)
{
    for (const QHostAddress &address : addresses) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    }
    for (const QHostAddress &address : addresses) {
        if (!address.isLoopback())
            return address;
    }
    return QHostAddress(QHostAddress::LocalHost);
}

} // namespace LanAddresses
