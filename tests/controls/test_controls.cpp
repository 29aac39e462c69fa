// The outside controls the ledger window is built from: the Jalali date
// field, the code/look-up selector, the account picker and the message
// dialog, driven as a person would (typing, Enter, buttons) offscreen.

#include "TestSupport.h"

#include "outside/components/ComponentRegistry.h"
#include "outside/components/comMsg.h"
#include "outside/controls/LookupDialog.h"
#include "outside/controls/LookupTexts.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTreeView>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

namespace {

// Runs `act` on the modal dialog as soon as one is open (a modal dialog's
// exec() does not return until it is closed).
void whenModalOpens(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act, ticks = 0]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        const bool open = modal && modal->isVisible();
        if (!open && ++ticks <= 500)
            return; // wait up to five seconds
        timer->stop();
        timer->deleteLater();
        open ? act(modal) : qWarning("no modal dialog opened");
    });
    timer->start(10);
}

// Key presses for every character; QTest maps only ASCII to keys, other
// characters (Persian letters and digits) go as the event's text.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces what the box shows by typed keys, then presses Enter.
void typeAndEnter(QLineEdit *box, const QString &keys)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    box->home(false);
    typeText(box, keys);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

Q_DECLARE_METATYPE(LookupTable)

// ---------------------------------------------------------------------------

class VelkoDateTest : public QObject
{
    Q_OBJECT

private slots:
    void jalaliText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: the field refuses the text
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("canonical");

        using P = VelkoDate::TextProblem;
        QTest::newRow("last day of a common year") << "1402/12/29" << QDate(2024, 3, 19) << int(P::None) << "1402/12/29";
        QTest::newRow("first day after it") << "1403/01/01" << QDate(2024, 3, 20) << int(P::None) << "1403/01/01";
        QTest::newRow("Esfand 30 of leap 1403") << "1403/12/30" << QDate(2025, 3, 20) << int(P::None) << "1403/12/30";
        QTest::newRow("Esfand 30 of leap 1399") << "1399/12/30" << QDate(2021, 3, 20) << int(P::None) << "1399/12/30";
        QTest::newRow("Esfand 30 of common 1402") << "1402/12/30" << QDate() << int(P::NoSuchDay) << "";
        QTest::newRow("month 13") << "1403/13/01" << QDate() << int(P::NoSuchDay) << "";
        QTest::newRow("day 0") << "1403/01/00" << QDate() << int(P::NoSuchDay) << "";
        QTest::newRow("Shahrivar has 31 days") << "1402/06/31" << QDate(2023, 9, 22) << int(P::None) << "1402/06/31";
        QTest::newRow("Mehr has 30 days") << "1402/07/31" << QDate() << int(P::NoSuchDay) << "";
        QTest::newRow("unpadded month and day") << "1402/5/9" << QDate(2023, 7, 31) << int(P::None) << "1402/05/09";
        QTest::newRow("Persian digits") << QStringLiteral("۱۴۰۲/۰۵/۰۹") << QDate(2023, 7, 31) << int(P::None) << "1402/05/09";
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٤٠٢/٠٥/٠٩") << QDate(2023, 7, 31) << int(P::None) << "1402/05/09";
        // The dates SQL text carries with a four-digit Gregorian year: 1000-01-01 to 9999-12-31.
        QTest::newRow("first day taken") << "0378/10/11" << QDate(1000, 1, 1) << int(P::None) << "0378/10/11";
        QTest::newRow("day before the first") << "0378/10/10" << QDate() << int(P::OutOfRange) << "";
        QTest::newRow("last day taken") << "9378/10/12" << QDate(9999, 12, 31) << int(P::None) << "9378/10/12";
        QTest::newRow("day after the last") << "9378/10/13" << QDate() << int(P::OutOfRange) << "";
        QTest::newRow("Jalali 9999 would be Gregorian 10620") << "9999/01/01" << QDate() << int(P::OutOfRange) << "";
        QTest::newRow("year 0") << "0000/01/01" << QDate() << int(P::OutOfRange) << "";
        QTest::newRow("two-digit year is not guessed") << "02/05/09" << QDate() << int(P::Incomplete) << "";
        QTest::newRow("half a date") << "1403/05" << QDate() << int(P::Incomplete) << "";
        QTest::newRow("dashes") << "1402-05-09" << QDate() << int(P::Incomplete) << "";
        QTest::newRow("letters") << "abcd/ef/gh" << QDate() << int(P::Incomplete) << "";
        QTest::newRow("empty") << "" << QDate() << int(P::Incomplete) << "";
    }
    void jalaliText()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QDate read(2000, 1, 1);
        QTEST(int(VelkoDate::CheckJalaliText(text, &read)), "problem");
        QCOMPARE(read, date);
        QCOMPARE(VelkoDate::FromJalaliText(text), date);
        QTEST(VelkoDate::ToJalaliText(date), "canonical");
    }

    void typedDate_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<int>("changes");
        QTest::addColumn<QString>("refusal"); // the whole message; "" when the text is taken

        const auto refusal = [](const char *reason) { return QStringLiteral("تاريخ نامعتبر است: ") + QString::fromUtf8(reason); };
        // The field starts at 1402/12/29 (2024-03-19) in every row.
        QTest::newRow("digits alone") << "14030101" << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("slashes typed too") << "1403/01/01" << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("short month and day") << "1403/1/1" << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("Persian digits") << QStringLiteral("۱۴۰۳۰۱۰۱") << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٤٠٣٠١٠١") << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("letters are not taken") << "1403a0101" << QDate(2024, 3, 20) << 1 << "";
        QTest::newRow("same date again: no change") << "14021229" << QDate(2024, 3, 19) << 0 << "";
        QTest::newRow("month 13 refused, old kept") << "14031301" << QDate(2024, 3, 19) << 0
                                                    << refusal("روز 1403/13/01 در تقويم شمسي وجود ندارد.");
        QTest::newRow("Esfand 30 of common year refused") << "14021230" << QDate(2024, 3, 19) << 0
                                                          << refusal("روز 1402/12/30 در تقويم شمسي وجود ندارد.");
        QTest::newRow("half a date refused") << "1403" << QDate(2024, 3, 19) << 0
                                             << refusal("«1403/» كامل نيست؛ سال چهاررقمي، ماه و روز را بنويسيد.");
        QTest::newRow("Jalali 9999 refused, old kept") << "99990101" << QDate(2024, 3, 19) << 0
            << refusal("9999/01/01 خارج از محدوده است؛ تاريخ بايد از 0378/10/11 تا 9378/10/12 باشد.");
        QTest::newRow("erased: empty") << "" << QDate() << 1 << "";
    }
    void typedDate()
    {
        QFETCH(QString, keys);
        QFETCH(QDate, expected);
        QFETCH(QString, refusal);
        const bool refused = !refusal.isEmpty();

        QWidget form;
        auto *field = new VelkoDate(&form);
        field->setGeometry(200, 10, 130, 27);
        form.setGeometry(400, 100, 340, 120); // room on the screen for the note at the field's right edge
        field->setValue(QDate(2024, 3, 19));
        form.show();
        QSignalSpy change(field, &VelkoDate::Change);
        QSignalSpy refusals(field, &VelkoDate::inputRefused);
        typeAndEnter(field->dateBox(), keys);

        QCOMPARE(field->Value(), expected);
        QTEST(int(change.count()), "changes");
        QCOMPARE(field->dateBox()->text(), VelkoDate::ToJalaliText(expected));
        // A refusal is marked on the box, said in Persian beside the field and
        // handed to the window with the same words.
        QCOMPARE(refusals.count(), refused ? 1 : 0);
        QCOMPARE(!field->dateBox()->styleSheet().isEmpty(), refused);
        QCOMPARE(field->dateBox()->toolTip().startsWith(refusal), true);
        if (!refused) {
            QVERIFY(!field->refusalLabel() || !field->refusalLabel()->isVisible());
            return;
        }
        QCOMPARE(refusals.first().first().toString(), refusal);
        QLabel *note = field->refusalLabel();
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), refusal);
        QCOMPARE(note->layoutDirection(), Qt::RightToLeft);
        // Just below the field, its right edge on the field's right edge.
        const QPoint fieldCorner = field->mapToGlobal(QPoint(field->width(), field->height()));
        QCOMPARE(note->geometry().topRight() + QPoint(1, 0), fieldCorner);
        QVERIFY(note->width() >= field->width());

        // Typing again takes the note away; the mark stays until the text is taken.
        field->dateBox()->selectAll();
        QTest::keyClick(field->dateBox(), Qt::Key_1);
        QCOMPARE(field->dateBox()->text(), QStringLiteral("1"));
        QVERIFY(!note->isVisible());
        typeAndEnter(field->dateBox(), "14030101");
        QVERIFY(field->dateBox()->styleSheet().isEmpty());
        QCOMPARE(refusals.count(), 1);
    }

    void refusalNoteLeavesWithTheForm()
    {
        QWidget form;
        auto *field = new VelkoDate(&form);
        form.resize(300, 80);
        form.show();
        typeAndEnter(field->dateBox(), "14021230");
        QVERIFY(field->refusalLabel()->isVisible());
        form.move(form.pos() + QPoint(30, 0)); // the note would stay behind
        QTRY_VERIFY(!field->refusalLabel()->isVisible());
        typeAndEnter(field->dateBox(), "14021230");
        QVERIFY(field->refusalLabel()->isVisible());
        field->setValue(QDate(2024, 3, 20)); // the program sets a date: nothing refused any more
        QVERIFY(!field->refusalLabel()->isVisible());
        typeAndEnter(field->dateBox(), "14021230");
        form.hide();
        QVERIFY(!field->refusalLabel()->isVisible());
    }

    void emptyField()
    {
        VelkoDate field;
        QSignalSpy change(&field, &VelkoDate::Change);
        QVERIFY(field.IsEmpty());
        QCOMPARE(field.JalaliYear(), qint16(-1));
        QCOMPARE(field.JalaliText(), QString());
        field.Clear(); // already empty
        field.setValue(QDate(2024, 3, 19));
        QCOMPARE(field.JalaliYear(), qint16(1402));
        field.setValue(QDate(2024, 3, 19)); // same date
        field.setValue(QDate(2024, 3, 20)); // next Jalali year
        QCOMPARE(field.JalaliYear(), qint16(1403));
        field.Clear();
        QCOMPARE(field.JalaliYear(), qint16(-1));
        QCOMPARE(change.count(), 3);
    }

    void lockedFieldTakesNoTyping()
    {
        VelkoDate field;
        field.setValue(QDate(2024, 3, 19));
        field.setLocked(true);
        field.show();
        QSignalSpy change(&field, &VelkoDate::Change);
        typeAndEnter(field.dateBox(), "14030101");
        QCOMPARE(field.Value(), QDate(2024, 3, 19));
        QVERIFY(!field.calendarButton()->isEnabled());
        field.setValue(QDate(2024, 3, 20)); // the program still sets it
        QCOMPARE(change.count(), 1);
    }

    void calendarPicksJalaliDay()
    {
        SetTodayForTesting(QDate(2023, 7, 31));
        VelkoDate field;
        field.show();
        field.openCalendar();
        QCalendarWidget *calendar = field.calendar();
        QVERIFY(calendar && calendar->isVisible());
        QCOMPARE(calendar->calendar().name(), QStringLiteral("Jalali"));
        QCOMPARE(calendar->maximumDate(), QDate(9999, 12, 31)); // no five-digit year from the calendar either
        QCOMPARE(calendar->yearShown(), 1402); // an empty field opens on today
        QCOMPARE(calendar->monthShown(), 5);
        QSignalSpy change(&field, &VelkoDate::Change);
        emit calendar->clicked(QDate(2024, 3, 19));
        QCOMPARE(field.JalaliText(), QStringLiteral("1402/12/29"));
        QCOMPARE(change.count(), 1);
        QVERIFY(!calendar->isVisible());
        SetTodayForTesting(QDate());
    }
};

// ---------------------------------------------------------------------------

// The look-up list and the labels of the look-up fields.
class LookupPartsTest : public QObject
{
    Q_OBJECT

private slots:
    void choose_data()
    {
        QTest::addColumn<LookupTable>("rows");
        QTest::addColumn<bool>("tree");
        QTest::addColumn<qint32>("given"); // the control's choice when the list opens
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("visible");
        QTest::addColumn<qint32>("chosen"); // the row Enter takes; 0: none

        const auto branchRow = [](const char *name, const QString &filter, int visible, qint32 chosen) {
            QTest::newRow(name) << branches() << false << 1 << filter << visible << chosen;
        };
        branchRow("no filter lists all", "", 3, 1);
        branchRow("by code", "20", 1, 2);
        // The name is stored with Arabic kaf and yeh, typed with Persian ones.
        branchRow("Persian letters find Arabic ones", QStringLiteral("مرکزی"), 1, 1);
        branchRow("Persian digits find a code", QStringLiteral("۳۰"), 1, 3);
        branchRow("Arabic-Indic digits find a code", QStringLiteral("٢٠"), 1, 2);
        branchRow("part of a name", QStringLiteral("شعبه"), 2, 2);
        branchRow("nothing matches", "xyz", 0, 0);
        QTest::newRow("codes in natural order: 9 first")
            << LookupTable({{1, "10", "x", 0}, {2, "9", "y", 0}, {3, "100", "z", 0}}) << false << 0 << "" << 3 << 2;
        QTest::newRow("tree lists all") << accounts() << true << 0 << "" << 5 << 1;
        // The parent stays, to show where the match hangs; Enter takes the match itself.
        QTest::newRow("tree keeps the parents of a match") << accounts() << true << 0 << QStringLiteral("صندوق") << 2 << 2;
        // A damaged chart: 1 and 2 are each other's parent; 3 hangs under 2.
        QTest::newRow("tree survives a parent cycle")
            << LookupTable({{1, "1", "a", 2}, {2, "2", "b", 1}, {3, "3", "c", 2}}) << true << 3 << "" << 3 << 3;
    }
    void choose()
    {
        QFETCH(LookupTable, rows);
        QFETCH(bool, tree);
        QFETCH(qint32, given);
        QFETCH(QString, filter);
        QFETCH(qint32, chosen);
        LookupDialog dialog(QString(), rows, tree ? LookupDialog::Shape::Tree : LookupDialog::Shape::Table, given);
        dialog.filterBox()->setText(filter);
        QTEST(dialog.visibleRowCount(), "visible");
        dialog.accept();
        QCOMPARE(dialog.result(), chosen ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.chosenId(), chosen);
    }

    void columnsShowTheirHeadersAndCells_data()
    {
        QTest::addColumn<bool>("tree");
        QTest::addColumn<int>("pointSize"); // the control's font, given after the dialog is built
        QTest::newRow("table, short IDs") << false << 9;
        QTest::newRow("table, large font") << false << 16;
        QTest::newRow("tree") << true << 9;
        QTest::newRow("tree, large font") << true << 16;
    }
    void columnsShowTheirHeadersAndCells()
    {
        QFETCH(bool, tree);
        QFETCH(int, pointSize);
        LookupDialog dialog(QString(), tree ? accounts() : branches(),
                            tree ? LookupDialog::Shape::Tree : LookupDialog::Shape::Table, 0);
        QFont font = dialog.font();
        font.setPointSize(pointSize);
        dialog.setFont(font);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *view = qobject_cast<QAbstractItemView *>(dialog.view());
        QHeaderView *header = tree ? qobject_cast<QTreeView *>(view)->header()
                                   : qobject_cast<QTableView *>(view)->horizontalHeader();
        QCOMPARE(header->font().pointSize(), pointSize);
        // Every column but the stretched last one is as wide as its header,
        // measured bold, and as its widest cell.
        QFont bold = header->font();
        bold.setBold(true);
        for (int c = 0; c + 1 < header->count(); ++c) {
            const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
            const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            QVERIFY2(header->sectionSize(c) >= QFontMetrics(bold).horizontalAdvance(title) + margins, qPrintable(title));
            QVERIFY2(header->sectionSize(c) >= view->sizeHintForColumn(c), qPrintable(title));
        }
    }

    void elidingLabelWholeAtTheWidthItAsksFor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("three-word caption") << QStringLiteral("پروژه ها و قراردادها");
        QTest::newRow("two-word caption") << QStringLiteral("مراكز هزينه");
        QTest::newRow("customer name") << QStringLiteral("شركت بازرگاني آريا تجارت پارس");
        QTest::newRow("unknown-code message") << QStringLiteral("كد نامعتبر است");
        QTest::newRow("Latin text") << QStringLiteral("Account 12345");
    }
    void elidingLabelWholeAtTheWidthItAsksFor()
    {
        // Drawn at the width widthShowing names, the label looks exactly as
        // with room to spare: nothing is cut, not even by a fraction of a
        // pixel of rounding. One pixel less cuts it, and says so.
        QFETCH(QString, text);
        const auto picture = [&text](int width, int extra) {
            ElidingLabel label;
            label.setLayoutDirection(Qt::RightToLeft);
            label.setFullText(text);
            label.resize(width + extra, 24);
            const QImage image = label.grab().toImage();
            return std::make_pair(image.copy(extra, 0, width, 24), label.isElided());
        };
        ElidingLabel probe;
        probe.setFullText(text);
        const int width = probe.widthShowing(text);
        const auto [atWidth, cutAtWidth] = picture(width, 0);
        const auto [withRoom, cutWithRoom] = picture(width, 100);
        QVERIFY(!cutAtWidth && !cutWithRoom);
        QCOMPARE(atWidth, withRoom);
        const auto [narrower, cutNarrower] = picture(width - 1, 0);
        QVERIFY(cutNarrower);
        QVERIFY(narrower != withRoom.copy(1, 0, width - 1, 24));
    }

private:
    static LookupTable branches()
    {
        return LookupTable({{3, "30", QStringLiteral("شعبه غرب"), 0},
                            {1, "10", QStringLiteral("مركزي"), 0},
                            {2, "20", QStringLiteral("شعبه شرق"), 0}});
    }
    static LookupTable accounts()
    {
        return LookupTable({{1, "1", QStringLiteral("دارايي ها"), 0},
                            {2, "101", QStringLiteral("صندوق"), 1},
                            {3, "102", QStringLiteral("بانك"), 1},
                            {4, "2", QStringLiteral("بدهي ها"), 0},
                            {5, "201", QStringLiteral("اسناد پرداختني"), 4}});
    }
};

// ---------------------------------------------------------------------------

// Branches 1 "10", 2 "20", 3 "30"; classes 7 "7" and 8 "8"; a small chart of accounts.
class ControlsFixture
{
public:
    ControlsFixture()
    {
        db.exec({QStringLiteral("Insert Into tblAccountBranch (ID, Code, Name) Values (1, '10', 'مركزي'), "
                                "(2, '20', 'شعبه شرق'), (3, '30', 'شعبه غرب')"),
                 QStringLiteral("Insert Into tblAccountClass (ID, Code, Name, ViewMajor, ViewMinor) Values "
                                "(7, '7', 'پروژه', 'vwAccountContractProjectMajor', 'vwAccountContractProjectMinor'), "
                                "(8, '8', 'مركز هزينه', 'vwPositionMajor', 'vwPositionMinor')"),
                 QStringLiteral("Insert Into tblAccount (ID, Code, Title, ParentID) Values "
                                "(1, '1', 'دارايي ها', Null), (2, '101', 'صندوق', 1), (3, '102', 'بانك', 1), "
                                "(4, '2', 'بدهي ها', Null)")});
    }
    TestDatabase db;
};

class VelkoSelectorTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<ControlsFixture>();
        m_selector = std::make_unique<VelkoSelector>();
        m_selector->setConnection(m_fixture->db.connectionString());
        m_selector->setViewMajor(QStringLiteral("vwAccountBranchMajor"));
        m_selector->setViewMinor(QStringLiteral("vwAccountBranchMinor"));
        m_selector->setCaption(QStringLiteral("شعبه"));
        m_selector->show();
    }
    void cleanup()
    {
        m_selector.reset();
        m_fixture.reset();
    }

    void typedCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint32>("id"); // 0: empty
        QTest::addColumn<int>("changes");
        QTest::addColumn<bool>("complains");

        // The selector holds branch 1 ("10") before each row.
        QTest::newRow("known code") << "20" << 2 << 1 << false;
        QTest::newRow("code with blanks") << " 30 " << 3 << 1 << false;
        QTest::newRow("Persian digits") << QStringLiteral("۲۰") << 2 << 1 << false;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("٣٠") << 3 << 1 << false;
        QTest::newRow("same code: no change") << "10" << 1 << 0 << false;
        QTest::newRow("unknown code empties") << "99" << 0 << 1 << true;
        QTest::newRow("quote is only matched, never run") << "1' or '1'='1" << 0 << 1 << true;
        QTest::newRow("erased empties quietly") << "" << 0 << 1 << false;
    }
    void typedCode()
    {
        QFETCH(QString, typed);
        QFETCH(qint32, id);

        m_selector->setSelectedID(1);
        QSignalSpy change(m_selector.get(), &VelkoSelector::Change);
        typeAndEnter(m_selector->codeBox(), typed);

        QCOMPARE(m_selector->SelectedID(), id);
        QCOMPARE(m_selector->IsEmpty(), id == 0);
        QTEST(int(change.count()), "changes");
        QTEST(m_selector->nameLabel()->text() == LookupText::UnknownCode, "complains");
    }

    void selectedIdAndDisplayText()
    {
        QSignalSpy change(m_selector.get(), &VelkoSelector::Change);
        m_selector->setSelectedID(2);
        QCOMPARE(m_selector->DisplayText(), QStringLiteral("20 - شعبه شرق"));
        QCOMPARE(m_selector->codeBox()->text(), QStringLiteral("20"));
        m_selector->setSelectedID(2);
        m_selector->setSelectedID(99); // not in the view
        QVERIFY(m_selector->IsEmpty());
        QCOMPARE(m_selector->SelectedID(), 0);
        QCOMPARE(m_selector->DisplayText(), QString());
        m_selector->setSelectedID(3);
        m_selector->Clear();
        m_selector->Clear();
        QCOMPARE(change.count(), 4); // 2, emptied, 3, cleared
    }

    void switchingViews()
    {
        m_selector->setSelectedID(1);
        QSignalSpy change(m_selector.get(), &VelkoSelector::Change);
        m_selector->setViewMajor(QStringLiteral("vwAccountBranchMajor")); // same view keeps the choice
        QCOMPARE(m_selector->SelectedID(), 1);
        m_selector->setViewMajor(QStringLiteral("vwAccountClass"));
        QVERIFY(m_selector->IsEmpty()); // a branch ID means nothing among classes
        m_selector->setSelectedID(7);
        QCOMPARE(m_selector->DisplayText(), QStringLiteral("7 - پروژه"));
        QCOMPARE(change.count(), 2);
    }

    void rowsReadOnceUntilTheViewChanges()
    {
        m_selector->setSelectedID(1);
        m_fixture->db.exec({QStringLiteral("Insert Into tblAccountBranch (ID, Code, Name) Values (4, '40', 'تازه')")});
        m_selector->setSelectedID(4);
        QVERIFY(m_selector->IsEmpty()); // the rows read first are still used
        m_selector->setViewMajor(QStringLiteral("vwAccountClass"));
        m_selector->setViewMajor(QStringLiteral("vwAccountBranchMajor"));
        m_selector->setSelectedID(4);
        QCOMPARE(m_selector->SelectedID(), 4);
    }

    void unusableViews_data()
    {
        QTest::addColumn<QString>("view");
        QTest::newRow("missing view") << "vwNoSuchView";
        QTest::newRow("statement in the name") << "vwAccountBranchMajor; Delete From tblAccount";
        QTest::newRow("comment in the name") << "vwAccountBranchMajor --";
    }
    void unusableViews()
    {
        QFETCH(QString, view);
        m_selector->setViewMajor(view);
        // Code asking for a row hears of the error ...
        QVERIFY_THROWS_EXCEPTION(DatabaseError, m_selector->setSelectedID(1));
        // ... a person typing sees it in the control.
        typeAndEnter(m_selector->codeBox(), "10");
        QVERIFY(m_selector->IsEmpty());
        QVERIFY(m_selector->nameLabel()->text().startsWith(LookupText::ReadFailed));
        m_selector->setViewMajor(QStringLiteral("vwAccountBranchMajor"));
        m_selector->setSelectedID(1);
        QCOMPARE(m_selector->SelectedID(), 1);
        QVERIFY(m_selector->nameLabel()->styleSheet().isEmpty());
        comAccountPicker picker; // nothing written into the name was run: the accounts are all there
        picker.setConnection(m_fixture->db.connectionString());
        picker.setAccountID(4);
        QCOMPARE(picker.AccountID(), 4);
    }

    void fitsTheGivenWidth_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code"); // typed; an unknown one shows the message in the name's place
        QTest::addColumn<int>("width");    // pixels; 0: just wide enough to show everything whole

        const QString projects = QStringLiteral("پروژه ها و قراردادها");
        // 2820 twips, the width the window gave the object selectors.
        QTest::newRow("long caption and name, 188 pixels") << projects << "1234567890" << 188;
        QTest::newRow("unknown code, 188 pixels") << QStringLiteral("گروه هاي كالا") << "99" << 188;
        QTest::newRow("no caption, 188 pixels") << QString() << "1234567890" << 188;
        QTest::newRow("wide enough for all") << projects << "1234567890" << 0;
        QTest::newRow("unknown code, wide enough") << QStringLiteral("گروه هاي كالا") << "99" << 0;
    }
    void fitsTheGivenWidth()
    {
        QFETCH(QString, caption);
        QFETCH(QString, code);
        QFETCH(int, width);
        m_fixture->db.exec({QStringLiteral("Insert Into tblAccountBranch (ID, Code, Name) Values "
                                           "(4, '1234567890', 'شركت بازرگاني آريا تجارت پارس')")});
        m_selector->setCaption(caption);
        typeAndEnter(m_selector->codeBox(), code);
        ElidingLabel *name = m_selector->nameLabel();
        ElidingLabel *captionLabel = m_selector->captionLabel();
        if (width == 0)
            width = m_selector->widthShowingWhole(caption, name->text());
        m_selector->resize(width, 27);

        // Every part inside the control, right to left, none over another.
        QList<QWidget *> parts {m_selector->codeBox(), name, m_selector->lookupButton()};
        if (!caption.isEmpty())
            parts.prepend(captionLabel);
        int rightEdge = width;
        for (QWidget *part : parts) {
            const QRect r = part->geometry();
            QVERIFY2(r.width() > 0 && r.left() >= 0 && r.right() < rightEdge, qPrintable(part->objectName()));
            rightEdge = r.left();
        }
        // A code of ten digits fits the text area of its box (inside the frame
        // and the box's margin of 2 pixels on each side).
        QLineEdit *box = m_selector->codeBox();
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        QVERIFY(box->width() - 2 * frame - 2 * 2 >= box->fontMetrics().horizontalAdvance(QStringLiteral("1234567890")));
        // The caption's text keeps a gap to the edge before it and to the code box.
        if (!caption.isEmpty()) {
            const QRect label = captionLabel->geometry();
            QVERIFY(label.right() + 1 - label.left() - captionLabel->contentsRect().right() >= 6);
            QVERIFY(label.left() + captionLabel->contentsRect().left() - m_selector->codeBox()->geometry().right() > 6);
        }
        // Whatever is cut has its whole text in the tool tip.
        const bool whole = width >= m_selector->widthShowingWhole(caption, name->text());
        for (ElidingLabel *label : {captionLabel, name}) {
            if (label == captionLabel && caption.isEmpty())
                continue;
            QCOMPARE(label->toolTip(), label->isElided() ? label->text() : QString());
        }
        if (whole) {
            QVERIFY(!captionLabel->isElided() && !name->isElided());
            m_selector->resize(width - 1, 27); // one pixel less cuts something
            QVERIFY(captionLabel->isElided() || name->isElided());
        }
    }

    void lookupStatementsAreTraced()
    {
        StatementLog log;
        m_selector->setSelectedID(2);
        m_selector->setSelectedID(3); // the rows read are kept: nothing is sent again
        comAccountPicker picker;
        picker.setConnection(m_fixture->db.connectionString());
        picker.setAccountID(2);
        QCOMPARE(log.texts(), (QStringList {QStringLiteral("Select ID, Code, Name From vwAccountBranchMajor"),
                                            QStringLiteral("Select ID, Code, Title, ParentID From tblAccount")}));
        for (const TracedStatement &statement : log.all())
            QCOMPARE(statement.command, LookupTraceCommand);
    }

    void lookupDialogChooses()
    {
        QSignalSpy change(m_selector.get(), &VelkoSelector::Change);
        whenModalOpens([](QWidget *modal) {
            auto *dialog = qobject_cast<LookupDialog *>(modal);
            QVERIFY(dialog);
            typeText(dialog->filterBox(), QStringLiteral("شرق"));
            QTest::keyClick(dialog->filterBox(), Qt::Key_Return);
        });
        QTest::mouseClick(m_selector->lookupButton(), Qt::LeftButton);
        QCOMPARE(m_selector->SelectedID(), 2);
        QCOMPARE(change.count(), 1);

        whenModalOpens([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        m_selector->openLookup();
        QCOMPARE(m_selector->SelectedID(), 2); // cancelled: unchanged
        QCOMPARE(change.count(), 1);
    }

private:
    std::unique_ptr<ControlsFixture> m_fixture;
    std::unique_ptr<VelkoSelector> m_selector;
};

// ---------------------------------------------------------------------------

class comAccountPickerTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<ControlsFixture>();
        m_window = std::make_unique<QWidget>();
        m_picker = new comAccountPicker(m_window.get());
        m_other = new QLineEdit(m_window.get());
        auto *layout = new QVBoxLayout(m_window.get());
        layout->addWidget(m_picker);
        layout->addWidget(m_other);
        m_picker->setConnection(m_fixture->db.connectionString());
        m_picker->setPositionID(5);
    }
    void cleanup()
    {
        m_window.reset();
        m_fixture.reset();
    }

    void byId_data()
    {
        QTest::addColumn<qint32>("id");
        QTest::addColumn<QString>("code"); // "" when the picker ends empty
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("changes");

        // The picker holds account 2 (101) before each row.
        QTest::newRow("another account") << 3 << "102" << QStringLiteral("بانك") << 1;
        QTest::newRow("a parent account") << 1 << "1" << QStringLiteral("دارايي ها") << 1;
        QTest::newRow("same account: no change") << 2 << "101" << QStringLiteral("صندوق") << 0;
        QTest::newRow("unknown account empties") << 99 << "" << "" << 1;
        QTest::newRow("0 empties") << 0 << "" << "" << 1;
    }
    void byId()
    {
        QFETCH(qint32, id);
        QFETCH(QString, code);
        QFETCH(QString, title);
        m_picker->setAccountID(2);
        QSignalSpy changed(m_picker, &comAccountPicker::SelectionChanged);
        m_picker->setAccountID(id);
        QCOMPARE(m_picker->AccountID(), code.isEmpty() ? 0 : id);
        QCOMPARE(m_picker->IsEmpty(), code.isEmpty());
        QCOMPARE(QStringList({m_picker->AccountCodeText(), m_picker->AccountTitleText(), m_picker->nameLabel()->text()}),
                 QStringList({code, title, title}));
        QTEST(int(changed.count()), "changes");
    }

    void typedCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint32>("id");
        QTest::addColumn<QString>("shown"); // what the code box shows afterwards
        QTest::newRow("leaf code") << "102" << 3 << "102";
        QTest::newRow("parent code") << "2" << 4 << "2";
        QTest::newRow("Persian digits") << QStringLiteral("۱۰۱") << 2 << "101";
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٠٢") << 3 << "102";
        QTest::newRow("unknown code stays beside the message") << "555" << 0 << "555";
    }
    void typedCode()
    {
        QFETCH(QString, typed);
        QFETCH(qint32, id);
        m_window->show();
        QSignalSpy changed(m_picker, &comAccountPicker::SelectionChanged);
        typeAndEnter(m_picker->codeBox(), typed);
        QCOMPARE(m_picker->AccountID(), id);
        QCOMPARE(changed.count(), id ? 1 : 0); // it started empty
        QCOMPARE(m_picker->nameLabel()->text() == LookupText::UnknownAccountCode, id == 0);
        QTEST(m_picker->codeBox()->text(), "shown");
    }

    void lookupTreeChooses()
    {
        m_window->show();
        whenModalOpens([](QWidget *modal) {
            auto *dialog = qobject_cast<LookupDialog *>(modal);
            QVERIFY(dialog);
            dialog->filterBox()->setText(QStringLiteral("بانک")); // Persian kaf
            dialog->accept();
        });
        m_picker->openLookup();
        QCOMPARE(m_picker->AccountID(), 3);
    }

    void focusNotificationsAndAutoOpen()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_other->setFocus();
        QSignalSpy in(m_picker, &LookupField::FocusIn);
        QSignalSpy out(m_picker, &LookupField::FocusOut);

        m_picker->codeBox()->setFocus();
        m_other->setFocus();
        QCOMPARE(in.count(), 1);
        QCOMPARE(out.count(), 1);

        // With the option on, receiving the focus opens the look-up; its own
        // dialog taking the focus is not a focus loss of the picker.
        m_picker->setAutoOpenLookup(true);
        bool opened = false;
        whenModalOpens([&opened](QWidget *modal) {
            opened = qobject_cast<LookupDialog *>(modal) != nullptr;
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        m_picker->codeBox()->setFocus();
        QTRY_VERIFY(opened);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(in.count(), 2);
        QCOMPARE(out.count(), 1);
    }

private:
    std::unique_ptr<ControlsFixture> m_fixture;
    std::unique_ptr<QWidget> m_window;
    comAccountPicker *m_picker = nullptr;
    QLineEdit *m_other = nullptr;
};

// ---------------------------------------------------------------------------

class comMsgTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetComponentsForTesting(); }

    void answers_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("result");
        QTest::newRow("question, yes") << 1 << "yes" << 1;
        QTest::newRow("question, no") << 1 << "no" << 0;
        QTest::newRow("question, Escape") << 1 << "escape" << -1;
        QTest::newRow("question, closed") << 1 << "close" << -1;
        QTest::newRow("question, Enter answers no") << 1 << "enter" << 0;
        QTest::newRow("message, OK") << 0 << "yes" << 1;
        QTest::newRow("message, Escape") << 0 << "escape" << -1;
    }
    void answers()
    {
        QFETCH(int, type);
        QFETCH(QString, action);
        QFETCH(int, result);

        std::unique_ptr<QObject> component = CreateComponent(QStringLiteral("comMessage.comMsg"));
        QVERIFY(qobject_cast<comMsg *>(component.get()));
        component->setProperty("FormType", type);
        component->setProperty("Resualt", 5); // ClearShow starts from "no answer"
        QStringList buttons;
        whenModalOpens([&](QWidget *modal) {
            auto *dialog = qobject_cast<comMsg *>(modal);
            QVERIFY(dialog);
            buttons << dialog->yesButton()->text();
            if (dialog->noButton()->isVisible())
                buttons << dialog->noButton()->text();
            if (action == "yes")
                dialog->yesButton()->click();
            else if (action == "no")
                dialog->noButton()->click();
            else if (action == "escape")
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (action == "enter")
                QTest::keyClick(dialog, Qt::Key_Return);
            else
                dialog->close();
        });
        QVERIFY(QMetaObject::invokeMethod(component.get(), "ClearShow"));
        QCOMPARE(component->property("Resualt").toInt(), result);
        const QStringList expected = type == 1 ? QStringList{QStringLiteral("بله"), QStringLiteral("خير")}
                                               : QStringList{QStringLiteral("تاييد")};
        QCOMPARE(buttons, expected);
    }

    void propertiesReachTheDialog()
    {
        comMsg dialog;
        dialog.setProperty("FormTitle", QStringLiteral("خطا"));
        dialog.setProperty("FormMessage", QStringLiteral("<b>متن</b>"));
        dialog.setProperty("FormBackColor", 14799304);
        dialog.setProperty("BtmBackColor", 12490375);
        dialog.setProperty("FrameBackColor", 15655647);
        QStringList seen; // title, message, its text format, colours of the form, the buttons' frame, the message's frame
        whenModalOpens([&](QWidget *modal) {
            const auto colour = [](QWidget *widget) { return widget->palette().color(QPalette::Window).name(); };
            const QLabel *message = modal->findChild<QLabel *>("lblMessage");
            seen << modal->windowTitle() << message->text() << QString::number(message->textFormat()) << colour(modal)
                 << colour(modal->findChild<QFrame *>("frmButtons")) << colour(modal->findChild<QFrame *>("frmMessage"));
            modal->close();
        });
        dialog.ClearShow();
        // Database texts are not markup: the message shows as plain text.
        QCOMPARE(seen, QStringList({QStringLiteral("خطا"), QStringLiteral("<b>متن</b>"), QString::number(Qt::PlainText),
                                    QColor(200, 209, 225).name(), QColor(135, 150, 190).name(), QColor(223, 226, 238).name()}));
    }

    void askQuestionThroughTheComponent()
    {
        whenModalOpens([](QWidget *modal) { qobject_cast<comMsg *>(modal)->yesButton()->click(); });
        QCOMPARE(AskQuestion(QStringLiteral("عنوان"), QStringLiteral("پرسش")), int(AnswerYes));
        whenModalOpens([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QCOMPARE(AskQuestion(QStringLiteral("عنوان"), QStringLiteral("پرسش")), int(AnswerNone));
    }
};

// ---------------------------------------------------------------------------

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QLocale::setDefault(QLocale::c());
    VelkoDateTest date;
    LookupPartsTest parts;
    VelkoSelectorTest selector;
    comAccountPickerTest picker;
    comMsgTest message;
    int failures = 0;
    for (QObject *test : std::initializer_list<QObject *> {&date, &parts, &selector, &picker, &message})
        failures += QTest::qExec(test, argc, argv);
    return failures;
}

#include "test_controls.moc"
