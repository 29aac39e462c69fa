#pragma once
// The demo's stand-ins for the host's own modules: the accounting-document
// window (one class behind both document component names) and the sale
// invoice form. Each is a right-to-left window that reads what it shows from
// the demo database named in its connection string, and says on standard
// error what it was asked to open.

#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;

// The entry form of a new accounting document: date, description and rows
// typed in a table, saved by "ثبت". A child window of the document window,
// never modal; a refused document keeps the form open with the reason shown.
class DemoDocumentEntry : public QWidget
{
    Q_OBJECT

public:
    DemoDocumentEntry(QWidget *parent, const QString &connection, int userId);

signals:
    void saved(int documentId);

private:
    void save();

    QString m_connection;
    int m_userId;
    QLineEdit *m_date;
    QLineEdit *m_description;
    QTableWidget *m_rows;
    QLabel *m_message;
};

// What every demo module window shares: the four properties the ledger sets
// on a component by name, a header line and a read-only table, shown right
// to left.
class DemoModuleWindow : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int UserID MEMBER m_userId)
    Q_PROPERTY(int PositionID MEMBER m_positionId)
    Q_PROPERTY(int EmployeeID MEMBER m_employeeId)
    Q_PROPERTY(QString OLEConnectionString MEMBER m_connection)

protected:
    DemoModuleWindow(const QString &title, const QSize &size, const QStringList &columns);
    // Lists the rows of an accounting document; the index of the table row
    // showing document row `wanted`, or -1.
    int showDocumentRows(int documentId, int wanted = -1);
    // One line on standard error: the component, the call and its
    // arguments, and the properties set on it.
    void reportCall(const QString &component, const QString &call) const;

    int m_userId = 0;
    int m_positionId = 0;
    int m_employeeId = 0;
    QString m_connection;
    QLabel *m_header;
    QTableWidget *m_rows;
};

class DemoDocumentWindow : public DemoModuleWindow
{
    Q_OBJECT
    Q_PROPERTY(int DocumentRowNumber MEMBER m_rowNumber)

public:
    explicit DemoDocumentWindow(const QString &componentName);
    Q_INVOKABLE void OpenDocument(int documentId);
    Q_INVOKABLE void NewDocument();

signals:
    void CreateNewRelationship(int FormTypeID, int FormID);
    void ShowRelationships(int FormTypeID, int FormID);

private:
    QString m_name;
    int m_rowNumber = 0;
    int m_documentId = 0;
    QPointer<DemoDocumentEntry> m_entry; // deletes itself on closing
};

class DemoSaleInvoiceForm : public DemoModuleWindow
{
    Q_OBJECT

public:
    DemoSaleInvoiceForm();
    Q_INVOKABLE void View(int formId);
};

// The sale return form: the return's header, the invoice it goes back to, and
// the rows of its accounting document. ReturnType is 1 for a return of an
// invoice and 0 for one taken back without its invoice.
class DemoSaleReturnForm : public DemoModuleWindow
{
    Q_OBJECT
    Q_PROPERTY(int ReturnType MEMBER m_returnType)

public:
    DemoSaleReturnForm();
    Q_INVOKABLE void View(int formId);

private:
    int m_returnType = 0;
};
