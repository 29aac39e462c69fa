#pragma once
// A small book with known numbers for the ledger window's tests. Today is
// 2024-07-01 (1403/04/11); the current period is 1403 (ID 2).
//
// Account 2 "صندوق" (debit nature, limit 1,000) in period 1403, by document date:
//   doc 101 code 1 1403/01/01 opening (type 100)  debit 500   -> 500
//   doc 102 code 2 1403/01/22 reviewed, branch 2   debit 300   -> 800
//   doc 103 code 3 1403/02/16                      credit 1000 -> -200
//   doc 104 code 4 1403/03/12 excluded from assignment, debit 250 -> 50
//   doc 106 code 6 1403/05/25 (after today)        debit 100   -> 150
// Doc 105 is a draft and doc 90 lies in period 1402. Account 1 is the parent
// of 2 and 3.

#include "TestSupport.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <memory>

inline QStringList LedgerFixtureStatements()
{
    return {
        "insert into tblUser(ID, Name, BranchID, CurrentPeriodID) values (1, 'مدير', null, 2), "
        "(2, 'كاربر محدود', null, 2), (3, 'بدون دسترسي', null, 2), (4, 'كاربر شعبه', 2, 2)",
        "insert into tblUserPermission(UserID, PermissionID) values (1, 315), (1, 30001), (1, 30302), (1, 31505), "
        "(1, 31506), (1, 31507), (1, 303), (2, 315), (4, 315)",
        "insert into tblAccountPeriod(ID, Name, BeginDate, EndDate, IsActive) values "
        "(1, 'سال مالي 1402', '2023-03-21', '2024-03-19', 0), (2, 'سال مالي 1403', '2024-03-20', '2025-03-20', 1), "
        "(3, 'سال مالي 1404', '2025-03-21', '2026-03-20', 0)",
        "insert into tblVelkoSystemParameters(ID, Value) values (4, '2,4'), (306, '1'), (311, '1')",
        "insert into tblAccountDocumentType(ID, Name) values (1, 'عمومي'), (2, 'فروش'), (100, 'افتتاحيه')",
        "insert into tblAccount(ID, Code, Title, ParentID, AccountNatureID, MaxDebit, MaxCredit) values "
        "(1, '11', 'دارايي جاري', null, 0, 0, 0), (2, '1101', 'صندوق', 1, 0, 1000, 0), "
        "(3, '1102', 'بانك', 1, 0, 0, 0), (4, '2101', 'حسابهاي پرداختني', null, 1, 0, 1000)",
        "insert into tblAccountParent(ID, ChildID) values (1, 1), (1, 2), (1, 3), (2, 2), (3, 3), (4, 4)",
        "insert into tblAccountBranch(ID, Code, Name, ParentID) values (1, '01', 'مركزي', null), (2, '02', 'شعبه شمال', 1)",
        "insert into tblAccountBranchParent(ID, ChildID) values (1, 1), (1, 2), (2, 2)",
        "insert into tblAccountClass(ID, Code, Name, ViewMajor, ViewMinor) values (7, '7', 'اشخاص', 'vwPersonMajor', 'vwPersonMinor')",
        "insert into tblPerson(ID, Code, Name, ParentID) values (1, 'P1', 'مشتري الف', null), (2, 'P2', 'مشتري ب', 1)",
        "insert into tblAccountRelatedClasses(AccountID, ClassID, Sequence) values (2, 7, 1)",
        "insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, IsScratch, DocumentTypeID) values "
        "(90, 50, '2024-01-10', '1402/10/20', 1, 1, 0, 1), (101, 1, '2024-03-20', '1403/01/01', 1, 1, 0, 100), "
        "(102, 2, '2024-04-10', '1403/01/22', 2, 0, 0, 1), (103, 3, '2024-05-05', '1403/02/16', 1, 0, 0, 1), "
        "(104, 4, '2024-06-01', '1403/03/12', 1, 0, 0, 2), (105, 5, '2024-06-02', '1403/03/13', 1, 0, 1, 1), "
        "(106, 6, '2024-08-15', '1403/05/25', 1, 0, 0, 1)",
        "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, Description, "
        "TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, IsAssignmentExcluded) values "
        "(90, 1, 2, 7000, 0, 'مانده سال قبل', '2024-01-10', '1402/10/20', 1, 0, 0), "
        "(90, 2, 4, 0, 7000, 'مانده سال قبل', '2024-01-10', '1402/10/20', 1, 0, 0), "
        "(101, 1, 2, 500, 0, 'افتتاحيه', '2024-03-20', '1403/01/01', 100, 0, 0), "
        "(101, 2, 4, 0, 500, 'افتتاحيه', '2024-03-20', '1403/01/01', 100, 0, 0), "
        "(102, 1, 2, 300, 0, 'واريز نقدي', '2024-04-10', '1403/01/22', 1, 1, 0), "
        "(102, 2, 3, 0, 300, 'واريز نقدي', '2024-04-10', '1403/01/22', 1, 0, 0), "
        "(103, 1, 3, 1000, 0, 'انتقال به بانك', '2024-05-05', '1403/02/16', 1, 0, 0), "
        "(103, 2, 2, 0, 1000, 'انتقال به بانك', '2024-05-05', '1403/02/16', 1, 0, 0), "
        "(104, 1, 2, 250, 0, 'فروش نقدي', '2024-06-01', '1403/03/12', 2, 0, 1), "
        "(104, 2, 4, 0, 250, 'فروش نقدي', '2024-06-01', '1403/03/12', 2, 0, 0), "
        "(105, 1, 2, 999, 0, 'پيش نويس', '2024-06-02', '1403/03/13', 1, 0, 0), "
        "(105, 2, 4, 0, 999, 'پيش نويس', '2024-06-02', '1403/03/13', 1, 0, 0), "
        "(106, 1, 2, 100, 0, 'دريافت آينده', '2024-08-15', '1403/05/25', 1, 0, 0), "
        "(106, 2, 4, 0, 100, 'دريافت آينده', '2024-08-15', '1403/05/25', 1, 0, 0)",
        "insert into tblAccountDocumentDetailObject(DocumentID, RowNumber, ClassID, ObjectID) values "
        "(102, 1, 7, 2), (104, 1, 7, 1)",
        "insert into tblVelkoRelatedForms(ID, ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber, "
        "RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber, AssignedValue) values "
        "(1, 303, 102, 1, 901, 5000, null, null), (2, 303, 103, 2, 201, 6000, null, 10), "
        "(3, 303, 104, 1, 303, 102, 1, 120)",
    };
}

inline const QDate FixtureToday(2024, 7, 1);
// The condition of the current period 1403 in the ledger statements.
inline const QString PeriodOf1403 = QStringLiteral(" and ( DocumentDate >='2024-03-20' And DocumentDate <= '2025-03-20')");

// One value read back from the fixture database on a connection of the
// test's own: the first column of the first row of the query.
inline QVariant FixtureValue(const TestDatabase &db, const QString &sql)
{
    const QString name = QStringLiteral("window-test-check");
    QSqlDatabase connection = QSqlDatabase::database(name, false);
    if (!connection.isValid())
        connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    connection.close();
    connection.setDatabaseName(db.path());
    connection.open();
    QSqlQuery query(connection);
    query.exec(sql);
    return query.next() ? query.value(0) : QVariant();
}

// A pointer event sent straight to the widget that watches for it.
inline void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, const QPoint &position)
{
    QMouseEvent event(type, position, target->mapToGlobal(position), button,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// What every window test starts from: a fresh session, the scripted message
// dialog, the fixture's "today", the fixture book in a new database and one
// control. A test class derives from it and calls setUpWindowTest() from its
// init() and tearDownWindowTest() from its cleanup().
class LedgerWindowTest
{
protected:
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<comAccountDetail1> control;

    void setUpWindowTest()
    {
        ResetSessionForTesting();
        ResetComponentsForTesting();
        ScriptedMessages::install();
        SetTodayForTesting(FixtureToday);
        db = std::make_unique<TestDatabase>();
        db->exec(LedgerFixtureStatements());
        control = std::make_unique<comAccountDetail1>();
    }
    void tearDownWindowTest()
    {
        control.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetSessionForTesting();
        SetTodayForTesting(QDate());
    }

    frmAccountDetails *window() const { return control->LedgerWindow(); }
    FlexGrid *grid() const { return window()->flxAccount; }
    QString cell(int row, int col) const { return grid()->TextMatrix(row, col); }
    QString field(const char *name) const { return window()->summaryField(QLatin1String(name))->text(); }
    QStringList codes() const { return column(AccTransCode); }
    QStringList column(int col) const
    {
        QStringList values;
        for (int r = 1; r < grid()->Rows(); ++r)
            values << cell(r, col);
        return values;
    }

    // The dialogs shown so far, as "title: message".
    static QStringList shownMessages()
    {
        QStringList texts;
        for (const ScriptedMessages::Shown &shown : ScriptedMessages::shown())
            texts << shown.title + ": " + shown.message;
        return texts;
    }
    // The centre of a cell of a ledger row, in the grid's viewport.
    QPoint cellPoint(int row, int col = Description) const
    {
        const QTableView *view = grid()->view();
        return view->visualRect(view->model()->index(row - 1, col)).center();
    }
    // The window shown and active, so key presses reach its fields.
    void activate() const
    {
        window()->show();
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }
    // The row made current and its edit started, as the edit button does.
    void startEditing(int row = 2) const
    {
        grid()->setRow(row);
        window()->flxAccount_SelChange();
        window()->cmdEdit_Click();
    }

    // The control signed in as the user, on the fixture database.
    void signIn(comAccountDetail1 &c, int user = 1) const
    {
        c.setOLEConnectionString(db->connectionString());
        c.setUserID(user);
    }
    // Opens the ledger of the account as the user would be given it by the host.
    void open(int user = 1, qint32 account = 2)
    {
        signIn(*control, user);
        control->View(account);
    }
};
