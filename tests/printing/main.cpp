// Runs the report engine's and the spreadsheet export's test classes in one executable.

#include <QApplication>

int RunReportEngineTests(int argc, char **argv);
int RunSpreadsheetTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    failures += RunReportEngineTests(argc, argv);
    failures += RunSpreadsheetTests(argc, argv);
    return failures;
}
