#pragma once

#include <QLabel>

// A seat's name label: a transparent label that reports clicks. While the vote is open it
// lights up under the pointer, inviting the click; at other times it does not react.
class SeatLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setVoteOpen(bool open);
    bool isLit() const { return m_lit; }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setLit(bool lit);

    bool m_voteOpen = false;
    bool m_lit = false;
};
