#include "outside/components/ComponentModule.h"

#include "outside/components/ComponentRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPluginLoader>

QString ComponentModulePath(const QString &basePath, const QString &baseName)
{
    // Without a base path there is no System folder (and no folder of the
    // process's own choosing is searched instead).
    if (basePath.isEmpty())
        return QString();
    return QDir(basePath).filePath(QStringLiteral("System/lib") + baseName + QStringLiteral(".so"));
}

bool RegisterComponentModule(const QString &modulePath)
{
    if (modulePath.isEmpty() || !QFileInfo(modulePath).isFile())
        return false;
    // The loader is not kept and never unloads: the components created from
    // the module run its code for as long as they live.
    QPluginLoader loader(modulePath);
    auto *module = qobject_cast<ComponentModule *>(loader.instance());
    if (!module)
        return false;
    const QStringList names = module->componentNames();
    for (const QString &name : names)
        RegisterComponent(name, [module, name] { return std::unique_ptr<QObject>(module->createComponent(name)); });
    return !names.isEmpty();
}

std::unique_ptr<QObject> CreateOrRegisterComponent(const QString &name, const QString &modulePath)
{
    if (std::unique_ptr<QObject> component = CreateComponent(name))
        return component;
    if (!RegisterComponentModule(modulePath))
        return nullptr;
    return CreateComponent(name);
}

bool SetComponentProperty(QObject &component, const char *name, const QVariant &value)
{
    const QMetaObject *meta = component.metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0)
        return false; // QObject::setProperty would add a dynamic property instead
    const QMetaProperty property = meta->property(index);
    QVariant converted = value;
    if (!property.isWritable() || !converted.convert(property.metaType()))
        return false;
    return property.write(&component, converted);
}

bool CallComponent(QObject &component, const char *method, QVariantList arguments)
{
    constexpr int MaxArguments = 4;
    if (arguments.size() > MaxArguments)
        return false;
    const QMetaObject *meta = component.metaObject();
    // From the most derived class down, as a late-bound call finds the member.
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod candidate = meta->method(i);
        if (candidate.methodType() != QMetaMethod::Method && candidate.methodType() != QMetaMethod::Slot)
            continue;
        if (candidate.name() != method || candidate.parameterCount() != arguments.size())
            continue;
        QVariantList converted = arguments;
        bool convertible = true;
        for (int p = 0; p < converted.size() && convertible; ++p)
            convertible = converted[p].convert(candidate.parameterMetaType(p));
        if (!convertible)
            continue;
        QByteArray typeNames[MaxArguments];
        QGenericArgument passed[MaxArguments];
        for (int p = 0; p < converted.size(); ++p) {
            typeNames[p] = candidate.parameterTypeName(p);
            passed[p] = QGenericArgument(typeNames[p].constData(), converted[p].constData());
        }
        return candidate.invoke(&component, Qt::DirectConnection, passed[0], passed[1], passed[2], passed[3]);
    }
    return false;
}
