#pragma once
// The demo's stand-ins for the host's own modules: the accounting-document
// window (one class behind both document component names) and the sale
// invoice form. Each is a right-to-left window that reads what it shows from
// the demo database named in its connection string, and says on standard
// error what it was asked to open.

#include <QString>
#include <QWidget>

class QLabel;
class QTableWidget;

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
