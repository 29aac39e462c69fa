// The demo module "comAccountDocClass": its accounting-document component.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class AccountDocClassModule : public QObject, public OneComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    AccountDocClassModule()
        : OneComponentModule(QStringLiteral("comAccountDocClass.comAccountDocClass1"),
                             [](const QString &name) { return new DemoDocumentWindow(name); })
    {}
};

#include "AccountDocClassModule.moc"
