// Runs the ledger window's test classes in one executable.

#include <QApplication>
#include <QTest>

int RunLedgerQueryTests(int argc, char **argv);
int RunWindowTests(int argc, char **argv);
int RunLayoutTests(int argc, char **argv);
int RunIntegrityTests(int argc, char **argv);
int RunFilterTests(int argc, char **argv);
int RunViewOptionTests(int argc, char **argv);
int RunReviewMarkTests(int argc, char **argv);
int RunAssignmentCheckTests(int argc, char **argv);
int RunScratchOpeningTests(int argc, char **argv);
int RunSourceDocumentTests(int argc, char **argv);
int RunPrintingTests(int argc, char **argv);
int RunLedgerLoadTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    failures += RunLedgerQueryTests(argc, argv);
    failures += RunWindowTests(argc, argv);
    failures += RunLayoutTests(argc, argv);
    failures += RunIntegrityTests(argc, argv);
    failures += RunFilterTests(argc, argv);
    failures += RunViewOptionTests(argc, argv);
    failures += RunReviewMarkTests(argc, argv);
    failures += RunAssignmentCheckTests(argc, argv);
    failures += RunScratchOpeningTests(argc, argv);
    failures += RunSourceDocumentTests(argc, argv);
    failures += RunPrintingTests(argc, argv);
    failures += RunLedgerLoadTests(argc, argv);
    return failures;
}
