#pragma once
// The host's storage of a control's properties (design time and saved forms):
// named values; a value equal to its default is never written.

#include <QString>
#include <QVariant>
#include <QVariantMap>

class PropertyBag
{
public:
    PropertyBag() = default;
    explicit PropertyBag(QVariantMap values) : m_values(std::move(values)) {}

    QVariant ReadProperty(const QString &key, const QVariant &defaultValue) const
    {
        return m_values.value(key, defaultValue);
    }
    void WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue)
    {
        if (value == defaultValue)
            m_values.remove(key);
        else
            m_values.insert(key, value);
    }

    const QVariantMap &values() const { return m_values; }
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QVariantMap m_values;
};
