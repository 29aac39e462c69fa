#pragma once
// One of the two accounting-document components on the ledger window:
// "comAccountDoc.comAccountDoc1" (praskAccTrans) and
// "comAccountDocClass.comAccountDocClass1" (comAccountDocClass, the one that
// knows analytic classes). Both offer the same members, reached by name:
//
//   properties  UserID, PositionID, EmployeeID (16-bit values),
//               OLEConnectionString (text), DocumentRowNumber (16-bit: the
//               document row to show first)
//   methods     OpenDocument(int DocumentID), NewDocument()
//   signals     CreateNewRelationship(int FormTypeID, int FormID),
//               ShowRelationships(int FormTypeID, int FormID)
//
// The holder creates the component by name (from its module in the folder
// System under the first base path when it is not registered yet), hands it
// the user and the connection, and relays its two signals as its own. A
// component that cannot be created leaves the holder empty: it then opens
// nothing and the ledger window works on without it.

#include <QObject>
#include <QString>
#include <memory>

inline const QString AccountDocComponentName = QStringLiteral("comAccountDoc.comAccountDoc1");
inline const QString AccountDocClassComponentName = QStringLiteral("comAccountDocClass.comAccountDocClass1");

class DocumentComponent : public QObject
{
    Q_OBJECT

public:
    DocumentComponent(const QString &componentName, const QString &moduleBaseName, QObject *parent);
    ~DocumentComponent() override;

    // The user and the connection, kept for the component and given to it
    // now if it can be created.
    void HandOver(qint16 userId, qint16 positionId, qint16 employeeId, const QString &connection);
    void setDocumentRowNumber(qint16 row);
    void OpenDocument(qint32 documentId);
    void NewDocument();

    // The component, created on first need; nullptr when it cannot be.
    QObject *component();

signals:
    void CreateNewRelationship(int FormTypeID, int FormID);
    void ShowRelationships(int FormTypeID, int FormID);

private:
    void relay(const char *signalName);
    void applyHandOver();

    QString m_name;
    QString m_moduleBaseName;
    std::unique_ptr<QObject> m_component;
    bool m_handedOver = false;
    qint16 m_userId = 0;
    qint16 m_positionId = 0;
    qint16 m_employeeId = 0;
    QString m_connection;
};
