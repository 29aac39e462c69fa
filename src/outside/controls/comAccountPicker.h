#pragma once
// The account picker of the ledger window: a code box with the account's
// title beside it and a look-up tree of the chart of accounts (tblAccount by
// ParentID), read through the picker's own connection.

#include "outside/controls/LookupField.h"

class comAccountPicker : public LookupField
{
    Q_OBJECT
    Q_PROPERTY(QString Connection READ Connection WRITE setConnection)
    Q_PROPERTY(qint32 PositionID READ PositionID WRITE setPositionID)
    Q_PROPERTY(qint32 AccountID READ AccountID WRITE setAccountID NOTIFY SelectionChanged)
    Q_PROPERTY(bool IsEmpty READ IsEmpty NOTIFY SelectionChanged)
    Q_PROPERTY(bool AutoOpenLookup READ AutoOpenLookup WRITE setAutoOpenLookup)

public:
    explicit comAccountPicker(QWidget *parent = nullptr);

    QString Connection() const { return connectionText(); }
    void setConnection(const QString &connectionString) { setConnectionText(connectionString); }

    // The user's position; kept for the host, the list does not depend on it.
    qint32 PositionID() const { return m_positionId; }
    void setPositionID(qint32 id) { m_positionId = id; }

    // 0 when no account is chosen. Setting an ID that tblAccount lacks leaves
    // the picker empty. Throws DatabaseError when the accounts cannot be read.
    qint32 AccountID() const { return chosenId(); }
    void setAccountID(qint32 id) { chooseId(id); }
    bool IsEmpty() const { return !hasChoice(); }
    void Clear() { clearChoice(); }

    // The chosen account's code and title, as the printouts show them; "" when empty.
    QString AccountCodeText() const { return chosenCode(); }
    QString AccountTitleText() const { return chosenName(); }

    // When true, the look-up opens by itself each time the picker receives
    // the focus. Off by default; the ledger window switches it off whenever
    // it is activated.
    bool AutoOpenLookup() const { return m_autoOpenLookup; }
    void setAutoOpenLookup(bool on) { m_autoOpenLookup = on; }

signals:
    // Raised whenever the chosen account changes, by a person or by code; not
    // raised when a call leaves the choice as it was.
    void SelectionChanged();

protected:
    QString listQuery() const override;
    LookupDialog::Shape lookupShape() const override { return LookupDialog::Shape::Tree; }
    QString lookupTitle() const override;
    QString unknownCodeText() const override;
    void choiceChanged() override { emit SelectionChanged(); }

private:
    void openLookupOnFocus();

    qint32 m_positionId = 0;
    bool m_autoOpenLookup = false;
};
