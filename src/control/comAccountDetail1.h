#pragma once
// comAccountDetail1: the embeddable account-turnover control. A host places
// it on a window, sets the connection and the signed-in user, and opens the
// ledger window with View, ViewByDetails or ClearShow.

#include "control/PropertyBag.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class frmAccountDetails;
class QLineEdit;

class comAccountDetail1 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariant DataSource READ DataSource WRITE setDataSource)
    Q_PROPERTY(QVariant UserName READ UserName WRITE setUserName)
    Q_PROPERTY(bool RefreshAlarm READ RefreshAlarm WRITE setRefreshAlarm)
    Q_PROPERTY(QString OLEConnectionString READ OLEConnectionString WRITE setOLEConnectionString)
    Q_PROPERTY(int UserID READ UserID WRITE setUserID)
    Q_PROPERTY(QString Password READ Password WRITE setPassword)
    Q_PROPERTY(int PositionID READ PositionID WRITE setPositionID)
    Q_PROPERTY(int EmployeeID READ EmployeeID WRITE setEmployeeID)
    Q_PROPERTY(QString SqlString READ SqlString WRITE setSqlString)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int AccPeriodSpecID READ AccPeriodSpecID WRITE setAccPeriodSpecID)

public:
    explicit comAccountDetail1(QWidget *parent = nullptr);
    ~comAccountDetail1() override;

    QVariant DataSource() const { return m_dataSource; }
    void setDataSource(const QVariant &value);
    QVariant UserName() const { return m_userName; }
    void setUserName(const QVariant &value);
    bool RefreshAlarm() const { return m_refreshAlarm; }
    void setRefreshAlarm(bool value);
    QString OLEConnectionString() const { return m_oleConnectionString; }
    // Also copied into the session's connection text.
    void setOLEConnectionString(const QString &value);
    qint16 UserID() const { return m_userID; }
    // The 16-bit properties throw std::out_of_range for a value outside
    // -32768..32767 and keep their old value.
    void setUserID(int value);
    QString Password() const { return m_password; }
    void setPassword(const QString &value);
    qint16 PositionID() const { return m_positionID; }
    void setPositionID(int value);
    qint16 EmployeeID() const { return m_employeeID; }
    void setEmployeeID(int value);
    QString SqlString() const { return m_sqlString; }
    void setSqlString(const QString &value);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &value);
    qint16 AccPeriodSpecID() const { return m_accPeriodSpecID; }
    void setAccPeriodSpecID(int value);

    // Opening the ledger window. Errors before the window is shown reach the
    // caller as exceptions: DatabaseError (CurrencyOverflow among them) from
    // the database and conversions, std::out_of_range for a current period
    // beyond 16 bits, and, from View, std::invalid_argument for a SqlString
    // that is not a single condition (checked before anything is sent). A
    // refused permission shows its message and returns.
    QVariant View(const QVariant &AccountID);
    // Opens the account with up to three analytic class/object pairs chosen
    // (-1 for a class or object leaves that pair empty) and reads the ledger
    // from the views that include draft documents. The permission is asked
    // after the window is prepared.
    QVariant ViewByDetails(qint32 AccountID, qint32 ClassID1, qint32 ObjectID1, qint32 ClassID2, qint32 ObjectID2,
                           qint32 ClassID3, qint32 ObjectID3);
    QVariant ClearShow();

    // The window the last opening created (null before the first opening,
    // after a refusal, or once it was closed).
    frmAccountDetails *LedgerWindow() const;

    // Whether the host allows modeless windows from a component. When it
    // does not, the ledger opens modal and the opening returns on close.
    bool HostAllowsModeless() const { return m_hostAllowsModeless; }
    void setHostAllowsModeless(bool allowed) { m_hostAllowsModeless = allowed; }

    // Property bag: a new control, loading from a saved bag, saving.
    // ReadProperties throws std::out_of_range for a stored 16-bit value that
    // is not a whole number in range, and then keeps every value it had.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

signals:
    // The control's change report: the container marks the host's form as
    // modified and will ask for the property bag again.
    void PropertyChanged(const QString &propertyName);
    void CreateNewRelationship(int FormTypeID, int FormID);
    void ShowRelationships(int FormTypeID, int FormID);

private:
    void setShort(qint16 &field, int value, const char *propertyName);
    void prepareWindow();
    void showWindow();
    void releaseRefusedWindow();

    QVariant m_dataSource = 0;
    QVariant m_userName = 0;
    bool m_refreshAlarm = false;
    QString m_oleConnectionString;
    qint16 m_userID = 0;
    QString m_password;
    qint16 m_positionID = 0;
    qint16 m_employeeID = 0;
    QString m_sqlString;
    QString m_caption;
    qint16 m_accPeriodSpecID = 0;

    QPointer<frmAccountDetails> frmAccountDet;
    bool m_hostAllowsModeless = true;
    QLineEdit *Text1 = nullptr;
};
