#include "control/comAccountDetail1.h"

#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

namespace {

// Bag keys, spelled as stored by hosts ("PassWord", "sqlString").
const QString kDataSource = QStringLiteral("DataSource");
const QString kUserName = QStringLiteral("UserName");
const QString kRefreshAlarm = QStringLiteral("RefreshAlarm");
const QString kOLEConnectionString = QStringLiteral("OLEConnectionString");
const QString kUserID = QStringLiteral("UserID");
const QString kPassword = QStringLiteral("PassWord");
const QString kPositionID = QStringLiteral("PositionID");
const QString kEmployeeID = QStringLiteral("EmployeeID");
const QString kSqlString = QStringLiteral("sqlString");
const QString kCaption = QStringLiteral("Caption");
const QString kAccPeriodSpecID = QStringLiteral("AccPeriodSpecID");

qint16 readShort(const PropertyBag &bag, const QString &key)
{
    return qint16(bag.ReadProperty(key, 0).toInt());
}

} // namespace

comAccountDetail1::comAccountDetail1(QWidget *parent)
    : QWidget(parent)
{
    // The control's own face: what a host needs to try it out.
    setLayoutDirection(Qt::RightToLeft);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("AccountTransID :"), this));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    layout->addWidget(Text1);
    auto *viewButton = new QPushButton(QStringLiteral("View"), this);
    viewButton->setObjectName(QStringLiteral("Command1"));
    auto *clearShowButton = new QPushButton(QStringLiteral("ClearShow"), this);
    clearShowButton->setObjectName(QStringLiteral("cmdClearShow"));
    layout->addWidget(viewButton);
    layout->addWidget(clearShowButton);
    layout->addStretch();

    // The face's buttons open the ledger as a host would; errors are shown.
    auto open = [this](auto &&opening) {
        try {
            opening();
        } catch (const DatabaseError &error) {
            ShowMessage(ErrorTitle, error.message());
        }
    };
    connect(viewButton, &QPushButton::clicked, this, [this, open] { open([this] { View(Text1->text()); }); });
    connect(clearShowButton, &QPushButton::clicked, this, [this, open] { open([this] { ClearShow(); }); });
}

comAccountDetail1::~comAccountDetail1() = default;

void comAccountDetail1::setDataSource(const QVariant &value)
{
    m_dataSource = value;
    emit PropertyChanged(QStringLiteral("DataSource"));
}

void comAccountDetail1::setUserName(const QVariant &value)
{
    m_userName = value;
    emit PropertyChanged(QStringLiteral("UserName"));
}

void comAccountDetail1::setRefreshAlarm(bool value)
{
    m_refreshAlarm = value;
    emit PropertyChanged(QStringLiteral("RefreshAlarm"));
}

void comAccountDetail1::setOLEConnectionString(const QString &value)
{
    m_oleConnectionString = value;
    Session.ConnectionText = value;
    emit PropertyChanged(QStringLiteral("OLEConnectionString"));
}

void comAccountDetail1::setShort(qint16 &field, int value, const char *propertyName)
{
    if (value < -32768 || value > 32767)
        throw std::out_of_range(QStringLiteral("مقدار %1 براي %2 خارج از محدوده -32768 تا 32767 است.")
                                    .arg(value)
                                    .arg(QLatin1String(propertyName))
                                    .toStdString());
    field = qint16(value);
    emit PropertyChanged(QLatin1String(propertyName));
}

void comAccountDetail1::setUserID(int value) { setShort(m_userID, value, "UserID"); }
void comAccountDetail1::setPositionID(int value) { setShort(m_positionID, value, "PositionID"); }
void comAccountDetail1::setEmployeeID(int value) { setShort(m_employeeID, value, "EmployeeID"); }
void comAccountDetail1::setAccPeriodSpecID(int value) { setShort(m_accPeriodSpecID, value, "AccPeriodSpecID"); }

void comAccountDetail1::setPassword(const QString &value)
{
    m_password = value;
    emit PropertyChanged(QStringLiteral("Password"));
}

void comAccountDetail1::setSqlString(const QString &value)
{
    m_sqlString = value;
    emit PropertyChanged(QStringLiteral("SqlString"));
}

void comAccountDetail1::setCaption(const QString &value)
{
    m_caption = value;
    emit PropertyChanged(QStringLiteral("Caption"));
}

void comAccountDetail1::InitProperties()
{
    m_dataSource = 0;
    m_userName = 0;
    m_refreshAlarm = false;
    m_oleConnectionString.clear();
    m_userID = m_positionID = m_employeeID = m_accPeriodSpecID = 0;
    m_password.clear();
    m_sqlString.clear();
    m_caption.clear();
}

// Loading sets the stored values directly: no change report, and the
// connection string does not reach the session.
void comAccountDetail1::ReadProperties(const PropertyBag &bag)
{
    m_dataSource = bag.ReadProperty(kDataSource, 0);
    m_userName = bag.ReadProperty(kUserName, 0);
    m_refreshAlarm = bag.ReadProperty(kRefreshAlarm, false).toBool();
    m_oleConnectionString = bag.ReadProperty(kOLEConnectionString, QString()).toString();
    m_userID = readShort(bag, kUserID);
    m_password = bag.ReadProperty(kPassword, QString()).toString();
    m_positionID = readShort(bag, kPositionID);
    m_employeeID = readShort(bag, kEmployeeID);
    m_sqlString = bag.ReadProperty(kSqlString, QString()).toString();
    m_caption = bag.ReadProperty(kCaption, QString()).toString();
    m_accPeriodSpecID = readShort(bag, kAccPeriodSpecID);
}

void comAccountDetail1::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(kDataSource, m_dataSource, 0);
    bag.WriteProperty(kUserName, m_userName, 0);
    bag.WriteProperty(kRefreshAlarm, m_refreshAlarm, false);
    bag.WriteProperty(kOLEConnectionString, m_oleConnectionString, QString());
    bag.WriteProperty(kUserID, int(m_userID), 0);
    bag.WriteProperty(kPassword, m_password, QString());
    bag.WriteProperty(kPositionID, int(m_positionID), 0);
    bag.WriteProperty(kEmployeeID, int(m_employeeID), 0);
    bag.WriteProperty(kSqlString, m_sqlString, QString());
    bag.WriteProperty(kCaption, m_caption, QString());
    bag.WriteProperty(kAccPeriodSpecID, int(m_accPeriodSpecID), 0);
}
