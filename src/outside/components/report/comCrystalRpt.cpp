#include "outside/components/report/comCrystalRpt.h"

#include "outside/components/ComponentRegistry.h"
#include "outside/components/report/ReportConnection.h"
#include "outside/components/report/ReportDocument.h"
#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportSelection.h"
#include "outside/components/report/ReportTexts.h"
#include "outside/database/Backend.h"
#include "session/DatabaseError.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSqlDatabase>
#include <QUuid>

namespace {

[[maybe_unused]] const bool registered = [] {
    RegisterDefaultComponent(QStringLiteral("comCrystalReport.comCrystalRpt"),
                             [] { return std::make_unique<comCrystalRpt>(); });
    return true;
}();

// The report's own Qt SQL connection goes with the run that opened it, also
// when the run fails before or while the backend uses it.
class ConnectionScope
{
public:
    ConnectionScope()
        : m_name(QStringLiteral("comCrystalRpt-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {}
    ~ConnectionScope()
    {
        if (QSqlDatabase::contains(m_name)) {
            QSqlDatabase::database(m_name, false).close();
            QSqlDatabase::removeDatabase(m_name);
        }
    }
    const QString &name() const { return m_name; }

private:
    QString m_name;
};

ReportRows readRows(const ReportConnection &connection, const ReportQuery &query, const QStringList &columns)
{
    ConnectionScope scope;
    if (connection.isSqlite()) {
        // The backend opens the connection registered under its name; set up
        // here first, it opens the file read-only: a report never writes.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), scope.name());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    const std::unique_ptr<Backend> backend =
        CreateBackend(connection.provider, connection.connectionString, scope.name());
    return ReadReportRows(*backend, query, columns);
}

} // namespace

comCrystalRpt::comCrystalRpt(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("rptAccTrans"));
}

comCrystalRpt::~comCrystalRpt() = default;

void comCrystalRpt::setAction(int action)
{
    m_action = action;
    if (action == 1)
        RunReport();
}

void comCrystalRpt::RunReport()
{
    m_lastError.clear();
    m_pageCount = 0;
    try {
        if (m_outputFile.isEmpty() && m_destination != Preview && m_destination != Printer)
            throw ReportError(ReportTexts::UnknownDestination(m_destination));
        output(build());
    } catch (const ReportError &error) {
        m_lastError = error.message();
    } catch (const DatabaseError &error) {
        // The backends' and the currency's own Persian messages.
        m_lastError = error.message();
    } catch (const std::exception &error) {
        m_lastError = ReportTexts::Unexpected(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        m_lastError = ReportTexts::Unexpected(QString());
    }
    if (!m_lastError.isEmpty())
        m_pageCount = 0;
}

// Everything that can fail for a reason of the template, the connection, the
// selection or the rows happens here, before any output is opened.
ReportDocument comCrystalRpt::build() const
{
    ReportTemplate reportTemplate = LoadReportTemplate(m_reportFile);
    const ReportConnection connection = ParseReportConnection(m_connection);
    const QStringList columns = reportTemplate.fields();
    const ReportQuery query = TranslateSelection(m_selection, columns);
    return ReportDocument(std::move(reportTemplate), readRows(connection, query, columns));
}

void comCrystalRpt::output(const ReportDocument &document)
{
    if (!m_outputFile.isEmpty())
        writePdf(document, m_outputFile);
    else if (m_destination == Preview)
        preview(document);
    else
        printOnDefaultPrinter(document);
}

void comCrystalRpt::writePdf(const ReportDocument &document, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    document.setUpPrinter(printer);
    switch (document.print(printer)) {
    case ReportDocument::PrintResult::Printed:
        m_pageCount = document.pageCount();
        return;
    case ReportDocument::PrintResult::Failed:
        QFile::remove(path); // a half-written file is no report
        [[fallthrough]];
    case ReportDocument::PrintResult::NotStarted:
        throw ReportError(ReportTexts::OutputNotCreated(path));
    }
}

void comCrystalRpt::preview(const ReportDocument &document)
{
    QPrinter printer(QPrinter::HighResolution);
    document.setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(ReportTexts::PreviewTitle());
    dialog.setLayoutDirection(Qt::RightToLeft);
    // A page should be readable at once: most of the screen, not the dialog's small default.
    if (const QScreen *screen = dialog.screen())
        dialog.resize(screen->availableGeometry().size() * 0.85);
    // The same pages again whenever the preview repaints or prints from its toolbar.
    // Nothing may leave a slot towards the event loop; the run's own checks
    // are all done by now, so a failure here can only be the printer's.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&document](QPrinter *target) {
        try {
            document.print(*target);
        } catch (...) {
        }
    });
    dialog.exec();
    m_pageCount = document.pageCount();
}

void comCrystalRpt::printOnDefaultPrinter(const ReportDocument &document)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        // No printer on this system: the report goes to a PDF file the user
        // names; cancelling prints nothing and is no failure.
        const QString suggested = QDir::home().filePath(QFileInfo(m_reportFile).completeBaseName() + QStringLiteral(".pdf"));
        QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), ReportTexts::SavePdfCaption(),
                                                    suggested, ReportTexts::PdfFilter());
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        writePdf(document, path);
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    document.setUpPrinter(printer);
    if (document.print(printer) != ReportDocument::PrintResult::Printed)
        throw ReportError(ReportTexts::OutputNotCreated(defaultPrinter.printerName()));
    m_pageCount = document.pageCount();
}
