#pragma once
// A one-line label for the narrow places of the selector and the account
// picker: when its text is wider than the room the layout gives it, it shows
// the text cut at its end (the left, in a right-to-left form) with "…", and
// its tool tip holds the whole text. Unlike a QLabel it asks the layout for
// only a few characters as its minimum, so a long text never pushes the
// fields beside it out of the control.

#include <QLabel>

class ElidingLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget *parent = nullptr);

    // Sets the text and brings the tool tip up to date.
    void setFullText(const QString &text);
    // True while the text does not fit and is shown cut.
    bool isElided() const;
    // The width at which text shows whole, frame and padding included.
    int widthShowing(const QString &text) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect textRect() const;
    void refreshToolTip();
};
