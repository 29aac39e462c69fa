// A component module for the tests: offers "comSaleReturn", a source form
// that writes what it was given and shown into the application's property
// "componentModuleLog" (the test and the module share no other storage).

#include "outside/components/ComponentModule.h"

#include <QCoreApplication>

class ModuleSaleReturn : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int UserID MEMBER userId)
    Q_PROPERTY(QString OLEConnectionString MEMBER connection)

public:
    Q_INVOKABLE void View(int formId)
    {
        QStringList log = qApp->property("componentModuleLog").toStringList();
        log << QStringLiteral("View %1 user %2 %3").arg(formId).arg(userId).arg(connection);
        qApp->setProperty("componentModuleLog", log);
    }

    int userId = 0;
    QString connection;
};

class TestSaleReturnModule : public QObject, public OneComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    TestSaleReturnModule()
        : OneComponentModule(QStringLiteral("comSaleReturn"), [](const QString &) { return new ModuleSaleReturn; })
    {}
};

#include "SaleReturnModule.moc"
