// The demo module "comSaleReturn": the sale return form.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class SaleReturnModule : public QObject, public OneComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    SaleReturnModule()
        : OneComponentModule(QStringLiteral("comSaleReturn"), [](const QString &) { return new DemoSaleReturnForm; })
    {}
};

#include "SaleReturnModule.moc"
