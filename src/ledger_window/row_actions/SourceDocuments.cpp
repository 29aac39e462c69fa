// A ledger row's accounting document (double click, the document menu) and
// its source form (cmdFormID).

#include "ledger_window/row_actions/SourceDocuments.h"

#include "ledger_window/WindowTexts.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/components/ComponentModule.h"
#include "outside/components/DocumentComponent.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/modMain.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace LedgerCol;

namespace {

bool isPlainFileCharacter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// A whole number in a grid cell, as the host's integer conversion of a text
// reads it; anything else is an error the handler reports.
double cellNumber(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        throw std::invalid_argument(NotWholeNumberMessage.arg(text).toStdString());
    return value;
}

template<typename T>
T checked(std::optional<T> value, const QString &text)
{
    if (!value)
        throw std::out_of_range(NotWholeNumberMessage.arg(text).toStdString());
    return *value;
}

// One step of opening a source form: whatever fails in it (a failing query,
// a component that throws) is dropped and the next step runs.
template<typename Step>
void ignoringErrors(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

// Sets the properties a source form takes and shows the form. A member the
// component lacks is skipped; every step runs whatever became of the others.
void showSourceForm(std::unique_ptr<QObject> form, const QString &fileName, const QString &formIdText)
{
    ignoringErrors([&] {
        SetComponentProperty(*form, "UserID", Session.UserID);
        SetComponentProperty(*form, "PositionID", Session.PositionID);
        SetComponentProperty(*form, "EmployeeID", Session.EmployeeID);
        SetComponentProperty(*form, "OLEConnectionString", Session.ConnectionText);
    });

    // A sale return is told whether it has its invoice; without a record of
    // the return it gets no return type.
    if (const QString query = SaleReturnInvoiceQuery(formIdText); IsSaleReturnFile(fileName) && !query.isEmpty()) {
        ignoringErrors([&] {
            Recordset &saleReturn = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"), query);
            if (saleReturn.RecordCount() > 0)
                SetComponentProperty(*form, "ReturnType", qint16(saleReturn.IsNull(QStringLiteral("SaleInvoiceID")) ? 0 : 1));
            saleReturn.Close();
        });
    }

    if (const std::optional<qint32> formId = RoundedInt32(LeadingNumber(formIdText)))
        ignoringErrors([&] { CallComponent(*form, "View", {*formId}); });

    // A form that is itself a window stays until the person closes it; any
    // other component is dropped, as it would be after a call.
    auto *window = qobject_cast<QWidget *>(form.get());
    if (window && window->isVisible()) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        form.release();
    }
}

} // namespace

SourceFormFile ReadSourceFormFile(const QString &fileName)
{
    SourceFormFile file;
    if (fileName.size() <= 4)
        return file;
    file.kind = SourceFormFile::Refused;
    if (!std::all_of(fileName.begin(), fileName.end(), isPlainFileCharacter) || fileName.contains(QLatin1String("..")))
        return file;
    const QString extension = fileName.right(4);
    if (extension.front() != QLatin1Char('.') || extension.mid(1).contains(QLatin1Char('.')))
        return file;
    const qsizetype firstDot = fileName.indexOf(QLatin1Char('.'));
    if (firstDot == 0)
        return file;
    file.kind = SourceFormFile::Plain;
    file.componentName = fileName.left(fileName.size() - 4);
    file.moduleBaseName = fileName.left(firstDot);
    return file;
}

std::optional<qint32> RoundedInt32(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return std::nullopt;
    return qint32(rounded);
}

std::optional<qint16> RoundedInt16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return qint16(rounded);
}

bool IsSaleReturnFile(const QString &fileName)
{
    return fileName.contains(QLatin1String("saleReturn"), Qt::CaseInsensitive);
}

QString SaleReturnInvoiceQuery(const QString &formIdText)
{
    const double id = std::nearbyint(LeadingNumber(formIdText));
    if (!(std::fabs(id) < 9.0e18))
        return QString(); // no stored ID is that large
    return QStringLiteral("select SaleInvoiceID from tblSaleReturn Where ID=") + QString::number(qint64(id));
}

DocumentComponent &frmAccountDetails::ChosenDocumentComponent() const
{
    return Session.ObjectsEnabled ? *comAccountDocClass : *praskAccTrans;
}

void frmAccountDetails::flxAccount_DblClick()
{
    if (!HasPermission(303))
        return;
    // The row under the pointer, which a double click on the header or
    // below the last row does not give; and never while a row is edited.
    const int row = flxAccount->MouseRow();
    if (row <= 0 || flxAccount->Rows() <= 1 || Session.EditState != 3)
        return;
    const QString rowText = flxAccount->TextMatrix(row, RowNumber);
    const qint16 rowNumber = checked(RoundedInt16(cellNumber(rowText)), rowText);
    const QString documentText = flxAccount->TextMatrix(row, DocumentID);
    const qint32 document = checked(RoundedInt32(LeadingNumber(documentText)), documentText);
    DocumentComponent &component = ChosenDocumentComponent();
    component.setDocumentRowNumber(rowNumber);
    component.OpenDocument(document);
}

void frmAccountDetails::mnuFunc1_Click()
{
    ChosenDocumentComponent().NewDocument();
}

void frmAccountDetails::mnuFunc2_Click()
{
    const int row = flxAccount->Row();
    if (row < 1 || flxAccount->Rows() <= 1 || Session.EditState != 3)
        return;
    const QString documentText = flxAccount->TextMatrix(row, DocumentID);
    ChosenDocumentComponent().OpenDocument(checked(RoundedInt32(LeadingNumber(documentText)), documentText));
    // The document may have changed; the ledger is shown again as it is
    // (re-read only when a re-read was asked for already).
    ReturnAccounts(sltAccount->AccountID());
}

void frmAccountDetails::cmdFormID_Click()
{
    const int row = flxAccount->Row();
    if (row < 1 || row >= flxAccount->Rows())
        return;
    const QString formIdText = flxAccount->TextMatrix(row, FormID);
    const QString fileName = flxAccount->TextMatrix(row, FileName);
    if (formIdText.isEmpty() || fileName.isEmpty())
        return;
    const SourceFormFile file = ReadSourceFormFile(fileName);
    if (file.kind == SourceFormFile::NoForm)
        return;

    const QString formTypeText = flxAccount->TextMatrix(row, FormTypeID);
    if (!HasPermission(checked(RoundedInt32(cellNumber(formTypeText)), formTypeText))) {
        ShowMessage(ErrorTitle, NotPermittedMessage);
        return;
    }
    // The name comes from the database and would become a path: only a
    // plain file name is taken.
    if (file.kind == SourceFormFile::Refused) {
        ShowMessage(ErrorTitle, SourceFormFileRefusedMessage + fileName);
        return;
    }

    // From here on nothing is reported: a form that cannot be created, even
    // from its module, opens silently nothing.
    std::unique_ptr<QObject> form = CreateOrRegisterComponent(
        file.componentName, ComponentModulePath(Session.FirstBasePath, file.moduleBaseName));
    if (form)
        showSourceForm(std::move(form), fileName, formIdText);
}
