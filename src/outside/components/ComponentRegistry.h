#pragma once
// Outside components are created by name at the moment of use, as the host
// application's components are. The component registers its own defaults;
// a host or a test can put its own in their place.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

using ComponentFactory = std::function<std::unique_ptr<QObject>()>;

// Used by the component's own outside components at load time.
void RegisterDefaultComponent(const QString &progId, ComponentFactory factory);
// Used by hosts and tests: replaces the default of that name until reset.
void RegisterComponent(const QString &progId, ComponentFactory factory);
// Makes a name unavailable, as an unregistered component is on the host.
void RemoveComponent(const QString &progId);
// Back to the defaults.
void ResetComponentsForTesting();

// nullptr when nothing of that name can be created (the host's error 429).
std::unique_ptr<QObject> CreateComponent(const QString &progId);
