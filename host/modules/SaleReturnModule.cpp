// The demo module "comSaleReturn": the sale return form.

#include "DemoComponents.h"
#include "outside/components/ComponentModule.h"

class SaleReturnModule : public QObject, public ComponentModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ComponentModule_iid)
    Q_INTERFACES(ComponentModule)

public:
    QStringList componentNames() const override { return {QStringLiteral("comSaleReturn")}; }
    QObject *createComponent(const QString &name) override
    {
        return name.compare(QLatin1String("comSaleReturn"), Qt::CaseInsensitive) == 0 ? new DemoSaleReturnForm
                                                                                      : nullptr;
    }
};

#include "SaleReturnModule.moc"
