// The grid copied into a new spreadsheet workbook and shown in the desktop's
// spreadsheet program.

#include "ledger_window/frmAccountDetails.h"
#include "printing/SpreadsheetExport.h"
#include "session/Messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <stdexcept>

void frmAccountDetails::mnuExcel_Click()
{
    // Every export gets a file of its own; earlier ones stay as they were.
    const QString path = NewWorkbookPath();
    if (path.isEmpty())
        throw std::runtime_error("در پوشه موقت سيستم فايل تازه اي براي صفحه گسترده ساخته نشد.");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString failure = WriteGridWorkbook(*flxAccount, path);
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty()) {
        QFile::remove(path);
        ShowMessage(ErrorTitle, failure);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ShowMessage(ErrorTitle, QStringLiteral("فايل صفحه گسترده در %1 نوشته شد، ولي برنامه اي براي باز كردن آن پيدا نشد.")
                                    .arg(QChar(0x2066) + path + QChar(0x2069))); // the path kept left to right
}
