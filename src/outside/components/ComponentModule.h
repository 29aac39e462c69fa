#pragma once
// Components of the host's other modules (the accounting-document components,
// the source forms of sales, returns, receipts ...) live outside this library,
// in component modules: shared libraries built as Qt plugins whose root object
// implements ComponentModule. Loading a module registers each of its
// components under its name in the component registry, as installing a
// component registers it on the host's machine; from then on it is created by
// name like any other.
//
// Where the modules are: the folder System under the first base path. The
// database names a component by its file, "comSaleReturn.dll"; the module of
// that file is System/libcomSaleReturn.so: the part of the name before its
// first ".", with the prefix and suffix of a loadable module on this platform
// (what CMake's add_library(... MODULE ...) builds). A module is only ever
// loaded as a plugin; nothing is run.
//
// A component is reached by name only, as a late-bound object is:
// properties through its Q_PROPERTY declarations, methods that are
// Q_INVOKABLE or slots, events as signals. A member the component does not
// have is skipped.
//
// A component whose method shows a window either is that window (a QWidget;
// it stays until the person closes it) or keeps its window alive itself; the
// caller drops every other component after use.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtPlugin>
#include <functional>
#include <memory>

class ComponentModule
{
public:
    virtual ~ComponentModule() = default;
    // The names its components are created by ("comSaleReturn.clsSaleReturn").
    virtual QStringList componentNames() const = 0;
    // A new component the caller owns; nullptr for a name it does not know.
    virtual QObject *createComponent(const QString &name) = 0;
};

// A module of one component, created by its name in any case (the names are
// COM-style names). The module's root object derives from QObject and this:
//   class SaleReturnModule : public QObject, public OneComponentModule { ...
//       SaleReturnModule() : OneComponentModule("comSaleReturn", [](const QString &) { return new Form; }) {}
class OneComponentModule : public ComponentModule
{
public:
    // Makes the component; gets the name as the caller wrote it.
    using Factory = std::function<QObject *(const QString &name)>;
    OneComponentModule(QString name, Factory make) : m_name(std::move(name)), m_make(std::move(make)) {}
    QStringList componentNames() const override { return {m_name}; }
    QObject *createComponent(const QString &name) override
    {
        return name.compare(m_name, Qt::CaseInsensitive) == 0 ? m_make(name) : nullptr;
    }

private:
    QString m_name;
    Factory m_make;
};

#define ComponentModule_iid "comAccountDetail.ComponentModule/1.0"
Q_DECLARE_INTERFACE(ComponentModule, ComponentModule_iid)

// The module of a component file's base name on this platform:
// <basePath>/System/lib<baseName>.so; empty when there is no base path.
QString ComponentModulePath(const QString &basePath, const QString &baseName);

// Loads the module as a plugin and registers its components (replacing what
// was registered under those names). False when there is no such file, it is
// no plugin or no component module, or it offers no component.
bool RegisterComponentModule(const QString &modulePath);

// Creates the component of that name; when nothing of that name can be
// created, registers the module and tries once more. nullptr when the second
// attempt fails too (or the module path is empty).
std::unique_ptr<QObject> CreateOrRegisterComponent(const QString &name, const QString &modulePath);

// Writes a declared property; false (and nothing written) when the component
// has no such property or the value does not convert to its type.
bool SetComponentProperty(QObject &component, const char *name, const QVariant &value);

// Calls the component's method of that name taking as many arguments as
// given, each converted to the parameter's type. False when there is none.
bool CallComponent(QObject &component, const char *method, QVariantList arguments = {});
