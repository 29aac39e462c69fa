#include "outside/components/DocumentComponent.h"

#include "outside/components/ComponentModule.h"
#include "session/Session.h"

#include <QMetaMethod>

DocumentComponent::DocumentComponent(const QString &componentName, const QString &moduleBaseName, QObject *parent)
    : QObject(parent), m_name(componentName), m_moduleBaseName(moduleBaseName)
{
}

DocumentComponent::~DocumentComponent() = default;

QObject *DocumentComponent::component()
{
    if (m_component)
        return m_component.get();
    // Until a window has read the base path there is no folder to load a
    // module from; a registered component is created all the same.
    m_component = CreateOrRegisterComponent(m_name, ComponentModulePath(Session.FirstBasePath, m_moduleBaseName));
    if (!m_component)
        return nullptr;
    relay("CreateNewRelationship");
    relay("ShowRelationships");
    if (m_handedOver)
        applyHandOver();
    return m_component.get();
}

void DocumentComponent::relay(const char *signalName)
{
    const QMetaObject *meta = m_component->metaObject();
    const QByteArray signature = QByteArray(signalName) + "(int,int)";
    const int index = meta->indexOfSignal(signature.constData());
    if (index < 0)
        return;
    const QMetaMethod own = metaObject()->method(metaObject()->indexOfSignal(signature.constData()));
    // Passed on at once, with the same two values in the same order.
    connect(m_component.get(), meta->method(index), this, own, Qt::DirectConnection);
}

void DocumentComponent::HandOver(qint16 userId, qint16 positionId, qint16 employeeId, const QString &connection)
{
    m_userId = userId;
    m_positionId = positionId;
    m_employeeId = employeeId;
    m_connection = connection;
    m_handedOver = true;
    if (m_component)
        applyHandOver();
    else
        component(); // applies the values when it is created
}

void DocumentComponent::applyHandOver()
{
    SetComponentProperty(*m_component, "UserID", m_userId);
    SetComponentProperty(*m_component, "PositionID", m_positionId);
    SetComponentProperty(*m_component, "EmployeeID", m_employeeId);
    SetComponentProperty(*m_component, "OLEConnectionString", m_connection);
}

void DocumentComponent::setDocumentRowNumber(qint16 row)
{
    if (QObject *object = component())
        SetComponentProperty(*object, "DocumentRowNumber", row);
}

void DocumentComponent::OpenDocument(qint32 documentId)
{
    if (QObject *object = component())
        CallComponent(*object, "OpenDocument", {documentId});
}

void DocumentComponent::NewDocument()
{
    if (QObject *object = component())
        CallComponent(*object, "NewDocument");
}
