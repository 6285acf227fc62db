#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The messages between the friends' table and its page (docs/protocol.md): one JSON object
// per WebSocket text message, with the format's version and its type.
namespace Protocol {

inline constexpr int Version = 1;
inline constexpr int MaxMessageBytes = 4096;
inline constexpr int MaxNameLength = 12;

// What a page may ask, checked field by field.
struct Request
{
    enum class Type { Join, Resume, Answer, Bank, Vote };
    Type type = Type::Join;
    QString code;       // join
    QString name;       // join, trimmed
    QString secret;     // resume
    int answer = 0;     // answer: 0 or 1
    qint64 question = 0;  // answer: the question's id
    int seat = 0;       // vote: 1..8
};

// A message read: the request, or why it is refused (and the type it claimed, if any).
struct Parsed
{
    bool ok = false;
    Request request;
    QString refusal;
    QString what;
};

Parsed parse(const QString &text);

// Why a name cannot be taken (empty when it can): 1..12 characters after trimming, no
// control characters, every character storable in the game's files, and not one of the
// marks those files use. `trimmed` receives the name as it will be kept.
QString nameRefusal(const QString &name, QString *trimmed = nullptr);

// A message to a page: `fields` with the version and type added, as compact JSON.
QByteArray message(const QString &type, QJsonObject fields = {});
QByteArray refused(const QString &what, const QString &reason);

} // namespace Protocol
