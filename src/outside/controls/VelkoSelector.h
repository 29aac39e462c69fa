#pragma once
// The code/look-up selector placed on the ledger window for the branch, the
// analytic classes and objects, the contract and the position. It lists the
// rows (ID, Code, Name) of the view named in ViewMajor, read through its own
// connection; ViewMinor names the view of the second level, which the ledger
// query reads itself.

#include "outside/controls/LookupField.h"

class VelkoSelector : public LookupField
{
    Q_OBJECT
    Q_PROPERTY(QString Connection READ Connection WRITE setConnection)
    Q_PROPERTY(QString ViewMajor READ ViewMajor WRITE setViewMajor)
    Q_PROPERTY(QString ViewMinor READ ViewMinor WRITE setViewMinor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(qint32 SelectedID READ SelectedID WRITE setSelectedID NOTIFY Change)
    Q_PROPERTY(QString DisplayText READ DisplayText NOTIFY Change)
    Q_PROPERTY(bool IsEmpty READ IsEmpty NOTIFY Change)

public:
    explicit VelkoSelector(QWidget *parent = nullptr);

    QString Connection() const { return connectionText(); }
    void setConnection(const QString &connectionString) { setConnectionText(connectionString); }

    // A different view drops the rows read and the choice (an ID of one view
    // means nothing in another); setting the same name again keeps both.
    QString ViewMajor() const { return m_viewMajor; }
    void setViewMajor(const QString &view);
    QString ViewMinor() const { return m_viewMinor; }
    void setViewMinor(const QString &view) { m_viewMinor = view; }

    QString Caption() const { return captionText(); }
    void setCaption(const QString &caption) { setCaptionText(caption); }

    // 0 when nothing is chosen. Setting an ID the view does not list leaves
    // the selector empty. Throws DatabaseError when the view cannot be read
    // (a ViewMajor that is not a plain view name counts as unreadable).
    qint32 SelectedID() const { return chosenId(); }
    void setSelectedID(qint32 id) { chooseId(id); }

    // "code - name" of the chosen row, "" when empty.
    QString DisplayText() const;
    bool IsEmpty() const { return !hasChoice(); }
    void Clear() { clearChoice(); }

signals:
    // Raised whenever the choice changes, by a person or by code; not raised
    // when a call leaves the choice as it was.
    void Change();

protected:
    QString listQuery() const override;
    LookupDialog::Shape lookupShape() const override { return LookupDialog::Shape::Table; }
    QString lookupTitle() const override;
    QString unknownCodeText() const override;
    void choiceChanged() override { emit Change(); }

private:
    QString m_viewMajor;
    QString m_viewMinor;
};
