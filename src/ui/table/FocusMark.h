#pragma once

#include <QPointer>
#include <QWidget>

// A bright frame round whichever control of the table has the keyboard focus: the style's own
// mark is a faint dark blue that the table's black swallows. It lets every click through.
class FocusMark : public QWidget
{
public:
    explicit FocusMark(QWidget *table);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *focus);
    void place();

    QPointer<QWidget> m_target;
};
