#pragma once

#include <QLabel>

// A seat's name label: a transparent label that reports clicks. While the vote is open it
// is a button: the pointer over it or over its oval (SeatOval) outlines it, the keyboard
// focus lays a red plate behind it, and Enter or Space votes as a click does. At other
// times it does not react.
//
// Screen readers meet it as a button named "Место N: имя", unavailable outside the vote.
class SeatLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SeatLabel(QWidget *parent = nullptr);

    // The type names take; a long name takes a smaller one.
    void setNameFont(const QFont &font);
    // Shows `name`, in type small enough to keep clear of the plate's edge.
    void showName(const QString &name);

    void setVoteOpen(bool open);
    bool isVoteOpen() const { return m_voteOpen; }
    // A vote by the keyboard or a screen reader: a click, while the vote is open.
    void press();
    // How the name stands out while the vote is open.
    enum class Look { Plain, Pointed, Focused };
    Look look() const { return m_look; }
    bool isLit() const { return m_look != Look::Plain; }
    // The pointer is over the seat's oval, outside the name.
    void setOvalHovered(bool hovered);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateLook();

    QFont m_nameFont;
    bool m_voteOpen = false;
    bool m_ovalHovered = false;
    Look m_look = Look::Plain;
};
