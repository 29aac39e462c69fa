// Runs the session and control test classes in one executable.

#include <QApplication>
#include <QTest>

int RunSessionTests(int argc, char **argv);
int RunOpeningTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunSessionTests(argc, argv);
    failures += RunOpeningTests(argc, argv);
    return failures;
}
