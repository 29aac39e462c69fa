// The demo module "comAccountDoc": its accounting-document component.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class AccountDocModule : public QObject, public OneComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    AccountDocModule()
        : OneComponentModule(QStringLiteral("comAccountDoc.comAccountDoc1"),
                             [](const QString &name) { return new DemoDocumentWindow(name); })
    {}
};

#include "AccountDocModule.moc"
