#pragma once
// The Jalali date field of the ledger window: typed as year/month/day or
// picked from a Jalali calendar, held as a Gregorian QDate. A date that does
// not exist in the Jalali calendar is refused where it is typed and the field
// keeps the date it had.

#include <QDate>
#include <QWidget>

class LookupInputWatch;
class QCalendarWidget;
class QFrame;
class QLineEdit;
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

    // "1402/05/09" (year of four digits, month and day of two); "" for an
    // invalid date.
    static QString ToJalaliText(const QDate &date);
    // The Gregorian date of a Jalali "year/month/day" text (four-digit year,
    // Persian digits accepted); an invalid QDate for text that is garbled or
    // names a day the Jalali calendar does not have.
    static QDate FromJalaliText(const QString &text);

    // For tests and for driving the field without a person.
    QLineEdit *dateBox() const { return m_box; }
    QToolButton *calendarButton() const { return m_button; }
    QCalendarWidget *calendar() const { return m_calendar; } // nullptr until first opened
    void openCalendar();

signals:
    // Raised on every real change of the date, by a person or by code.
    void Change();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void commitTypedText();
    void addSeparator(const QString &text);
    void takeCalendarDate(const QDate &date);
    void showValue();
    void refuse(const QString &typed);

    QDate m_value;
    bool m_locked = false;
    qsizetype m_typedLength = 0; // length of the box's text before the last edit
    QLineEdit *m_box;
    QToolButton *m_button;
    QFrame *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    LookupInputWatch *m_watch;
};
