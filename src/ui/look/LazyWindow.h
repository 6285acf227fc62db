#pragma once

#include <QWidget>

// A top-level window whose elements are made when it is first shown or first needed, so
// that a window the player has not opened yet costs nothing at start-up.
//
// The elements must exist before the window is shown: children made while it is being
// shown would stay hidden. setVisible() makes them first.
class LazyWindow : public QWidget
{
    Q_OBJECT

public:
    // Makes the window's elements, once.
    void ensureBuilt();

protected:
    LazyWindow(QWidget *parent, Qt::WindowFlags flags);

    // Makes the elements; called once, by ensureBuilt().
    virtual void build() = 0;

    void setVisible(bool visible) override;

private:
    bool m_built = false;
};
