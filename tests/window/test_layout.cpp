// The ledger window as a person sees and types in it: sizes, order, keys.

#include "LedgerFixture.h"

#include <QTest>

class TestLayout : public QObject
{
    Q_OBJECT
};

int RunLayoutTests(int argc, char **argv)
{
    TestLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_layout.moc"
