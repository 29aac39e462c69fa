#include "outside/controls/VelkoDate.h"

#include "outside/controls/LookupInputWatch.h"
#include "outside/controls/LookupTexts.h"
#include "session/Clock.h"
#include "session/ValueText.h"

#include <QCalendar>
#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QCalendar &jalali()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
}

const QString RefusedStyle = QStringLiteral("QLineEdit { border: 1px solid #d00000; background: #fff0f0; }");
const QString RefusalNoteStyle = QStringLiteral(
    "QLabel { color: #a00000; background: #fff4f4; border: 1px solid #d00000; padding: 3px 6px; }");
constexpr int RefusalNoteMilliseconds = 8000;
constexpr int RefusalNoteMaxWidth = 380;

// Separators and blanks without any digit: nothing typed.
bool isBlank(const QString &text)
{
    for (QChar c : text)
        if (c != QLatin1Char('/') && !c.isSpace())
            return false;
    return true;
}

// ASCII, Persian and Arabic-Indic digits.
const QString AnyDigit = QStringLiteral("[0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]");

QRegularExpression digitsPattern(const QString &pattern)
{
    return QRegularExpression(QString(pattern).replace(QStringLiteral("DIGIT"), AnyDigit));
}

// Digits (Persian ones too) and up to two "/" in the year/month/day places.
const QRegularExpression &typingPattern()
{
    static const QRegularExpression pattern = digitsPattern(QStringLiteral("^DIGIT{0,4}(/(DIGIT{1,2}(/DIGIT{0,2})?)?)?$"));
    return pattern;
}

// Some Arabic-script fonts report one glyph (a wide ligature) many times
// wider than a letter, and the calendar sizes every day column by it. Such a
// font moves behind a Latin one, which keeps the columns narrow while the
// Persian names still come from it.
QFont calendarFont(QFont font)
{
    const QFontMetrics metrics(font);
    if (metrics.maxWidth() <= 4 * metrics.averageCharWidth())
        return font;
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    font.setFamilies(QStringList{QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")} + families);
    return font;
}

} // namespace

VelkoDate::VelkoDate(QWidget *parent)
    : QWidget(parent)
    , m_box(new QLineEdit(this))
    , m_button(new QToolButton(this))
    , m_watch(new LookupInputWatch(this))
{
    setLayoutDirection(Qt::RightToLeft);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_box);

    m_box->setObjectName(QStringLiteral("txtDate"));
    // Dates are written year first, left to right, also inside a right-to-left form.
    m_box->setLayoutDirection(Qt::LeftToRight);
    m_box->setAlignment(Qt::AlignCenter);
    // A validator, not an input mask: an empty mask's blanks take the
    // direction of the input method and show mirrored in a right-to-left form.
    m_box->setValidator(new QRegularExpressionValidator(typingPattern(), m_box));
    m_box->setPlaceholderText(QStringLiteral("----/--/--"));
    m_box->setMinimumWidth(m_box->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 16);

    m_button->setObjectName(QStringLiteral("cmdCalendar"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setToolTip(LookupText::OpenCalendar);
    m_button->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_box, 1);
    layout->addWidget(m_button);

    // Enter and leaving the box take what was typed. Not editingFinished: the
    // mask withholds it while any place is blank, and a half-typed or erased
    // date must be answered too.
    m_box->installEventFilter(this);
    connect(m_box, &QLineEdit::textEdited, this, &VelkoDate::addSeparator);
    connect(m_box, &QLineEdit::textEdited, this, &VelkoDate::hideRefusal); // the person is correcting it
    connect(m_button, &QToolButton::clicked, this, &VelkoDate::openCalendar);
    connect(m_watch, &LookupInputWatch::keyDown, this, &VelkoDate::KeyDown);
    m_watch->watchKeys(m_box);
    showValue();
}

VelkoDate::~VelkoDate()
{
    delete m_watch; // no key or focus reports from a half-destroyed field
    m_box->removeEventFilter(this);
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
}

void VelkoDate::setValue(const QDate &date)
{
    const QDate value = date.isValid() ? date : QDate();
    const bool changed = value != m_value;
    m_value = value;
    showValue();
    if (changed)
        emit Change();
}

qint16 VelkoDate::JalaliYear() const
{
    return IsEmpty() ? qint16(-1) : qint16(jalali().partsFromDate(m_value).year);
}

void VelkoDate::setLocked(bool locked)
{
    m_locked = locked;
    m_box->setReadOnly(locked);
    m_button->setEnabled(!locked);
    if (locked && m_popup)
        m_popup->hide();
    if (locked)
        hideRefusal();
}

QString VelkoDate::ToJalaliText(const QDate &date)
{
    if (!date.isValid())
        return QString();
    const QCalendar::YearMonthDay parts = jalali().partsFromDate(date);
    if (!parts.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(parts.year, 4, 10, QLatin1Char('0'))
        .arg(parts.month, 2, 10, QLatin1Char('0'))
        .arg(parts.day, 2, 10, QLatin1Char('0'));
}

VelkoDate::TextProblem VelkoDate::CheckJalaliText(const QString &text, QDate *date)
{
    if (date)
        *date = QDate();
    // [0-9], not \d: after WithLatinDigits any other digit is a digit no one meant.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([0-9]{4})\s*/\s*([0-9]{1,2})\s*/\s*([0-9]{1,2})\s*$)"));
    const QRegularExpressionMatch match = pattern.match(WithLatinDigits(text));
    if (!match.hasMatch())
        return TextProblem::Incomplete;
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int day = match.captured(3).toInt();
    if (year < 1)
        return TextProblem::OutOfRange;
    if (!jalali().isDateValid(year, month, day))
        return TextProblem::NoSuchDay;
    // Jalali 9999 is Gregorian 10620: a five-digit year no date text in SQL carries.
    const QDate found = jalali().dateFromParts(year, month, day);
    if (found < FirstTakenDate() || found > LastTakenDate())
        return TextProblem::OutOfRange;
    if (date)
        *date = found;
    return TextProblem::None;
}

QDate VelkoDate::FromJalaliText(const QString &text)
{
    QDate date;
    CheckJalaliText(text, &date);
    return date;
}

QString VelkoDate::RefusalText(TextProblem problem, const QString &typed)
{
    switch (problem) {
    case TextProblem::None:
        break;
    case TextProblem::Incomplete:
        return LookupText::BadDate + LookupText::DateIncomplete.arg(typed);
    case TextProblem::NoSuchDay:
        return LookupText::BadDate + LookupText::DateNoSuchDay.arg(typed);
    case TextProblem::OutOfRange:
        return LookupText::BadDate
            + LookupText::DateOutOfRange.arg(typed, ToJalaliText(FirstTakenDate()), ToJalaliText(LastTakenDate()));
    }
    return QString();
}

void VelkoDate::commitTypedText()
{
    if (m_locked)
        return;
    const QString typed = m_box->text();
    if (isBlank(typed)) {
        setValue(QDate());
        return;
    }
    const QString cleaned = QString(typed).remove(QLatin1Char(' '));
    if (cleaned == JalaliText())
        return; // the box shows the date held: nothing was typed, and a refusal mark stays
    QDate date;
    const TextProblem problem = CheckJalaliText(cleaned, &date);
    if (problem == TextProblem::None)
        setValue(date);
    else
        refuse(RefusalText(problem, cleaned));
}

bool VelkoDate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedWindow && watched != m_box) {
        // The note is a window of its own: it does not follow the form.
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            hideRefusal();
            break;
        default:
            break;
        }
    } else if (watched == m_box) {
        if (event->type() == QEvent::FocusOut) {
            commitTypedText();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                commitTypedText();
            else if (key == Qt::Key_F4 || (key == Qt::Key_Down && (static_cast<QKeyEvent *>(event)->modifiers() & Qt::AltModifier)))
                openCalendar();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VelkoDate::addSeparator(const QString &text)
{
    // Typing the digits alone is enough: "/" follows the year and the month.
    // Only when the text grew at its end, so erasing a "/" stays possible.
    if (m_box->cursorPosition() != text.size() || text.size() <= m_typedLength) {
        m_typedLength = text.size();
        return;
    }
    m_typedLength = text.size();
    static const QRegularExpression full = digitsPattern(QStringLiteral("^DIGIT{4}(/DIGIT{2})?$"));
    if (full.match(text).hasMatch())
        m_box->insert(QStringLiteral("/")); // as if typed: the box's undo history stays whole
}

void VelkoDate::openCalendar()
{
    if (m_locked || !isEnabled())
        return;
    if (!m_popup) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setObjectName(QStringLiteral("frmCalendar"));
        m_popup->setFrameShape(QFrame::StyledPanel);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setObjectName(QStringLiteral("calDate"));
        m_calendar->setFont(calendarFont(font()));
        m_calendar->setCalendar(jalali());
        m_calendar->setDateRange(FirstTakenDate(), LastTakenDate());
        m_calendar->setLocale(QLocale(QLocale::Persian, QLocale::Iran));
        m_calendar->setLayoutDirection(Qt::RightToLeft);
        m_calendar->setFirstDayOfWeek(Qt::Saturday);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        m_calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        // Friday is the weekend here, not Saturday and Sunday.
        const QTextCharFormat workday = m_calendar->weekdayTextFormat(Qt::Monday);
        QTextCharFormat weekend = workday;
        weekend.setForeground(QColor(0xc0, 0, 0));
        m_calendar->setWeekdayTextFormat(Qt::Saturday, workday);
        m_calendar->setWeekdayTextFormat(Qt::Sunday, workday);
        m_calendar->setWeekdayTextFormat(Qt::Friday, weekend);
        m_calendar->setGridVisible(true);
        m_calendar->setMinimumWidth(280);
        auto *layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(m_calendar);
        connect(m_calendar, &QCalendarWidget::clicked, this, &VelkoDate::takeCalendarDate);
        connect(m_calendar, &QCalendarWidget::activated, this, &VelkoDate::takeCalendarDate);
    }
    const QDate shown = IsEmpty() ? Today() : m_value;
    m_calendar->setSelectedDate(shown);
    m_calendar->setCurrentPage(jalali().partsFromDate(shown).year, jalali().partsFromDate(shown).month);
    m_popup->adjustSize();
    placeBelow(m_popup);
    m_popup->show();
    m_calendar->setFocus();
}

void VelkoDate::placeBelow(QWidget *popup) const
{
    // Below the field, right edges aligned, kept on the screen.
    QPoint topLeft = mapToGlobal(QPoint(width() - popup->width(), height()));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() - popup->width())));
        if (topLeft.y() + popup->height() > area.bottom())
            topLeft.setY(mapToGlobal(QPoint(0, 0)).y() - popup->height());
    }
    popup->move(topLeft);
}

void VelkoDate::takeCalendarDate(const QDate &date)
{
    m_popup->hide();
    if (!m_locked)
        setValue(date);
    m_box->setFocus();
}

void VelkoDate::showValue()
{
    m_box->setText(JalaliText());
    m_typedLength = m_box->text().size();
    m_box->setStyleSheet(QString());
    m_box->setToolTip(LookupText::DateFormatHint);
    hideRefusal();
}

void VelkoDate::refuse(const QString &message)
{
    showValue(); // the date held stays, and so does its text
    m_box->setStyleSheet(RefusedStyle);
    m_box->setToolTip(message + QLatin1Char('\n') + LookupText::DateFormatHint);
    showRefusal(message);
    emit inputRefused(message);
}

void VelkoDate::showRefusal(const QString &message)
{
    if (!m_refusal) {
        // A window of its own, so the sentence is not squeezed into the
        // field's narrow box; it takes no focus from the form.
        m_refusal = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        m_refusal->setObjectName(QStringLiteral("lblRefusal"));
        m_refusal->setAttribute(Qt::WA_ShowWithoutActivating);
        m_refusal->setLayoutDirection(Qt::RightToLeft);
        m_refusal->setTextFormat(Qt::PlainText);
        m_refusal->setWordWrap(true);
        m_refusal->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
        m_refusal->setStyleSheet(RefusalNoteStyle);
        m_refusalTimer = new QTimer(this);
        m_refusalTimer->setSingleShot(true);
        m_refusalTimer->setInterval(RefusalNoteMilliseconds);
        connect(m_refusalTimer, &QTimer::timeout, this, &VelkoDate::hideRefusal);
    }
    if (window() != m_watchedWindow && window() != this) {
        if (m_watchedWindow)
            m_watchedWindow->removeEventFilter(this);
        m_watchedWindow = window();
        m_watchedWindow->installEventFilter(this);
    }
    m_refusal->setFont(font());
    m_refusal->setText(message);
    // As wide as the sentence needs, at least the field's width, wrapped beyond a limit.
    const int wanted = m_refusal->fontMetrics().horizontalAdvance(message) + 20;
    m_refusal->setFixedWidth(qBound(width(), wanted, qMax(width(), RefusalNoteMaxWidth)));
    m_refusal->setFixedHeight(m_refusal->heightForWidth(m_refusal->width()));
    placeBelow(m_refusal);
    m_refusal->show();
    m_refusalTimer->start();
}

void VelkoDate::hideRefusal()
{
    if (!m_refusal)
        return;
    m_refusal->hide();
    m_refusalTimer->stop();
}

void VelkoDate::hideEvent(QHideEvent *event)
{
    hideRefusal();
    QWidget::hideEvent(event);
}
