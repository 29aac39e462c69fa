#pragma once
// The report component "comCrystalReport.comCrystalRpt": prints the rows a
// window staged in tblAccountTempInfo through a banded report template. The
// window creates it by name and drives it late-bound: it sets ReportFile,
// Destination, Connection and Selection, then writes 1 to Action or calls
// RunReport. A run is synchronous, reads through a connection of its own
// (read-only where the database allows it), and never throws: a failure
// leaves LastError set and prints nothing.

#include <QObject>
#include <QString>

class ReportDocument;

class comCrystalRpt : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ReportFile READ ReportFile WRITE setReportFile)
    Q_PROPERTY(int Destination READ Destination WRITE setDestination)
    Q_PROPERTY(int Action READ Action WRITE setAction)
    Q_PROPERTY(QString Connection READ Connection WRITE setConnection)
    Q_PROPERTY(QString Selection READ Selection WRITE setSelection)
    Q_PROPERTY(QString OutputFile READ OutputFile WRITE setOutputFile)
    Q_PROPERTY(QString LastError READ LastError)
    Q_PROPERTY(int PageCount READ PageCount)

public:
    enum DestinationKind { Preview = 0, Printer = 1 };

    explicit comCrystalRpt(QObject *parent = nullptr);
    ~comCrystalRpt() override;

    QString ReportFile() const { return m_reportFile; }
    void setReportFile(const QString &path) { m_reportFile = path; }
    int Destination() const { return m_destination; }
    void setDestination(int destination) { m_destination = destination; }
    int Action() const { return m_action; }
    // Writing 1 runs the report, as RunReport does.
    void setAction(int action);
    QString Connection() const { return m_connection; }
    void setConnection(const QString &connection) { m_connection = connection; }
    QString Selection() const { return m_selection; }
    void setSelection(const QString &selection) { m_selection = selection; }
    // Not empty: the report is written as a PDF to this path, whatever
    // Destination says, without any dialog (unattended hosts, tests).
    QString OutputFile() const { return m_outputFile; }
    void setOutputFile(const QString &path) { m_outputFile = path; }
    // "" after a run that succeeded (or that the user cancelled), else why it failed.
    QString LastError() const { return m_lastError; }
    // Pages of the last run; 0 when nothing was printed.
    int PageCount() const { return m_pageCount; }

    Q_INVOKABLE void RunReport();

private:
    ReportDocument build() const;
    void output(const ReportDocument &document);
    void writePdf(const ReportDocument &document, const QString &path);
    void preview(const ReportDocument &document);
    void printOnDefaultPrinter(const ReportDocument &document);

    QString m_reportFile;
    int m_destination = Preview;
    int m_action = 0;
    QString m_connection;
    QString m_selection;
    QString m_outputFile;
    QString m_lastError;
    int m_pageCount = 0;
};
