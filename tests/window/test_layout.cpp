// The ledger window as a person sees and types in it: sizes, order, keys.

#include "LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/controls/ElidingLabel.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

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

} // namespace

class TestLayout : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    // Opens account 2 in an active window, so key presses reach its fields.
    void open(int user = 1)
    {
        LedgerWindowTest::open(user, 2);
        frmAccountDetails *w = window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
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
        // Parameter 311 off: the last filter leads straight to the rebuild button.
        QTest::newRow("analytic pairs off") << 1 << false << head + QStringList {"sltBranch", "chkMix", "cmdReset"};
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
        // Shift+Tab walks the same way back.
        QCOMPARE(press(Qt::Key_Backtab, Qt::ShiftModifier), expected.at(expected.size() - 2));
    }

    void tabWhileEditingFollowsTheEditPanel()
    {
        open();
        window()->flxAccount->setRow(2);
        window()->flxAccount_SelChange();
        window()->cmdEdit_Click();
        QCOMPARE(focusedControl(), QStringLiteral("cmbDocumentType"));
        QStringList visited;
        for (int n = 0; n < 6; ++n)
            visited << press(Qt::Key_Tab);
        QCOMPARE(visited, (QStringList {"txtAdditionalFormSpec", "dtpTrans", "mptContract", "txtDescription", "cmdSave", "cmdEsc"}));
    }

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
    }
    void enterMovesOnLikeTab()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        open();
        chooseAllClasses();
        QSignalSpy rebuilt(window()->cmdReset, &QPushButton::clicked);
        window()->Controls.value(from)->setFocus(Qt::TabFocusReason);
        QCOMPARE(focusedControl(), from);
        const bool wasChecked = window()->chkiOpening->isChecked();
        QCOMPARE(press(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier), to);
        QCOMPARE(rebuilt.count(), 0);
        QCOMPARE(window()->chkiOpening->isChecked(), wasChecked);
    }

    void enterOnTheRebuildButtonPressesIt()
    {
        open();
        QSignalSpy rebuilt(window()->cmdReset, &QPushButton::clicked);
        window()->cmdReset->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        QCOMPARE(rebuilt.count(), 1);
        // The rebuild itself hands the focus to the ledger.
        QCOMPARE(focusedControl(), QStringLiteral("flxAccount"));
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

    void amountFieldsHoldTheWidestAmount_data()
    {
        QTest::addColumn<QString>("field");
        for (const char *name : {"txtSumAllDebit", "txtSumAllCredit", "txtSumDebit", "txtSumCredit", "txtMaxDebit_Credit",
                                 "txtRemMaxDebit_Credit", "txtUpToNowAllDebit", "txtUpToNowAllCredit", "txtUpToNowDebit",
                                 "txtUpToNowCredit", "txtSumChecked", "txtSumUnChecked", "txtSumAssignedDebit",
                                 "txtSumAssignedCredit", "txtSumNotAssignedDebit", "txtSumNotAssignedCredit"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void amountFieldsHoldTheWidestAmount()
    {
        QFETCH(QString, field);
        open();
        QLineEdit *text = window()->summaryField(field);
        QVERIFY(text);
        const QFontMetrics metrics(text->font());
        for (const QString &amount : WidestAmounts)
            QVERIFY2(metrics.horizontalAdvance(amount) <= textRoom(text),
                     qPrintable(QStringLiteral("%1 needs %2 px, has %3").arg(amount).arg(metrics.horizontalAdvance(amount)).arg(textRoom(text))));
        // And its frame does not cut it off.
        QVERIFY(text->parentWidget()->rect().contains(text->geometry()));
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
                if (&a == &b || qstrcmp(a.container, b.container) != 0 || !sameRow(a, b))
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
        if (editing) {
            window()->flxAccount->setRow(2);
            window()->flxAccount_SelChange();
            window()->cmdEdit_Click();
        }
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
        QVERIFY2(showsWhole(caption), qPrintable(caption->text()));
        QVERIFY2(showsWhole(object->nameLabel()), qPrintable(object->nameLabel()->text()));
        QVERIFY2(showsWhole(klass->nameLabel()), qPrintable(klass->nameLabel()->text()));
        QVERIFY2(showsWhole(window()->lblObject[pair]), qPrintable(window()->lblObject[pair]->text()));
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
