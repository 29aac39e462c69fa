#include "outside/components/ComponentRegistry.h"

#include <QHash>
#include <optional>

namespace {

struct Registry
{
    QHash<QString, ComponentFactory> defaults;
    // An entry here wins over the default; an empty factory means "removed".
    QHash<QString, ComponentFactory> overrides;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

QString key(const QString &progId)
{
    return progId.toLower(); // ProgIDs are not case-sensitive
}

} // namespace

void RegisterDefaultComponent(const QString &progId, ComponentFactory factory)
{
    registry().defaults.insert(key(progId), std::move(factory));
}

void RegisterComponent(const QString &progId, ComponentFactory factory)
{
    registry().overrides.insert(key(progId), std::move(factory));
}

void RemoveComponent(const QString &progId)
{
    registry().overrides.insert(key(progId), ComponentFactory());
}

void ResetComponentsForTesting()
{
    registry().overrides.clear();
}

std::unique_ptr<QObject> CreateComponent(const QString &progId)
{
    const QString name = key(progId);
    const Registry &r = registry();
    const auto override = r.overrides.constFind(name);
    const ComponentFactory *factory = nullptr;
    if (override != r.overrides.constEnd())
        factory = &override.value();
    else if (const auto found = r.defaults.constFind(name); found != r.defaults.constEnd())
        factory = &found.value();
    if (!factory || !*factory)
        return nullptr;
    return (*factory)();
}
