// The demo module "comSaleInvoice": the sale invoice form.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class SaleInvoiceModule : public QObject, public ComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    QStringList componentNames() const override { return {QStringLiteral("comSaleInvoice")}; }
    QObject *createComponent(const QString &name) override
    {
        return name.compare(QLatin1String("comSaleInvoice"), Qt::CaseInsensitive) == 0 ? new DemoSaleInvoiceForm
                                                                                       : nullptr;
    }
};

#include "SaleInvoiceModule.moc"
