#include "outside/controls/comAccountPicker.h"

#include "outside/controls/LookupTexts.h"

#include <QTimer>

comAccountPicker::comAccountPicker(QWidget *parent)
    : LookupField(parent)
{
    connect(this, &LookupField::FocusIn, this, &comAccountPicker::openLookupOnFocus);
}

QString comAccountPicker::listQuery() const
{
    return QStringLiteral("Select ID, Code, Title, ParentID From tblAccount");
}

QString comAccountPicker::lookupTitle() const
{
    return LookupText::AccountLookupTitle;
}

QString comAccountPicker::unknownCodeText() const
{
    return LookupText::UnknownAccountCode;
}

void comAccountPicker::openLookupOnFocus()
{
    if (!m_autoOpenLookup)
        return;
    // After the focus event has been delivered: a modal dialog must not be
    // opened from inside the focus change itself.
    QTimer::singleShot(0, this, [this] {
        if (m_autoOpenLookup && isEnabled() && isVisible())
            openLookup();
    });
}
