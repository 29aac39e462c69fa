#include "control/comAccountDetail1.h"

#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
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

// A 16-bit value from the bag. A stored value that is not a whole number in
// -32768..32767 is refused, as the property setters refuse it, rather than
// loaded as another number (40000 would otherwise come back as -25536, a
// different user). A null value reads as the default, like a missing key.
qint16 readShort(const PropertyBag &bag, const QString &key)
{
    const QVariant stored = bag.ReadProperty(key, 0);
    if (stored.isNull())
        return 0;
    bool numeric = false;
    const double value = stored.toDouble(&numeric);
    if (!numeric || value != std::trunc(value))
        throw std::out_of_range(QStringLiteral("مقدار ذخيره شده \"%1\" براي %2 عدد صحيح نيست.")
                                    .arg(stored.toString(), key)
                                    .toStdString());
    if (value < -32768 || value > 32767)
        throw std::out_of_range(QStringLiteral("مقدار %1 براي %2 خارج از محدوده -32768 تا 32767 است.")
                                    .arg(stored.toString(), key)
                                    .toStdString());
    return qint16(value);
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
        } catch (const std::exception &error) {
            ShowMessage(ErrorTitle, QString::fromUtf8(error.what()));
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
// connection string does not reach the session. The 16-bit values are read
// first: when one is refused, nothing of the bag is taken and the control
// keeps the values it had, so it never opens as a mix of two bags.
void comAccountDetail1::ReadProperties(const PropertyBag &bag)
{
    const qint16 userID = readShort(bag, kUserID);
    const qint16 positionID = readShort(bag, kPositionID);
    const qint16 employeeID = readShort(bag, kEmployeeID);
    const qint16 accPeriodSpecID = readShort(bag, kAccPeriodSpecID);

    m_dataSource = bag.ReadProperty(kDataSource, 0);
    m_userName = bag.ReadProperty(kUserName, 0);
    m_refreshAlarm = bag.ReadProperty(kRefreshAlarm, false).toBool();
    m_oleConnectionString = bag.ReadProperty(kOLEConnectionString, QString()).toString();
    m_userID = userID;
    m_password = bag.ReadProperty(kPassword, QString()).toString();
    m_positionID = positionID;
    m_employeeID = employeeID;
    m_sqlString = bag.ReadProperty(kSqlString, QString()).toString();
    m_caption = bag.ReadProperty(kCaption, QString()).toString();
    m_accPeriodSpecID = accPeriodSpecID;
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
