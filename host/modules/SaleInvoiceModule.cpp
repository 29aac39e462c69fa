// The demo module "comSaleInvoice": the sale invoice form.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class SaleInvoiceModule : public QObject, public OneComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    SaleInvoiceModule()
        : OneComponentModule(QStringLiteral("comSaleInvoice"), [](const QString &) { return new DemoSaleInvoiceForm; })
    {}
};

#include "SaleInvoiceModule.moc"
