#pragma once
// The Jalali date field of the ledger window: typed as year/month/day or
// picked from a Jalali calendar, held as a Gregorian QDate. A typed text that
// is no date, names a day the Jalali calendar does not have, or lies outside
// the Gregorian years 1000 to 9999 (the dates SQL text can carry with a
// four-digit year) is refused: the field keeps the date it had, marks the
// box, shows the reason in Persian beside it and raises inputRefused.

#include <QDate>
#include <QWidget>

class LookupInputWatch;
class QCalendarWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

class VelkoDate : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QDate Value READ Value WRITE setValue NOTIFY Change USER true)
    Q_PROPERTY(QString JalaliText READ JalaliText NOTIFY Change)
    Q_PROPERTY(qint16 JalaliYear READ JalaliYear NOTIFY Change)
    Q_PROPERTY(bool IsEmpty READ IsEmpty NOTIFY Change)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)

public:
    explicit VelkoDate(QWidget *parent = nullptr);
    ~VelkoDate() override;

    // A null (or otherwise invalid) date empties the field.
    QDate Value() const { return m_value; }
    void setValue(const QDate &date);

    QString JalaliText() const { return ToJalaliText(m_value); }
    qint16 JalaliYear() const; // -1 when empty
    bool IsEmpty() const { return m_value.isNull(); }
    void Clear() { setValue(QDate()); }

    // A locked field shows its date but takes no change from a person.
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);

    // The first and last Gregorian day a person may type (years 1000 to 9999).
    static QDate FirstTakenDate() { return QDate(1000, 1, 1); }
    static QDate LastTakenDate() { return QDate(9999, 12, 31); }

    // "1402/05/09" (year of four digits, month and day of two); "" for an
    // invalid date.
    static QString ToJalaliText(const QDate &date);
    // Why a Jalali text is or is not a date the field takes.
    enum class TextProblem {
        None,       // a date within FirstTakenDate()..LastTakenDate()
        Incomplete, // not year/month/day with a four-digit year
        NoSuchDay,  // a month or day the Jalali calendar does not have
        OutOfRange, // a real day outside FirstTakenDate()..LastTakenDate()
    };
    // Reads a Jalali "year/month/day" text (four-digit year; Persian and
    // Arabic-Indic digits read as the digits they are) into date, which is
    // left invalid unless the answer is None.
    static TextProblem CheckJalaliText(const QString &text, QDate *date = nullptr);
    // The date of CheckJalaliText, or an invalid QDate for any problem.
    static QDate FromJalaliText(const QString &text);
    // The Persian sentence saying why the typed text is refused; "" for None.
    static QString RefusalText(TextProblem problem, const QString &typed);

    // For tests and for driving the field without a person.
    QLineEdit *dateBox() const { return m_box; }
    QToolButton *calendarButton() const { return m_button; }
    QCalendarWidget *calendar() const { return m_calendar; } // nullptr until first opened
    // The note beside the box that says why the last typed text was refused;
    // nullptr until the first refusal.
    QLabel *refusalLabel() const { return m_refusal; }
    void openCalendar();

signals:
    // Raised on every real change of the date, by a person or by code.
    void Change();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Raised when typed text is refused, with the Persian message that the
    // field also shows beside its box; the date held has not changed.
    void inputRefused(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void commitTypedText();
    void addSeparator(const QString &text);
    void takeCalendarDate(const QDate &date);
    void showValue();
    void refuse(const QString &message);
    void showRefusal(const QString &message);
    void hideRefusal();
    void placeBelow(QWidget *popup) const;

    QDate m_value;
    bool m_locked = false;
    qsizetype m_typedLength = 0; // length of the box's text before the last edit
    QLineEdit *m_box;
    QToolButton *m_button;
    QFrame *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_refusal = nullptr;
    QTimer *m_refusalTimer = nullptr;
    QWidget *m_watchedWindow = nullptr; // moves of this window take the refusal note away
    LookupInputWatch *m_watch;
};
