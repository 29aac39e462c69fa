// The demo module "comAccountDoc": its accounting-document component.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class AccountDocModule : public QObject, public ComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    QStringList componentNames() const override { return {QStringLiteral("comAccountDoc.comAccountDoc1")}; }
    QObject *createComponent(const QString &name) override
    {
        return componentNames().contains(name, Qt::CaseInsensitive) ? new DemoDocumentWindow(name) : nullptr;
    }
};

#include "AccountDocModule.moc"
