// A row's accounting document (double click, the document menu) and its
// source form (cmdFormID), with recording stand-ins for the outside
// components and a real component module for the one loaded from System.
//
// Account 2's ledger, by document date: row 1 doc 101/1, row 2 doc 102/1,
// row 3 doc 103/2, row 4 doc 104/1, row 5 doc 106/1. Row 2's source form is
// form 55 of type 9999 ("برگشت از فروش"), whose file name each test sets.

#include "LedgerFixture.h"
#include "ledger_window/WindowTexts.h"
#include "ledger_window/row_actions/SourceDocuments.h"
#include "outside/components/DocumentComponent.h"
#include "session/Messages.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// Every call a recording component received, as "<name> <member> <value>".
QStringList &calls()
{
    static QStringList list;
    return list;
}

// A document component, or with no name a source form, that records what it
// is given and asked; the members of both, so a member handed to the wrong
// kind shows in the calls too.
class Recording : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int UserID READ none WRITE setUserID)
    Q_PROPERTY(int PositionID READ none WRITE setPositionID)
    Q_PROPERTY(int EmployeeID READ none WRITE setEmployeeID)
    Q_PROPERTY(QString OLEConnectionString READ noText WRITE setOLEConnectionString)
    Q_PROPERTY(int DocumentRowNumber READ none WRITE setDocumentRowNumber)
    Q_PROPERTY(int ReturnType READ none WRITE setReturnType)

public:
    explicit Recording(const QString &name = QString()) : m_name(name) { instances().insert(name, this); }
    ~Recording() override { instances().remove(m_name); }
    static QHash<QString, Recording *> &instances()
    {
        static QHash<QString, Recording *> map;
        return map;
    }

    int none() const { return 0; }
    QString noText() const { return {}; }
    void setUserID(int v) { record("UserID", v); }
    void setPositionID(int v) { record("PositionID", v); }
    void setEmployeeID(int v) { record("EmployeeID", v); }
    void setOLEConnectionString(const QString &v) { record("OLEConnectionString", v); }
    void setDocumentRowNumber(int v) { record("DocumentRowNumber", v); }
    void setReturnType(int v) { record("ReturnType", v); }
    Q_INVOKABLE void OpenDocument(int documentId) { record("OpenDocument", documentId); }
    Q_INVOKABLE void NewDocument() { record("NewDocument", QString()); }
    Q_INVOKABLE void View(int formId) { record("View", formId); }

signals:
    void CreateNewRelationship(int FormTypeID, int FormID);
    void ShowRelationships(int FormTypeID, int FormID);

private:
    void record(const char *member, const QVariant &value)
    {
        calls() << (m_name + ' ' + QLatin1String(member) + ' ' + value.toString()).trimmed();
    }
    QString m_name;
};

const QString DocClass = AccountDocClassComponentName;
const QString Doc = AccountDocComponentName;

} // namespace

class TestSourceDocuments : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    void registerDocuments() const
    {
        for (const QString &name : {Doc, DocClass})
            RegisterComponent(name, [name] { return std::unique_ptr<QObject>(new Recording(name)); });
    }
    // Opens account 2 as user 1 (position 7, employee 9) with row 2's source
    // form in the given file, and the user allowed form type 9999 or not.
    void openWithSourceForm(const QString &fileName, bool allowed = true, const QString &formId = "55")
    {
        db->exec({"insert into tblVelkoFormType(ID, Code, Name, FileName) values (9999, '9999', 'برگشت از فروش', '"
                      + fileName + "')",
                  "update tblAccountDocumentDetail set FormTypeID = 9999, FormID = " + (formId.isEmpty() ? QString("null") : formId)
                      + " where DocumentID = 102 and RowNumber = 1"});
        if (allowed)
            db->exec({"insert into tblUserPermission(UserID, PermissionID) values (1, 9999)"});
        control->setPositionID(7);
        control->setEmployeeID(9);
        open();
        grid()->setRow(2);
        calls().clear();
    }
    static QList<int> permissionsAsked(const StatementLog &log)
    {
        QList<int> numbers;
        for (const TracedStatement &s : log.all())
            if (s.command == QLatin1String("spVelkoHasPermission"))
                numbers << s.parameters.value(1).toInt();
        return numbers;
    }

private slots:
    void init()
    {
        setUpWindowTest();
        calls().clear();
        qApp->setProperty("componentModuleLog", QVariant());
    }
    void cleanup() { tearDownWindowTest(); }

    void startupHandsOverUserAndConnection()
    {
        registerDocuments();
        control->setPositionID(7);
        control->setEmployeeID(9);
        open();
        for (const QString &name : {Doc, DocClass})
            QCOMPARE(calls().filter(name + ' '), QStringList({name + " UserID 1", name + " PositionID 7",
                                                              name + " EmployeeID 9",
                                                              name + " OLEConnectionString " + db->connectionString()}));
    }

    // The double click opens the document of the row under the pointer on
    // that row, in the component the analytic switch chooses.
    void doubleClick_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("objectsEnabled");
        QTest::addColumn<QString>("where"); // "row 3", "header", "editing"
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("row 3 with analytic classes") << 1 << true << "row 3"
            << QStringList {DocClass + " DocumentRowNumber 2", DocClass + " OpenDocument 103"};
        QTest::newRow("row 3 without analytic classes") << 1 << false << "row 3"
            << QStringList {Doc + " DocumentRowNumber 2", Doc + " OpenDocument 103"};
        QTest::newRow("no permission 303: nothing, silently") << 2 << true << "row 3" << QStringList();
        QTest::newRow("on the header") << 1 << true << "header" << QStringList();
        QTest::newRow("while a row is edited") << 1 << true << "editing" << QStringList();
    }
    void doubleClick()
    {
        QFETCH(int, user);
        QFETCH(QString, where);
        registerDocuments();
        open(user);
        QFETCH(bool, objectsEnabled);
        Session.ObjectsEnabled = objectsEnabled;
        grid()->setRow(1);
        calls().clear();
        if (where == "editing")
            Session.EditState = 2;
        // As the grid receives a double click: without the press before it,
        // so the current row stays where it was.
        const QHeaderView *header = grid()->view()->horizontalHeader();
        const bool onHeader = where == "header";
        sendMouse(onHeader ? header->viewport() : grid()->view()->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton,
                  onHeader ? QPoint(header->sectionViewportPosition(Description) + 5, header->height() / 2) : cellPoint(3));
        QTEST(calls(), "expected");
        QCOMPARE(shownMessages(), QStringList());
    }

    void documentMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("objectsEnabled");
        QTest::addColumn<int>("editState");
        QTest::addColumn<int>("requeryFlag");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("ledgerReads");
        QTest::newRow("new document with analytic classes") << "mnuFunc1" << true << 3 << -1
                                                           << QStringList {DocClass + " NewDocument"} << 0;
        QTest::newRow("new document without") << "mnuFunc1" << false << 3 << -1 << QStringList {Doc + " NewDocument"} << 0;
        // The ledger is shown again without asking for a re-read ...
        QTest::newRow("edit the row's document") << "mnuFunc2" << true << 3 << -1
                                                 << QStringList {DocClass + " OpenDocument 103"} << 0;
        QTest::newRow("edit, without analytic classes") << "mnuFunc2" << false << 3 << -1
                                                        << QStringList {Doc + " OpenDocument 103"} << 0;
        // ... so only a re-read asked for before reads the ledger.
        QTest::newRow("edit with a re-read pending") << "mnuFunc2" << true << 3 << 1
                                                     << QStringList {DocClass + " OpenDocument 103"} << 1;
        QTest::newRow("edit while a row is edited") << "mnuFunc2" << true << 2 << -1 << QStringList() << 0;
    }
    void documentMenu()
    {
        QFETCH(QString, item);
        registerDocuments();
        open();
        QFETCH(bool, objectsEnabled);
        QFETCH(int, editState);
        QFETCH(int, requeryFlag);
        Session.ObjectsEnabled = objectsEnabled;
        Session.EditState = qint16(editState);
        Session.RequeryFlag = qint16(requeryFlag);
        grid()->setRow(3);
        calls().clear();
        StatementLog log;
        window()->menuItem(item)->trigger();
        QTEST(calls(), "expected");
        QTEST(int(log.startingWith("Select * From tblAccount Where ID=").size()), "ledgerReads");
        if (editState == 3)
            QCOMPARE(Session.RequeryFlag, qint16(-1));
        QCOMPARE(grid()->Rows(), 6);
    }

    void relationshipRequestsReachTheHost_data()
    {
        QTest::addColumn<QString>("component");
        QTest::newRow("comAccountDoc") << Doc;
        QTest::newRow("comAccountDocClass") << DocClass;
    }
    void relationshipRequestsReachTheHost()
    {
        QFETCH(QString, component);
        registerDocuments();
        open();
        QSignalSpy created(control.get(), &comAccountDetail1::CreateNewRelationship);
        QSignalSpy shown(control.get(), &comAccountDetail1::ShowRelationships);
        Recording *document = Recording::instances().value(component);
        QVERIFY(document);
        emit document->CreateNewRelationship(901, 5000);
        emit document->ShowRelationships(303, 102);
        emit document->CreateNewRelationship(201, 6000);
        QCOMPARE(QList<QVariantList>(created), (QList<QVariantList> {{901, 5000}, {201, 6000}}));
        QCOMPARE(QList<QVariantList>(shown), (QList<QVariantList> {{303, 102}}));
    }

    void sourceFormFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("module");
        const int none = SourceFormFile::NoForm, refused = SourceFormFile::Refused, plain = SourceFormFile::Plain;
        QTest::newRow("sale return") << "comSaleReturn.dll" << plain << "comSaleReturn" << "comSaleReturn";
        // The component drops four characters, the module everything after the first ".".
        QTest::newRow("dotted name") << "com.Sale_2.ocx" << plain << "com.Sale_2" << "com";
        QTest::newRow("shortest name") << "a.dll" << plain << "a" << "a";
        QTest::newRow("four characters: no component") << "a.dl" << none << "" << "";
        QTest::newRow("extension only: no component") << ".dll" << none << "" << "";
        QTest::newRow("parent folder") << "../comSaleReturn.dll" << refused << "" << "";
        QTest::newRow("two dots inside") << "com..Sale.dll" << refused << "" << "";
        QTest::newRow("folder") << "System/comSale.dll" << refused << "" << "";
        QTest::newRow("backslash folder") << "C:\\x\\comSale.dll" << refused << "" << "";
        QTest::newRow("double quote") << "com\" /s x.dll" << refused << "" << "";
        QTest::newRow("single quote") << "com'Sale.dll" << refused << "" << "";
        QTest::newRow("no extension") << "comSaleReturn" << refused << "" << "";
        QTest::newRow("nothing before the first dot") << ".hidden.dll" << refused << "" << "";
        QTest::newRow("trailing blank") << "comSale.dll " << refused << "" << "";
    }
    void sourceFormFile()
    {
        QFETCH(QString, fileName);
        const SourceFormFile file = ReadSourceFormFile(fileName);
        QTEST(int(file.kind), "kind");
        QTEST(file.componentName, "component");
        QTEST(file.moduleBaseName, "module");
    }

    // cmdFormID on row 2, the source form registered under "comSaleReturn".
    void sourceForm_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("formId");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QString>("saleInvoice"); // tblSaleReturn 55: "" no record, "null", an ID; "drop" no table
        QTest::addColumn<QList<int>>("permissions");
        QTest::addColumn<QStringList>("tail"); // the calls after the user and connection, or all when not opened
        QTest::addColumn<QStringList>("messages");
        const QString error = ErrorTitle + ": ";
        QTest::newRow("sale return without its invoice") << "comSaleReturn.dll" << "55" << true << "null"
            << QList<int> {9999} << QStringList {"ReturnType 0", "View 55"} << QStringList();
        QTest::newRow("sale return of an invoice") << "comSaleReturn.dll" << "55" << true << "12"
            << QList<int> {9999} << QStringList {"ReturnType 1", "View 55"} << QStringList();
        QTest::newRow("sale return without a record") << "comSaleReturn.dll" << "55" << true << ""
            << QList<int> {9999} << QStringList {"View 55"} << QStringList();
        // A failing look-up is passed over: the form still opens.
        QTest::newRow("sale return table missing") << "comSaleReturn.dll" << "55" << true << "drop"
            << QList<int> {9999} << QStringList {"View 55"} << QStringList();
        QTest::newRow("form type 9999 refused") << "comSaleReturn.dll" << "55" << false << "null"
            << QList<int> {9999} << QStringList() << QStringList {error + NotPermittedMessage};
        QTest::newRow("no form ID") << "comSaleReturn.dll" << "" << true << "null" << QList<int>() << QStringList()
                                    << QStringList();
        QTest::newRow("file name too short") << "a.dl" << "55" << true << "null" << QList<int>() << QStringList()
                                             << QStringList();
        QTest::newRow("file name with a folder") << "../comSaleReturn.dll" << "55" << true << "null"
            << QList<int> {9999} << QStringList()
            << QStringList {error + SourceFormFileRefusedMessage + "../comSaleReturn.dll"};
        QTest::newRow("not registered, no module") << "comOther.dll" << "55" << true << "null" << QList<int> {9999}
                                                   << QStringList() << QStringList();
    }
    void sourceForm()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, formId);
        QFETCH(bool, allowed);
        QFETCH(QString, saleInvoice);
        if (saleInvoice == "drop")
            db->exec({"drop table tblSaleReturn"});
        else if (!saleInvoice.isEmpty())
            db->exec({"insert into tblSaleReturn(ID, Code, SaleInvoiceID) values (55, 1, " + saleInvoice + ")"});
        RegisterComponent("comSaleReturn", [] { return std::unique_ptr<QObject>(new Recording); });
        openWithSourceForm(fileName, allowed, formId);
        StatementLog log;
        window()->cmdFormID->click();
        QFETCH(QStringList, tail);
        QStringList expected;
        if (!tail.isEmpty())
            expected << "UserID 1" << "PositionID 7" << "EmployeeID 9" << "OLEConnectionString " + db->connectionString();
        QCOMPARE(calls(), expected + tail);
        QTEST(permissionsAsked(log), "permissions");
        QTEST(shownMessages(), "messages");
    }

    // A component not registered yet comes from its module in the folder
    // System under the first base path, loaded and created once more.
    void sourceFormFromModule_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("moduleFile"); // what lies in System as libcomSaleReturn.so
        QTest::addColumn<QStringList>("log");
        QTest::newRow("module loaded, form shown") << "comSaleReturn.dll" << "module" << QStringList {"View 55 user 1 "};
        QTest::newRow("no module") << "comSaleReturn.dll" << "" << QStringList();
        QTest::newRow("a file that is no plugin") << "comSaleReturn.dll" << "text" << QStringList();
        // The module loads, but offers no component of that name.
        QTest::newRow("module without the component") << "comSaleReturn.x.dll" << "module" << QStringList();
    }
    void sourceFormFromModule()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, moduleFile);
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkdir("System"));
        const QString target = base.path() + "/System/libcomSaleReturn.so";
        if (moduleFile == "module")
            QVERIFY(QFile::copy(QStringLiteral(SALE_RETURN_MODULE), target));
        else if (moduleFile == "text") {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a library");
        }
        openWithSourceForm(fileName);
        Session.FirstBasePath = base.path() + "/";
        window()->cmdFormID->click();
        QStringList log = qApp->property("componentModuleLog").toStringList(); // what the module's form was given
        for (QString &line : log)
            line.remove(db->connectionString());
        QTEST(log, "log");
        QCOMPARE(shownMessages(), QStringList());
    }
};

int RunSourceDocumentTests(int argc, char **argv)
{
    TestSourceDocuments tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_source_documents.moc"
