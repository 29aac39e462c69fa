#pragma once
// The demo's stand-ins for the host's own modules: the accounting-document
// window (one class behind both document component names) and the sale
// invoice form. Each is a right-to-left window that reads what it shows from
// the demo database named in its connection string, and says on standard
// error what it was asked to open.

#include <QPointer>
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

class DemoDocumentWindow : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int UserID MEMBER m_userId)
    Q_PROPERTY(int PositionID MEMBER m_positionId)
    Q_PROPERTY(int EmployeeID MEMBER m_employeeId)
    Q_PROPERTY(QString OLEConnectionString MEMBER m_connection)
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
    int m_userId = 0;
    int m_positionId = 0;
    int m_employeeId = 0;
    QString m_connection;
    int m_rowNumber = 0;
    int m_documentId = 0;
    QLabel *m_header;
    QTableWidget *m_rows;
    QPointer<DemoDocumentEntry> m_entry; // deletes itself on closing
};

class DemoSaleInvoiceForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int UserID MEMBER m_userId)
    Q_PROPERTY(int PositionID MEMBER m_positionId)
    Q_PROPERTY(int EmployeeID MEMBER m_employeeId)
    Q_PROPERTY(QString OLEConnectionString MEMBER m_connection)

public:
    DemoSaleInvoiceForm();
    Q_INVOKABLE void View(int formId);

private:
    int m_userId = 0;
    int m_positionId = 0;
    int m_employeeId = 0;
    QString m_connection;
    QLabel *m_header;
    QTableWidget *m_rows;
};

// The sale return form: the return's header, the invoice it goes back to, and
// the rows of its accounting document. ReturnType is 1 for a return of an
// invoice and 0 for one taken back without its invoice.
class DemoSaleReturnForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int UserID MEMBER m_userId)
    Q_PROPERTY(int PositionID MEMBER m_positionId)
    Q_PROPERTY(int EmployeeID MEMBER m_employeeId)
    Q_PROPERTY(QString OLEConnectionString MEMBER m_connection)
    Q_PROPERTY(int ReturnType MEMBER m_returnType)

public:
    DemoSaleReturnForm();
    Q_INVOKABLE void View(int formId);

private:
    int m_userId = 0;
    int m_positionId = 0;
    int m_employeeId = 0;
    QString m_connection;
    int m_returnType = 0;
    QLabel *m_header;
    QTableWidget *m_rows;
};
