#include "StandInDatabase.h"
#include "DemoBooks.h"
#include "DemoCatalogue.h"
#include "StandInSchemaText.h"
#include "SqliteFile.h"

#include "session/Clock.h"

#include <QCalendar>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Persian texts of the demo's settings.
namespace SettingText {
constexpr char PeriodName[] = "سال مالي ";
constexpr char AdministratorName[] = "مدير سيستم";
constexpr char ClerkName[] = "كارشناس حسابداري";
constexpr char CompanyName[] = "شركت بازرگاني سپهر پخش";
constexpr char CompanyNameSetting[] = "نام شركت";
constexpr char AssignmentAccountsSetting[] = "حساب هاي تحت كنترل تخصيص";
constexpr char DocumentNumberModeSetting[] = "نحوه نمايش شماره سند (1 شماره سند، 2 شماره سيستمي)";
constexpr char ObjectsEnabledSetting[] = "فعال بودن موجوديت هاي تحليلي";
constexpr char ProgramReports[] = "مسير گزارش هاي برنامه";
constexpr char DatabaseReports[] = "مسير گزارش هاي كنار پايگاه داده";
constexpr char SourceReports[] = "مسير گزارش هاي همراه كد برنامه";
}

struct TemplateRow
{
    int formTypeId;
    int reportFormatId;
    const char *title;
    const char *filePath;
};

// The ledger printout offers three templates (the files of reports/); the
// one whose file name holds "Goods" prints sale invoices item by item.
const TemplateRow Templates[] = {
    {DemoForm::AccountTurnover, 31501, "گردش حساب", "AccountDetail.json"},
    {DemoForm::AccountTurnover, 31501, "گردش حساب با ريز اقلام فاكتور فروش", "AccountDetailGoods.json"},
    {DemoForm::AccountTurnover, 31501, "مغايرت - رديف هاي بررسي نشده", "AccountConflict.json"},
};

// Every permission number the component checks, and the source forms.
const int AdministratorPermissions[] = {
    315, 303, 30001, 30302, 31505, 31506, 31507,
    DemoForm::Receipt, DemoForm::Payment, DemoForm::PurchaseInvoice, DemoForm::SaleInvoice, DemoForm::SaleReturn,
};

struct Calendar
{
    std::vector<DemoDay> days;
    std::vector<DemoPeriod> periods;
    int today = 0;
};

// Three fiscal years, the newest holding today, plus room after the last
// year for due dates of cheques.
Calendar buildCalendar(const QDate &today)
{
    const QCalendar jalali(QCalendar::System::Jalali);
    const int activeYear = jalali.partsFromDate(today).year;
    const QDate first = jalali.dateFromParts(activeYear - 2, 1, 1);
    const QDate afterLast = jalali.dateFromParts(activeYear + 1, 1, 1);

    Calendar calendar;
    for (int year = activeYear - 2; year <= activeYear; ++year) {
        DemoPeriod period;
        period.id = year - activeYear + 3;
        period.jalaliYear = year;
        period.firstDay = int(first.daysTo(jalali.dateFromParts(year, 1, 1)));
        period.lastDay = int(first.daysTo(jalali.dateFromParts(year + 1, 1, 1))) - 1;
        calendar.periods.push_back(period);
    }
    const QDate end = afterLast.addDays(200);
    for (QDate date = first; date <= end; date = date.addDays(1)) {
        const QCalendar::YearMonthDay parts = jalali.partsFromDate(date);
        DemoDay day;
        day.iso = date.toString(Qt::ISODate).toStdString();
        day.jalali = QString::asprintf("%04d/%02d/%02d", parts.year, parts.month, parts.day).toStdString();
        day.year = parts.year;
        day.month = parts.month;
        day.day = parts.day;
        day.weekday = date.dayOfWeek();
        day.lastOfMonth = jalali.partsFromDate(date.addDays(1)).month != parts.month;
        calendar.days.push_back(day);
    }
    calendar.today = int(first.daysTo(today));
    return calendar;
}

std::string reportFolder(const QString &folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("reports")).toStdString() + "/";
}

void writeSettings(SqliteFile &file, const DemoCatalogue &catalogue, const Calendar &calendar,
                   const QString &databasePath)
{
    const DemoPeriod &active = calendar.periods.back();
    {
        SqliteStatement insert(file, "INSERT INTO tblAccountPeriod (ID, Name, BeginDate, EndDate, IsActive) "
                                     "VALUES (?, ?, ?, ?, ?)");
        for (const DemoPeriod &period : calendar.periods)
            insert.put(period.id).put(SettingText::PeriodName + std::to_string(period.jalaliYear))
                .put(calendar.days[size_t(period.firstDay)].iso).put(calendar.days[size_t(period.lastDay)].iso)
                .put(period.id == active.id ? 1 : 0).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblUser (ID, Name, BranchID, CurrentPeriodID) VALUES (?, ?, ?, ?)");
        insert.put(1).put(SettingText::AdministratorName).put(catalogue.headOfficeBranch).put(active.id).run();
        insert.put(2).put(SettingText::ClerkName).putNull().putNull().run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblUserPermission (UserID, PermissionID) VALUES (?, ?)");
        for (int permission : AdministratorPermissions)
            insert.put(1).put(permission).run();
        insert.put(2).put(315).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblVelkoSystemParameters (ID, Value, Description) VALUES (?, ?, ?)");
        insert.put(1).put(SettingText::CompanyName).put(SettingText::CompanyNameSetting).run();
        insert.put(4).put(std::to_string(catalogue.accountId(AccountRole::WholesaleCustomers)) + ","
                          + std::to_string(catalogue.accountId(AccountRole::Suppliers)))
            .put(SettingText::AssignmentAccountsSetting).run();
        insert.put(306).put("1").put(SettingText::DocumentNumberModeSetting).run();
        insert.put(311).put("1").put(SettingText::ObjectsEnabledSetting).run();
    }
    {
        // The first base path is the program's own folder: the host's
        // modules lie in its System folder, the templates do not. They are
        // found under the second, the source tree's reports/ (a demo runs
        // from its build directory), or else next to the database file.
        const QString programFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                                   : QDir::currentPath();
        SqliteStatement insert(file, "INSERT INTO tblVelkoBasePath (ID, BasePath, Description) VALUES (?, ?, ?)");
        insert.put(1).put(reportFolder(programFolder)).put(SettingText::ProgramReports).run();
        const QString sourceFolder = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../..");
        insert.put(2).put(reportFolder(QDir::cleanPath(sourceFolder))).put(SettingText::SourceReports).run();
        insert.put(3).put(reportFolder(QFileInfo(databasePath).absolutePath())).put(SettingText::DatabaseReports).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblVelkoReportTemplate (ID, Title, FormTypeID, ReportFormatID, "
                                     "FilePath) VALUES (?, ?, ?, ?, ?)");
        int id = 0;
        for (const TemplateRow &t : Templates)
            insert.put(++id).put(t.title).put(t.formTypeId).put(t.reportFormatId).put(t.filePath).run();
    }
}

} // namespace

DemoSummary MakeDemoDatabase(const QString &path, const DemoOptions &options)
{
    const Calendar calendar = buildCalendar(options.today.isValid() ? options.today : Today());
    const StandInSchemaText schema = LoadStandInSchema();

    RemoveDatabaseFile(path);
    SqliteFile file(path);
    // A new file that nobody else reads yet: no journal, no syncing; indexes
    // and triggers come after the rows, statistics at the end.
    file.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
              "PRAGMA cache_size=-262144;");
    file.exec("BEGIN");
    file.exec(schema.tablesAndViews.toStdString());

    DemoRandom random(options.seed);
    const DemoCatalogue catalogue = BuildDemoCatalogue(random);
    WriteDemoCatalogue(file, catalogue);
    writeSettings(file, catalogue, calendar, path);
    const DemoBooksSummary books = WriteDemoBooks(file, catalogue, calendar.days, calendar.periods, calendar.today,
                                                  std::max(0, options.rows), random);

    // Store each account's rows together, in ledger order, as a clustered
    // index on the host's server would: opening a big ledger then reads the
    // table sequentially instead of one scattered page per row.
    file.exec("PRAGMA temp_store=MEMORY;"
              "CREATE TEMP TABLE DetailInLedgerOrder AS SELECT * FROM tblAccountDocumentDetail"
              " ORDER BY AccountID, DocumentDate, DocumentCode, DocumentID, RowNumber;"
              "DELETE FROM tblAccountDocumentDetail;"
              "INSERT INTO tblAccountDocumentDetail SELECT * FROM DetailInLedgerOrder;"
              "DROP TABLE DetailInLedgerOrder;");
    file.exec(schema.indexesAndTriggers.toStdString());
    file.exec("COMMIT");
    file.exec("PRAGMA analysis_limit=1000; ANALYZE;");
    file.close();

    DemoSummary summary;
    summary.busiestLeafAccountId = catalogue.accountId(AccountRole::Sales);
    summary.busiestParentAccountId = catalogue.account(summary.busiestLeafAccountId).parentId;
    summary.documentCount = books.documents;
    summary.detailRowCount = books.details;
    summary.activePeriodId = calendar.periods.back().id;
    return summary;
}
