#pragma once
// Which staged rows a report takes. The caller hands either a record-selection
// formula ("{vwAccountTempInfo.FormTypeID} = 315 And ...") or one SELECT of its
// own. A formula is translated through a whitelist of the staging view and its
// columns into a statement whose values are bound, never written into the
// text; a SELECT is checked to be one read-only statement and sent as it is.

#include <QString>
#include <QStringList>
#include <QVariantList>

// The view the staged rows are read through.
const QString &StagingView(); // "vwAccountTempInfo"
// Every column of the staging table tblAccountTempInfo, in table order.
const QStringList &StagingColumns();
// The staging column's own spelling of a name given in any letter case;
// empty when the name is no staging column.
QString StagingColumn(QStringView name);

struct ReportQuery
{
    QString sql;         // T-SQL; one "?" per bound value
    QVariantList values; // in the order of the "?"
    bool callerSelect = false; // the caller's own SELECT: its columns and order are its own
};

// Throws ReportError with a Persian message for anything it cannot take. For
// a formula, `columns` (staging columns) narrows the select list; empty gives
// "*". The rows of a formula come in the order the window staged them:
// NaturalCol9 (the grid row), then ID.
ReportQuery TranslateSelection(const QString &selection, const QStringList &columns = {});
