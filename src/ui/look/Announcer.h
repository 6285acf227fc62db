#pragma once

#include <QWidget>

// Tells a screen reader a line it should speak at once. Screen readers speak a notification
// as it shows, so each line becomes the name of a small notification in the accessibility
// tree, shown anew for the line. Nothing of it is drawn.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void say(const QString &line);
};
