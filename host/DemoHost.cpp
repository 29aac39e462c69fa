#include "DemoHost.h"

#include "DemoActions.h"
#include "DemoPrinting.h"
#include "HostFiles.h"

#include "control/comAccountDetail1.h"
#include "outside/components/ComponentRegistry.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "session/Session.h"
#include "session/ValueText.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

QCommandLineOption option(const char *name, const char *description, const char *value = nullptr)
{
    return value ? QCommandLineOption(QLatin1String(name), QLatin1String(description), QLatin1String(value))
                 : QCommandLineOption(QLatin1String(name), QLatin1String(description));
}

// The parent of the account with the most ledger rows: the demo's busiest
// parent account. The counting is a plain grouped query and the largest is
// picked here, so the text runs on SQLite and SQL Server alike (neither
// "limit" nor "top" is common to both). On equal counts the lowest ID wins.
int busiestParentAccount(const QString &connectionText)
{
    Session.ConnectionText = connectionText;
    StartSession();
    Recordset &counts = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                     QStringLiteral("Select AccountID, count(*) as RowCount from tblAccountDocumentDetail "
                                                    "group by AccountID"));
    qint32 busiest = 0;
    qint64 most = 0;
    for (; !counts.Eof(); counts.MoveNext()) {
        const qint32 account = counts.Field(QStringLiteral("AccountID")).toInt();
        const qint64 rows = counts.Field(QStringLiteral("RowCount")).toLongLong();
        if (rows > most || (rows == most && account < busiest)) {
            busiest = account;
            most = rows;
        }
    }
    counts.Close();
    if (busiest == 0)
        return 1;
    Recordset &account = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                      QStringLiteral("Select isnull(ParentID, ID) as ID from tblAccount where ID = ")
                                          + QString::number(busiest));
    const int id = account.RecordCount() > 0 ? account.Field(QStringLiteral("ID")).toInt() : busiest;
    account.Close();
    return id;
}

// The grid's texts, one tab-separated line per row, then the summary fields and the title.
void dumpGrid(frmAccountDetails *window, const QString &path)
{
    HostFiles::Write(path, [window](QIODevice &device) {
        QTextStream out(&device);
        FlexGrid *grid = window->flxAccount;
        for (int r = 0; r < grid->Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->Cols(); ++c)
                cells << grid->TextMatrix(r, c);
            out << cells.join(QLatin1Char('\t')) << "\n";
        }
        out << "\n";
        for (const QString &name : DemoActions::SummaryFieldNames())
            out << name << "\t" << window->summaryField(name)->text() << "\n";
        out << "title\t" << window->windowTitle() << "\n";
        out.flush();
    });
}

// Sets the filters as a person would, then presses the rebuild button.
void applyFilters(frmAccountDetails *window, const QCommandLineParser &parser)
{
    if (parser.isSet("from"))
        window->dtpFromDate->setValue(VelkoDate::FromJalaliText(parser.value("from")));
    if (parser.isSet("to"))
        window->dtpToDate->setValue(VelkoDate::FromJalaliText(parser.value("to")));
    if (parser.isSet("code-from")) {
        window->txtCodeFrom->setText(parser.value("code-from"));
        window->txtCodeFrom_LostFocus();
    }
    if (parser.isSet("code-to")) {
        window->txtCodeTo->setText(parser.value("code-to"));
        window->txtCodeTo_LostFocus();
    }
    if (parser.isSet("branch")) {
        window->sltBranch->setEnabled(true);
        window->sltBranch->setSelectedID(parser.value("branch").toInt());
    }
    // --class N ID and --object N ID arrive as "N:ID" (see main).
    const auto choosePairs = [](const QStringList &pairs, VelkoSelector *const selectors[5]) {
        for (const QString &pair : pairs) {
            const int n = pair.section(QLatin1Char(':'), 0, 0).toInt();
            if (n >= 1 && n <= 4)
                selectors[n]->setSelectedID(pair.section(QLatin1Char(':'), 1, 1).toInt());
        }
    };
    choosePairs(parser.values("class"), window->sltClass);
    choosePairs(parser.values("object"), window->sltObject);
    window->cmdReset_Click();
}

// Messages of an unattended run go to standard error; a question is answered no.
class PrintedMessages : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant FormTitle MEMBER title)
    Q_PROPERTY(QString FormMessage MEMBER message)
    Q_PROPERTY(int FormType MEMBER type)
    Q_PROPERTY(int Resualt MEMBER resualt)

public:
    Q_INVOKABLE void ClearShow()
    {
        QTextStream(stderr) << title.toString() << ": " << message << "\n";
        resualt = 0;
    }
    QVariant title;
    QString message;
    int type = 0;
    int resualt = 0;
};

} // namespace

void DemoHost::addOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        option("user", "User ID (default 1).", "ID"),
        option("position", "Position ID.", "ID"),
        option("employee", "Employee ID.", "ID"),
        option("period", "Accounting period to show (AccPeriodSpecID; default the user's current one).", "ID"),
        option("sql-string", "Extra row condition (SqlString).", "TEXT"),
        option("caption", "Window caption.", "TEXT"),
        option("view", "Open the ledger of this account.", "ACCOUNT_ID"),
        option("clear-show", "Open an empty ledger window."),
        option("view-by-details", "Open the account with up to three analytic pairs, drafts included: "
               "\"ACCOUNT C1 O1 C2 O2 C3 O3\" (-1 leaves a pair empty).", "IDS"),
        option("from", "Jalali from-date, e.g. 1403/01/01.", "JALALI"),
        option("to", "Jalali to-date.", "JALALI"),
        option("code-from", "First document number.", "N"),
        option("code-to", "Last document number.", "N"),
        option("branch", "Branch ID.", "ID"),
        option("class", "Analytic class of pair N: \"N ID\" (repeatable).", "N ID"),
        option("object", "Analytic object of pair N: \"N ID\" (repeatable).", "N ID"),
        option("rebuild", "Press the rebuild button after opening."),
        option("do", "A step done on the window after the opening and the filters (repeatable, in order): "
                     "\"set NAME VALUE\", \"click NAME\", \"menu NAME\", \"key SEQUENCE [NAME]\", \"type TEXT\", "
                     "\"select FIRST LAST\", \"grid-click ROW COL\", \"grid-double-click ROW COL\", "
                     "\"grid-right-click ROW COL\", \"hover ROW COL\", \"resize WIDTH HEIGHT\", \"wait MS\".",
               "ACTION"),
        option("screenshot", "Write a PNG of the ledger window (or of a document or form window a step opened) and exit.",
               "PATH"),
        option("dump-grid", "Write the grid's texts and summary fields and exit.", "PATH"),
        option("dump-state", "Write the window's title, account, filters, message, summary fields, grid "
                             "selection and row colours, menu checks and control geometry, and exit.", "PATH"),
    });
}

int DemoHost::run(const QCommandLineParser &parser, const QString &connectionText)
{
    // The steps are read before anything opens, so a mistyped one costs nothing.
    QList<DemoActions::Action> actions;
    for (const QString &text : parser.values("do"))
        actions << DemoActions::Parse(text);
    const bool unattended = parser.isSet("dump-grid") || parser.isSet("dump-state") || parser.isSet("screenshot")
                            || DemoPrinting::writesFiles(parser);
    DemoPrinting::install(parser, unattended);
    if (unattended)
        RegisterComponent(QStringLiteral("comMessage.comMSG"), [] { return std::unique_ptr<QObject>(new PrintedMessages); });

    QMainWindow host;
    host.setWindowTitle(QStringLiteral("ميزبان نمايشي گردش حساب"));
    auto *central = new QWidget(&host);
    auto *layout = new QVBoxLayout(central);
    auto *form = new QFormLayout;
    auto *userBox = new QSpinBox(central);
    userBox->setRange(-32768, 32767);
    userBox->setValue(parser.isSet("user") ? parser.value("user").toInt() : 1);
    auto *periodBox = new QSpinBox(central);
    periodBox->setRange(0, 32767);
    periodBox->setValue(parser.value("period").toInt());
    auto *accountBox = new QLineEdit(central);
    form->addRow(QStringLiteral("كاربر:"), userBox);
    form->addRow(QStringLiteral("دوره مالي (0 = دوره جاري):"), periodBox);
    form->addRow(QStringLiteral("حساب:"), accountBox);
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    auto *viewButton = new QPushButton(QStringLiteral("View"), central);
    auto *clearShowButton = new QPushButton(QStringLiteral("ClearShow"), central);
    buttons->addWidget(viewButton);
    buttons->addWidget(clearShowButton);
    layout->addLayout(buttons);
    auto *control = new comAccountDetail1(central);
    layout->addWidget(control);
    host.setCentralWidget(central);

    // The relationship requests of the document components reach the host here.
    QObject::connect(control, &comAccountDetail1::CreateNewRelationship, control, [](int formTypeId, int formId) {
        QTextStream(stderr) << "CreateNewRelationship " << formTypeId << " " << formId << "\n";
    });
    QObject::connect(control, &comAccountDetail1::ShowRelationships, control, [](int formTypeId, int formId) {
        QTextStream(stderr) << "ShowRelationships " << formTypeId << " " << formId << "\n";
    });
    control->setOLEConnectionString(connectionText);
    control->setPositionID(parser.value("position").toInt());
    control->setEmployeeID(parser.value("employee").toInt());
    control->setSqlString(parser.value("sql-string"));
    control->setCaption(parser.value("caption"));
    auto applyHostFields = [=] {
        control->setUserID(userBox->value());
        control->setAccPeriodSpecID(periodBox->value());
    };
    QObject::connect(viewButton, &QPushButton::clicked, control, [=] {
        applyHostFields();
        control->View(accountBox->text());
    });
    QObject::connect(clearShowButton, &QPushButton::clicked, control, [=] {
        applyHostFields();
        control->ClearShow();
    });

    const int accountId = parser.isSet("view") ? parser.value("view").toInt() : busiestParentAccount(connectionText);
    accountBox->setText(QString::number(accountId));
    applyHostFields();
    if (parser.isSet("clear-show")) {
        control->ClearShow();
    } else if (parser.isSet("view-by-details")) {
        const QStringList words = parser.value("view-by-details").split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QList<qint32> ids;
        bool numbers = true;
        for (const QString &word : words) {
            bool number = false;
            ids << word.toInt(&number);
            numbers = numbers && number;
        }
        if (ids.size() != 7 || !numbers) {
            QTextStream(stderr) << "--view-by-details needs seven whole numbers: ACCOUNT C1 O1 C2 O2 C3 O3\n";
            return 1;
        }
        control->ViewByDetails(ids[0], ids[1], ids[2], ids[3], ids[4], ids[5], ids[6]);
    } else {
        control->View(accountId);
    }

    QPointer<frmAccountDetails> window = control->LedgerWindow();
    if (!window && (unattended || !actions.isEmpty())) {
        QTextStream(stderr) << "The ledger window was not opened (refused permission).\n";
        return 2;
    }
    const bool filters = parser.isSet("rebuild") || parser.isSet("from") || parser.isSet("to") || parser.isSet("code-from")
                         || parser.isSet("code-to") || parser.isSet("branch") || parser.isSet("class") || parser.isSet("object");
    if (window && filters)
        applyFilters(window, parser);

    if (!actions.isEmpty())
        DemoActions::Activate(window);
    for (const DemoActions::Action &action : std::as_const(actions)) {
        if (!window)
            throw std::runtime_error(("--do \"" + action.text + "\": the ledger window was closed").toStdString());
        DemoActions::Perform(window, action);
    }

    if (unattended) {
        if (!window)
            throw std::runtime_error("the ledger window was closed before the dumps");
        if (parser.isSet("dump-grid"))
            dumpGrid(window, parser.value("dump-grid"));
        if (parser.isSet("dump-state")) {
            const QByteArray state = DemoActions::StateText(window);
            HostFiles::Write(parser.value("dump-state"), [&state](QIODevice &device) { device.write(state); });
        }
        if (parser.isSet("screenshot")) {
            window->show();
            QApplication::processEvents();
            // A window a step opened (a document or a source form) is what
            // the person looks at then; otherwise the ledger window.
            QWidget *shown = window;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top != window && top != &host && top->isVisible() && top->windowType() == Qt::Window)
                    shown = top;
            }
            HostFiles::WriteImage(parser.value("screenshot"), shown->grab().toImage());
        }
        return 0;
    }
    host.show();
    return QApplication::exec();
}

#include "DemoHost.moc"
