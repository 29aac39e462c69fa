#pragma once
// Opening what lies behind a ledger row: its accounting document in one of
// the two document components, or the source form the document came from in
// the component of that form's module, created by name from the file name the
// database gives for the form type.

#include <QString>
#include <QtGlobal>
#include <optional>

// What a row's file name (column 24) allows.
struct SourceFormFile
{
    enum Kind {
        NoForm,  // four characters or fewer: no component name, as a row without a source form
        Refused, // not a plain file name: nothing may be created or loaded from it
        Plain,
    };
    Kind kind = NoForm;
    QString componentName;  // the name without its last four characters: "comSaleReturn"
    QString moduleBaseName; // the part before the first ".": the module's base name
};

// Accepts only a plain file name: ASCII letters, digits, "_" and ".", no "..",
// at least one character before the first ".", ending in a four-character
// extension (a "." and three letters or digits).
SourceFormFile ReadSourceFormFile(const QString &fileName);

// The leading numeric value of a text, rounded half to even; nullopt when it
// does not fit in 32 (or 16) bits.
std::optional<qint32> RoundedInt32(double value);
std::optional<qint16> RoundedInt16(double value);

// Whether the source form is a sale return, which is told whether it has its
// invoice ("saleReturn" anywhere in the file name, any letter case).
bool IsSaleReturnFile(const QString &fileName);
// The query that finds the return's invoice; empty for an ID no whole
// number holds.
QString SaleReturnInvoiceQuery(const QString &formIdText);
