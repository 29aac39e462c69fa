// The ledger window as a person sees and types in it: sizes, order, keys,
// and how its controls follow a resize.

#include "LedgerFixture.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/controls/ElidingLabel.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The widest texts an amount field may have to show: the largest currency
// value with its sign and decimals, and the largest whole one in parentheses.
const QStringList WidestAmounts {QStringLiteral("-922,337,203,685,477.5807"), QStringLiteral("(922,337,203,685,477)")};

// The width a line edit has for its text: inside its frame and text margins,
// less the 2 pixels it keeps free at each side of the text.
int textRoom(const QLineEdit *field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field)
                               .marginsRemoved(field->textMargins());
    return contents.width() - 2 * 2;
}

// Whether a label paints its whole text: its width, less what it keeps
// around the text (frame, margins, padding), holds the text as the painter
// measures it when it cuts a text that does not fit.
bool showsWhole(const QLabel *label)
{
    // The selector's own labels know whether they paint their text cut.
    if (const auto *eliding = qobject_cast<const ElidingLabel *>(label))
        return !eliding->isElided();
    const QFontMetrics metrics = label->fontMetrics();
    const int around = label->sizeHint().width() - metrics.horizontalAdvance(label->text());
    return metrics.elidedText(label->text(), Qt::ElideRight, label->width() - around) == label->text();
}

bool isLabelKind(const ControlPlacement &placement)
{
    return placement.kind == ControlKind::Label || placement.kind == ControlKind::Check
        || (placement.kind == ControlKind::FlatText && !placement.caption.isEmpty());
}

bool sameRow(const ControlPlacement &a, const ControlPlacement &b)
{
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

QString describe(const ControlPlacement &p)
{
    return QStringLiteral("%1 [%2..%3]").arg(QLatin1String(p.name)).arg(p.left).arg(p.left + p.width);
}

// A geometry in twips moved and resized by the given differences, back in
// pixels as the window shows it.
QRect grownBy(const QRect &pixels, int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(PixelsToTwips(pixels.x()) + left), TwipsToPixels(PixelsToTwips(pixels.y()) + top),
                 TwipsToPixels(PixelsToTwips(pixels.width()) + width),
                 TwipsToPixels(PixelsToTwips(pixels.height()) + height));
}

QString describe(const QWidget *control)
{
    const QRect g = control->geometry();
    return QStringLiteral("%1 (%2,%3 %4x%5)").arg(control->objectName()).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

} // namespace

class TestLayout : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    // Opens account 2 in an active window, so key presses reach its fields.
    void open(int user = 1)
    {
        LedgerWindowTest::open(user, 2);
        activate();
    }

    // The window's control that holds the focus (a compound control's inner
    // box counts as the control).
    QString focusedControl() const
    {
        QWidget *widget = QApplication::focusWidget();
        while (widget && window()->Controls.value(widget->objectName()) != widget)
            widget = widget->parentWidget();
        return widget ? widget->objectName() : QStringLiteral("<none>");
    }

    // Presses the key on the focused widget, as a person types it, and
    // returns the control that has the focus afterwards.
    QString press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return focusedControl();
    }

    // The four analytic pairs with a class chosen in each, so every object is switched on.
    void chooseAllClasses()
    {
        for (int n = 1; n <= 4; ++n)
            window()->sltClass[n]->setSelectedID(7);
    }

    // Every control's geometry, by name.
    QHash<QString, QRect> geometries() const
    {
        QHash<QString, QRect> all;
        for (const QWidget *control : std::as_const(window()->Controls))
            all.insert(control->objectName(), control->geometry());
        return all;
    }

    // Resizes the window as the person or the window system does, and waits
    // until it has that size.
    void resizeTo(int width, int height)
    {
        window()->resize(width, height);
        QTRY_COMPARE(window()->size(), QSize(width, height));
    }

private slots:
    void init()
    {
        setUpWindowTest();
        // A class and a customer with the long names the demo books have.
        db->exec({"insert into tblAccountClass(ID, Code, Name, ViewMajor, ViewMinor) values "
                  "(8, '8', 'پروژه ها و قراردادها', 'vwPersonMajor', 'vwPersonMinor')",
                  "insert into tblPerson(ID, Code, Name, ParentID) values (3, 'P3', 'شركت بازرگاني آريا تجارت پارس', 1)"});
    }
    void cleanup() { tearDownWindowTest(); }

    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("objects");
        QTest::addColumn<QStringList>("expected");
        const QStringList head {"sltAccount", "dtpFromDate", "dtpToDate", "txtCodeFrom", "txtCodeTo",
                                "chkCombinPeriod", "chkiOpening"};
        const QStringList pairs {"sltClass1", "sltObject1", "sltClass2", "sltObject2",
                                 "sltClass3", "sltObject3", "sltClass4", "sltObject4"};
        QTest::newRow("analytic pairs on") << 1 << true << head + QStringList {"sltBranch", "chkMix"} + pairs + QStringList {"cmdReset"};
        // Parameter 311 off: the account, the last filter a person fills,
        // leads straight to the rebuild button.
        QTest::newRow("analytic pairs off") << 1 << false << QStringList {"sltAccount", "cmdReset"};
        // A user of branch 2 cannot change the branch, so Tab passes it by.
        QTest::newRow("branch fixed") << 4 << true << head + QStringList {"chkMix"} + pairs + QStringList {"cmdReset"};
    }
    void tabFollowsReadingOrder()
    {
        QFETCH(int, user);
        QFETCH(bool, objects);
        QFETCH(QStringList, expected);
        if (!objects)
            db->exec({"update tblVelkoSystemParameters set Value = '0' where ID = 311"});
        open(user);
        if (objects)
            chooseAllClasses();
        window()->sltAccount->setFocus(Qt::TabFocusReason);
        QStringList visited {focusedControl()};
        while (visited.size() < expected.size())
            visited << press(Qt::Key_Tab);
        QCOMPARE(visited, expected);
        // Shift+Tab walks the chain back.
        if (objects)
            QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), expected.at(expected.size() - 2));
    }

    void tabWhileEditingFollowsTheEditPanel()
    {
        open();
        startEditing();
        QCOMPARE(focusedControl(), QStringLiteral("cmbDocumentType"));
        QStringList visited;
        for (int n = 0; n < 6; ++n)
            visited << press(Qt::Key_Tab);
        QCOMPARE(visited, (QStringList {"txtAdditionalFormSpec", "dtpTrans", "mptContract", "txtDescription", "cmdSave", "cmdEsc"}));
    }

    // Enter moves on as Tab does, and presses only the rebuild button.
    void enterMovesOnLikeTab_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("account") << "sltAccount" << int(Qt::Key_Return) << "dtpFromDate";
        QTest::newRow("date, keypad Enter") << "dtpFromDate" << int(Qt::Key_Enter) << "dtpToDate";
        QTest::newRow("document number") << "txtCodeTo" << int(Qt::Key_Return) << "chkCombinPeriod";
        QTest::newRow("check box") << "chkiOpening" << int(Qt::Key_Return) << "sltBranch";
        QTest::newRow("branch") << "sltBranch" << int(Qt::Key_Return) << "chkMix";
        QTest::newRow("class") << "sltClass2" << int(Qt::Key_Return) << "sltObject2";
        QTest::newRow("last object to the rebuild button") << "sltObject4" << int(Qt::Key_Return) << "cmdReset";
        // The rebuild itself hands the focus to the ledger.
        QTest::newRow("rebuild button pressed") << "cmdReset" << int(Qt::Key_Return) << "flxAccount";
    }
    void enterMovesOnLikeTab()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        open();
        chooseAllClasses();
        QSignalSpy rebuilt(window()->cmdReset, &QPushButton::clicked);
        window()->Controls.value(from)->setFocus(Qt::TabFocusReason);
        QCOMPARE(focusedControl(), from);
        const bool wasChecked = window()->chkiOpening->isChecked();
        QTEST(press(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier), "to");
        QCOMPARE(rebuilt.count(), from == QLatin1String("cmdReset") ? 1 : 0);
        QCOMPARE(window()->chkiOpening->isChecked(), wasChecked);
    }

    void enterMovesOnAndTakesWhatWasTyped()
    {
        open();
        chooseAllClasses();
        QLineEdit *box = window()->sltObject[1]->codeBox();
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, QStringLiteral("P2"));
        QCOMPARE(press(Qt::Key_Return), QStringLiteral("sltClass2"));
        QCOMPARE(window()->sltObject[1]->SelectedID(), 2);
    }

    // Typing a date and moving on leaves the focus in the flow; only a change
    // of the account itself moves it on to the first class.
    void dateChangeKeepsTheFocus()
    {
        open();
        VelkoDate *from = window()->dtpFromDate;
        from->setFocus(Qt::TabFocusReason);
        from->setValue(QDate(2024, 5, 1));
        QCOMPARE(focusedControl(), QStringLiteral("dtpFromDate"));
        QCOMPARE(press(Qt::Key_Tab), QStringLiteral("dtpToDate"));
    }

    // Tabbing through number fields the user did not type in looks nothing
    // up, so the dates just entered stay.
    void tabbingThroughNumbersKeepsTheDates()
    {
        open();
        window()->txtCodeFrom->clear();
        window()->txtCodeTo->clear();
        const QDate from = window()->dtpFromDate->Value();
        const QDate to = window()->dtpToDate->Value();
        window()->txtCodeFrom->setFocus(Qt::TabFocusReason);
        StatementLog log;
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QVERIFY(log.windowTexts().isEmpty());
        QCOMPARE(window()->dtpFromDate->Value(), from);
        QCOMPARE(window()->dtpToDate->Value(), to);
    }

    void enterInTheCalendarPopUpStaysWithTheDate()
    {
        open();
        VelkoDate *date = window()->dtpFromDate;
        date->setFocus(Qt::TabFocusReason);
        date->openCalendar();
        QCalendarWidget *calendar = date->calendar();
        QVERIFY(QTest::qWaitForWindowExposed(calendar->window()));
        calendar->setSelectedDate(QDate(2024, 5, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // The pop-up took its Enter: the date is chosen, the focus is back in
        // the date field and has not moved on.
        QCOMPARE(date->Value(), QDate(2024, 5, 1));
        QVERIFY(!calendar->window()->isVisible());
        QCOMPARE(focusedControl(), QStringLiteral("dtpFromDate"));
    }

    void amountFieldsHoldTheWidestAmount()
    {
        open();
        for (const char *name : {"txtSumAllDebit", "txtSumAllCredit", "txtSumDebit", "txtSumCredit", "txtMaxDebit_Credit",
                                 "txtRemMaxDebit_Credit", "txtUpToNowAllDebit", "txtUpToNowAllCredit", "txtUpToNowDebit",
                                 "txtUpToNowCredit", "txtSumChecked", "txtSumUnChecked", "txtSumAssignedDebit",
                                 "txtSumAssignedCredit", "txtSumNotAssignedDebit", "txtSumNotAssignedCredit"}) {
            QLineEdit *text = window()->summaryField(QLatin1String(name));
            QVERIFY2(text, name);
            const QFontMetrics metrics(text->font());
            for (const QString &amount : WidestAmounts)
                QVERIFY2(metrics.horizontalAdvance(amount) <= textRoom(text),
                         qPrintable(QStringLiteral("%1: %2 needs %3 px, has %4")
                                        .arg(name, amount).arg(metrics.horizontalAdvance(amount)).arg(textRoom(text))));
            // And its frame does not cut it off.
            QVERIFY2(text->parentWidget()->rect().contains(text->geometry()), name);
        }
    }

    // Over the layout table: no two controls of one container overlap, and a
    // label keeps a clear gap from the field before it (to its right), so it
    // never reads as part of that field.
    void labelsKeepClearOfTheFieldBefore()
    {
        const int clearGap = PixelsToTwips(6);
        const QList<ControlPlacement> &layout = LedgerWindowLayout();
        for (const ControlPlacement &a : layout) {
            for (const ControlPlacement &b : layout) {
                // The search bar floats over the filters only while searching.
                if (&a == &b || qstrcmp(a.container, b.container) != 0 || !sameRow(a, b)
                    || qstrcmp(a.name, "FrameSearchDetail") == 0 || qstrcmp(b.name, "FrameSearchDetail") == 0)
                    continue;
                const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left;
                QVERIFY2(apart, qPrintable(describe(a) + " overlaps " + describe(b)));
                if (isLabelKind(a) && b.left >= a.left + a.width)
                    QVERIFY2(b.left - (a.left + a.width) >= clearGap, qPrintable(describe(a) + " touches " + describe(b)));
            }
        }
    }

    void captionsShowWhole_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("viewing") << false;
        QTest::newRow("editing") << true; // lblMessage shows the editing caption
    }
    void captionsShowWhole()
    {
        QFETCH(bool, editing);
        open();
        if (editing)
            startEditing();
        for (QWidget *control : std::as_const(window()->Controls)) {
            const QString name = control->objectName();
            if (auto *label = qobject_cast<QLabel *>(control)) {
                QVERIFY2(showsWhole(label), qPrintable(name + ": " + label->text()));
            } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
                QVERIFY2(check->sizeHint().width() <= check->width(), qPrintable(name));
            } else if (auto *caption = qobject_cast<QLineEdit *>(control); caption && !caption->hasFrame()) {
                const int needed = caption->fontMetrics().horizontalAdvance(caption->text());
                QVERIFY2(needed <= textRoom(caption), qPrintable(name + ": " + caption->text()));
            }
        }
        // The branch selector shows its caption, and nothing else repeats it.
        const auto *branchCaption = window()->sltBranch->findChild<QLabel *>(QStringLiteral("lblCaption"));
        QVERIFY(branchCaption && showsWhole(branchCaption));
        int branchCaptions = 0;
        for (const QLabel *label : window()->findChildren<QLabel *>())
            if (label->isVisible() && label->text().remove(QLatin1Char(':')).trimmed() == QStringLiteral("شعبه"))
                ++branchCaptions;
        QCOMPARE(branchCaptions, 1);
    }

    void resizeMovesByTheChange_data()
    {
        QTest::addColumn<int>("dw");
        QTest::addColumn<int>("dh");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("change"); // left, top, width, height added in twips
        // The bar's seven buttons share its growth: 100 each, and button k
        // moves by k shares.
        QTest::newRow("bar widens by the whole change") << 700 << 0 << "Frm11" << QRect(0, 0, 700, 0);
        QTest::newRow("first button keeps its left") << 700 << 0 << "cmdPeriod" << QRect(0, 0, 100, 0);
        QTest::newRow("fourth button moves three shares") << 700 << 0 << "cmdReset" << QRect(300, 0, 100, 0);
        QTest::newRow("last button moves six shares") << 700 << 0 << "cmdEdit" << QRect(600, 0, 100, 0);
        QTest::newRow("a narrower bar shrinks its buttons") << -700 << 0 << "cmdEdit" << QRect(-600, 0, -100, 0);
        QTest::newRow("grid grows both ways") << 700 << 300 << "flxAccount" << QRect(0, 0, 700, 300);
        QTest::newRow("filter kept centred") << 700 << 300 << "txtCodeTo" << QRect(350, 0, 0, 0);
        QTest::newRow("branch moves with its row") << 700 << 0 << "sltBranch" << QRect(350, 0, 0, 0);
        QTest::newRow("inside a centred box nothing moves") << 700 << 0 << "sltObject1" << QRect(0, 0, 0, 0);
        QTest::newRow("edit panel at the right edge") << 700 << 300 << "cmbDocumentType" << QRect(700, 300, 0, 0);
        QTest::newRow("due date moves with its row") << 700 << 300 << "dtpTrans" << QRect(700, 300, 0, 0);
        QTest::newRow("message at right and bottom") << 700 << 300 << "lblMessage" << QRect(700, 300, 0, 0);
        // Inside frmRemained: in the frame's coordinates, which the frame's
        // own move down does not change.
        QTest::newRow("credit limit at the frame's right") << 700 << 300 << "txtMaxDebit_Credit" << QRect(700, 0, 0, 0);
        QTest::newRow("balance caption stretched") << 700 << 300 << "txtSum" << QRect(0, 0, 700, 0);
        QTest::newRow("description stretched, below the grid") << 700 << 300 << "txtDescription" << QRect(0, 300, 700, 0);
        QTest::newRow("related form stays left, below the grid") << 700 << 300 << "txtFormType" << QRect(0, 300, 0, 0);
        QTest::newRow("totals stretched at the bottom") << 700 << 300 << "Frm7" << QRect(0, 300, 700, 0);
        QTest::newRow("lower window moves the totals up") << 0 << -300 << "frmRemained" << QRect(0, -300, 0, 0);
    }
    void resizeMovesByTheChange()
    {
        QFETCH(int, dw);
        QFETCH(int, dh);
        QFETCH(QString, name);
        QFETCH(QRect, change);
        open();
        QWidget *moved = window()->Controls.value(name);
        const QRect before = moved->geometry();
        // Laid out as if the window had been recorded this much smaller
        // (twips), so a step of any size in twips can be laid out exactly.
        window()->RecordedWidth = PixelsToTwips(window()->width()) - dw;
        window()->RecordedHeight = PixelsToTwips(window()->height()) - dh;
        window()->Form_Resize();
        QCOMPARE(moved->geometry(), grownBy(before, change.x(), change.y(), change.width(), change.height()));
        QCOMPARE(window()->RecordedWidth, PixelsToTwips(window()->width()));
        QCOMPARE(window()->RecordedHeight, PixelsToTwips(window()->height()));
    }

    void smallWindowChangesNothing_data()
    {
        QTest::addColumn<QSize>("small"); // pixels; 266 px = 3990 twips
        QTest::newRow("4000 twips wide") << QSize(266, 780);
        QTest::newRow("4000 twips high") << QSize(1088, 266);
        QTest::newRow("just under 5000 twips wide") << QSize(333, 900); // 4995 twips
        QTest::newRow("1 x 1") << QSize(1, 1);
    }
    void smallWindowChangesNothing()
    {
        QFETCH(QSize, small);
        open();
        // The window opens at its designed size, and that is the size recorded.
        QCOMPARE(window()->size(), QSize(TwipsToPixels(DesignedWindowWidth), TwipsToPixels(DesignedWindowHeight)));
        QCOMPARE(window()->RecordedWidth, DesignedWindowWidth);
        QCOMPARE(window()->RecordedHeight, DesignedWindowHeight);
        const QHash<QString, QRect> designed = geometries();
        const QRect edit = window()->cmdEdit->geometry();
        const QRect grid = window()->flxAccount->geometry();

        resizeTo(small.width(), small.height());
        QCOMPARE(geometries(), designed);
        QCOMPARE(window()->RecordedWidth, DesignedWindowWidth);

        // Growing back applies the whole change since the designed size:
        // 70 x 35 pixels are 1050 x 525 twips, and 1050 / 7 = 150.
        resizeTo(TwipsToPixels(DesignedWindowWidth) + 70, TwipsToPixels(DesignedWindowHeight) + 35);
        QCOMPARE(window()->cmdEdit->geometry(), edit.translated(60, 0).adjusted(0, 0, 10, 0));
        QCOMPARE(window()->flxAccount->geometry(), grid.adjusted(0, 0, 70, 35));
    }

    // However the window is resized, back at its designed size every control
    // is where it started: no drift from rounding, nothing lost to a size
    // squeezed below zero, nothing wrapped by a size beyond 16 bits.
    void resizingBackRestoresTheLayout_data()
    {
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::newRow("huge") << QList<QSize> {{6000, 4000}};
        QTest::newRow("maximised beyond 32767 twips, twice") << QList<QSize> {{2400, 1400}, {2600, 1500}};
        QTest::newRow("just above the smallest laid out") << QList<QSize> {{334, 334}};
        QTest::newRow("through 1 x 1") << QList<QSize> {{1400, 900}, {1, 1}, {700, 500}};
        QList<QSize> steps;
        for (int n = 1; n <= 40; ++n)
            steps << QSize(1088 + n, 780 + n);
        QTest::newRow("forty steps of one pixel") << steps;
    }
    void resizingBackRestoresTheLayout()
    {
        QFETCH(QList<QSize>, sizes);
        open();
        window()->alignSearchBar(); // as the bar opens, so it starts over the columns
        const QHash<QString, QRect> designed = geometries();
        const QSize designedSize = window()->size();
        for (const QSize &size : sizes)
            resizeTo(size.width(), size.height());
        // The recorded size follows every size that was laid out.
        const QSize last = sizes.constLast();
        if (PixelsToTwips(last.width()) > 5000 && PixelsToTwips(last.height()) > 5000) {
            QCOMPARE(window()->RecordedWidth, PixelsToTwips(last.width()));
            QCOMPARE(window()->RecordedHeight, PixelsToTwips(last.height()));
        }
        resizeTo(designedSize.width(), designedSize.height());
        const QHash<QString, QRect> restored = geometries();
        for (auto it = designed.cbegin(); it != designed.cend(); ++it)
            QVERIFY2(restored.value(it.key()) == it.value(), qPrintable(describe(window()->Controls.value(it.key()))));
    }

    // A larger window leaves every shown control whole inside its container
    // and clear of the others.
    void largerWindowKeepsControlsApart_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("designed") << QSize(1088, 780);
        QTest::newRow("full HD") << QSize(1920, 1017);
        QTest::newRow("2560 x 1440, beyond 16 bits of twips") << QSize(2560, 1400);
        QTest::newRow("huge") << QSize(6000, 4000);
        QTest::newRow("wide and low") << QSize(2400, 780);
        QTest::newRow("narrow and high") << QSize(1088, 1400);
    }
    void largerWindowKeepsControlsApart()
    {
        QFETCH(QSize, size);
        open();
        resizeTo(size.width(), size.height());
        QList<QWidget *> shown;
        for (QWidget *control : std::as_const(window()->Controls))
            if (control->isVisibleTo(window()))
                shown << control;
        for (const QWidget *a : std::as_const(shown)) {
            QVERIFY2(a->width() > 0 && a->height() > 0, qPrintable(describe(a)));
            QVERIFY2(a->parentWidget()->rect().contains(a->geometry()), qPrintable(describe(a) + " leaves its container"));
            for (const QWidget *b : std::as_const(shown))
                if (a != b && a->parentWidget() == b->parentWidget())
                    QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(describe(a) + " overlaps " + describe(b)));
        }
    }

    // The search bar's fields stand over the columns they search, after the
    // next resize or when the bar opens; a hidden or scrolled-away column
    // still leaves every field whole inside the bar and apart.
    void searchBarFollowsTheColumns_data()
    {
        QTest::addColumn<int>("windowWidth"); // pixels
        QTest::addColumn<int>("descriptionWidth");
        QTest::addColumn<int>("debitWidth");
        QTest::addColumn<bool>("scrolled");
        QTest::addColumn<bool>("overColumns");
        QTest::newRow("columns widened") << 1238 << 3000 << 2400 << false << true;
        QTest::newRow("columns narrowed") << 1238 << 1500 << 1200 << false << true;
        QTest::newRow("description hidden") << 1238 << 0 << 1600 << false << false;
        QTest::newRow("scrolled to the last columns") << 1238 << 5000 << 1600 << true << false;
        // The amount and balance columns run out of the grid at its left.
        QTest::newRow("narrow window") << 600 << 5000 << 1600 << false << false;
    }
    void searchBarFollowsTheColumns()
    {
        QFETCH(int, windowWidth);
        QFETCH(int, descriptionWidth);
        QFETCH(int, debitWidth);
        QFETCH(bool, scrolled);
        QFETCH(bool, overColumns);
        open();
        window()->mnuAccountDetailSearch_Click();
        FlexGrid *flx = grid();
        flx->setColWidth(LedgerCol::Description, descriptionWidth);
        flx->setColWidth(LedgerCol::Debit, debitWidth);
        if (scrolled) {
            QScrollBar *bar = flx->findChild<QTableView *>()->horizontalScrollBar();
            bar->setValue(bar->maximum());
        }
        resizeTo(windowWidth, window()->height());

        QWidget *frame = window()->FrameSearchDetail;
        QCOMPARE(frame->width(), flx->width());
        QLineEdit *description = window()->txtAccDescSearch;
        QLineEdit *price = window()->txtPriceSearch;
        if (overColumns) {
            const int offset = flx->x() - frame->x();
            auto at = [offset](int twips) { return TwipsToPixels(twips) + offset; };
            QCOMPARE(description->x(), at(flx->ColPos(LedgerCol::Description)));
            // The date stands over the columns right of the description.
            QCOMPARE(window()->DateSearch->x(), description->x() + description->width());
            QCOMPARE(description->width(), TwipsToPixels(descriptionWidth));
            QCOMPARE(price->x(), at(flx->ColPos(LedgerCol::Credit)));
            QCOMPARE(price->width(), TwipsToPixels(flx->ColWidth(LedgerCol::Credit) + debitWidth));
            QCOMPARE(window()->cmdCancel->x(), at(flx->ColPos(LedgerCol::CreditBalance)));
            const int okeyLeft = PixelsToTwips(window()->cmdCancel->x() + window()->cmdCancel->width()) + 20;
            QVERIFY(qAbs(PixelsToTwips(window()->cmdOkey->x()) - okeyLeft) <= 8);
        }
        const std::pair<const char *, QWidget *> labelled[] = {
            {"Label6", window()->DateSearch}, {"lblDescSearch", description}, {"lblPriceSearch", price}};
        for (const auto &[name, field] : labelled) {
            const QRect label = window()->Controls.value(QLatin1String(name))->geometry();
            QVERIFY2(qAbs(label.center().x() - field->geometry().center().x()) <= 1 && label.bottom() < field->y(), name);
        }
        const QList<QWidget *> fields {window()->DateSearch, description, price, window()->cmdOkey, window()->cmdCancel};
        for (QWidget *a : fields) {
            QVERIFY2(a->width() >= TwipsToPixels(500) && frame->rect().contains(a->geometry()), qPrintable(describe(a)));
            for (QWidget *b : fields)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()), qPrintable(describe(a) + " overlaps " + describe(b)));
        }
    }

    void analyticRowsShowWhole_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<bool>("unknownCode");
        for (int pair = 1; pair <= 4; ++pair) {
            QTest::addRow("pair %d, long customer name", pair) << pair << false;
            QTest::addRow("pair %d, unknown code", pair) << pair << true;
        }
    }
    void analyticRowsShowWhole()
    {
        QFETCH(int, pair);
        QFETCH(bool, unknownCode);
        open();
        VelkoSelector *klass = window()->sltClass[pair];
        VelkoSelector *object = window()->sltObject[pair];
        klass->setSelectedID(8); // its name becomes the object's caption
        QCOMPARE(object->Caption(), QStringLiteral("پروژه ها و قراردادها"));
        if (unknownCode) {
            object->codeBox()->setText(QStringLiteral("X9"));
            emit object->codeBox()->editingFinished();
            QCOMPARE(object->nameLabel()->text(), QStringLiteral("كد نامعتبر است"));
        } else {
            object->setSelectedID(3);
            QCOMPARE(object->nameLabel()->text(), QStringLiteral("شركت بازرگاني آريا تجارت پارس"));
        }
        QApplication::processEvents();

        const auto *caption = object->findChild<QLabel *>(QStringLiteral("lblCaption"));
        QVERIFY(caption && caption->isVisible());
        const QLabel *labels[] = {caption, object->nameLabel(), klass->nameLabel(), window()->lblObject[pair]};
        for (const QLabel *label : labels)
            QVERIFY2(showsWhole(label), qPrintable(label->text()));
        for (const VelkoSelector *selector : {klass, object}) {
            const QLineEdit *code = selector->codeBox();
            QVERIFY2(code->width() >= code->minimumSizeHint().width() && code->width() >= code->minimumWidth(),
                     qPrintable(selector->objectName()));
        }
    }
};

int RunLayoutTests(int argc, char **argv)
{
    TestLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_layout.moc"
