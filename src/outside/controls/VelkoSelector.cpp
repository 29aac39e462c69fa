#include "outside/controls/VelkoSelector.h"

#include "outside/controls/LookupTexts.h"
#include "session/DatabaseError.h"

VelkoSelector::VelkoSelector(QWidget *parent)
    : LookupField(parent)
{
}

void VelkoSelector::setViewMajor(const QString &view)
{
    if (view == m_viewMajor)
        return;
    m_viewMajor = view;
    dropRows();
    Clear();
}

QString VelkoSelector::DisplayText() const
{
    return IsEmpty() ? QString() : chosenCode() + QStringLiteral(" - ") + chosenName();
}

QString VelkoSelector::listQuery() const
{
    const QString view = m_viewMajor.trimmed();
    if (view.isEmpty())
        return QString();
    // The view name is written into the statement, so only a plain name passes.
    if (!LookupIsObjectName(view))
        throw DatabaseError(LookupText::BadViewName + view);
    return QStringLiteral("Select ID, Code, Name From ") + view;
}

QString VelkoSelector::lookupTitle() const
{
    return Caption().isEmpty() ? LookupText::SelectorLookupTitle : Caption();
}

QString VelkoSelector::unknownCodeText() const
{
    return LookupText::UnknownCode;
}
