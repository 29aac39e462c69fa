#include "DemoComponents.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTextStream>
#include <QUuid>
#include <QVBoxLayout>
#include <functional>

namespace {

// Runs one query on the demo database of an OLE DB style connection string
// ("Provider=SQLite;Data Source=<file>"), row by row; false when the
// database cannot be opened.
bool readRows(const QString &connection, const QString &sql, const QVariantList &values,
              const std::function<void(const QSqlQuery &)> &row)
{
    QString file;
    for (const QString &part : connection.split(QLatin1Char(';')))
        if (part.section(QLatin1Char('='), 0, 0).trimmed().compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            file = part.section(QLatin1Char('='), 1).trimmed();
    const QString name = QUuid::createUuid().toString();
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        opened = !file.isEmpty() && db.open();
        if (opened) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant &value : values)
                query.addBindValue(value);
            query.exec();
            while (query.next())
                row(query);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return opened;
}

QTableWidget *newTable(QWidget *parent, const QStringList &headers)
{
    auto *table = new QTableWidget(0, headers.size(), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void addRow(QTableWidget *table, const QStringList &cells)
{
    const int r = table->rowCount();
    table->insertRow(r);
    for (int c = 0; c < cells.size(); ++c)
        table->setItem(r, c, new QTableWidgetItem(cells[c]));
}

} // namespace

DemoDocumentWindow::DemoDocumentWindow(const QString &componentName)
    : QWidget(nullptr, Qt::Window), m_name(componentName)
{
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("سند حسابداري"));
    resize(760, 420);
    auto *layout = new QVBoxLayout(this);
    m_header = new QLabel(this);
    m_rows = newTable(this, {QStringLiteral("رديف"), QStringLiteral("كد حساب"), QStringLiteral("عنوان حساب"),
                             QStringLiteral("شرح"), QStringLiteral("بدهكار"), QStringLiteral("بستانكار")});
    auto *buttons = new QHBoxLayout;
    auto *create = new QPushButton(QStringLiteral("ايجاد ارتباط جديد"), this);
    auto *show = new QPushButton(QStringLiteral("نمايش ارتباطات"), this);
    buttons->addWidget(create);
    buttons->addWidget(show);
    buttons->addStretch();
    layout->addWidget(m_header);
    layout->addWidget(m_rows);
    layout->addLayout(buttons);
    // An accounting document takes part in relationships as form type 303.
    connect(create, &QPushButton::clicked, this, [this] { emit CreateNewRelationship(303, m_documentId); });
    connect(show, &QPushButton::clicked, this, [this] { emit ShowRelationships(303, m_documentId); });
}

void DemoDocumentWindow::OpenDocument(int documentId)
{
    QTextStream(stderr) << m_name << ": OpenDocument " << documentId << " row " << m_rowNumber << "\n";
    m_documentId = documentId;
    m_header->setText(QStringLiteral("سند %1").arg(documentId));
    readRows(m_connection, QStringLiteral("select Code, FarsiDocumentDate, Description from tblAccountDocument where ID = ?"),
             {documentId}, [this](const QSqlQuery &q) {
                 m_header->setText(QStringLiteral("سند شماره %1    تاريخ %2    %3")
                                       .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString()));
             });
    m_rows->setRowCount(0);
    int selected = -1;
    readRows(m_connection,
             QStringLiteral("select d.RowNumber, a.Code, a.Title, d.Description, d.DebitValue, d.CreditValue "
                            "from tblAccountDocumentDetail d left join tblAccount a on a.ID = d.AccountID "
                            "where d.DocumentID = ? order by d.RowNumber"),
             {documentId}, [&](const QSqlQuery &q) {
                 if (q.value(0).toInt() == m_rowNumber)
                     selected = m_rows->rowCount();
                 addRow(m_rows, {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                 q.value(3).toString(), q.value(4).toString(), q.value(5).toString()});
             });
    if (selected >= 0)
        m_rows->selectRow(selected);
    show();
    raise();
}

void DemoDocumentWindow::NewDocument()
{
    QTextStream(stderr) << m_name << ": NewDocument\n";
    m_documentId = 0;
    m_header->setText(QStringLiteral("سند جديد"));
    m_rows->setRowCount(0);
    show();
    raise();
}

DemoSaleInvoiceForm::DemoSaleInvoiceForm()
    : QWidget(nullptr, Qt::Window)
{
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("فاكتور فروش"));
    resize(640, 360);
    auto *layout = new QVBoxLayout(this);
    m_header = new QLabel(this);
    m_rows = newTable(this, {QStringLiteral("رديف"), QStringLiteral("كالا"), QStringLiteral("تعداد"),
                             QStringLiteral("في"), QStringLiteral("مبلغ")});
    layout->addWidget(m_header);
    layout->addWidget(m_rows);
}

void DemoSaleInvoiceForm::View(int formId)
{
    QTextStream(stderr) << "comSaleInvoice: View " << formId << "\n";
    m_header->setText(QStringLiteral("فاكتور %1").arg(formId));
    readRows(m_connection, QStringLiteral("select Code, FarsiInvoiceDate, TotalValue from tblSaleInvoice where ID = ?"),
             {formId}, [this](const QSqlQuery &q) {
                 m_header->setText(QStringLiteral("فاكتور فروش شماره %1    تاريخ %2    مبلغ %3")
                                       .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString()));
             });
    m_rows->setRowCount(0);
    readRows(m_connection,
             QStringLiteral("select i.RowNumber, g.Name, i.Qty, i.RetailPrice, i.SaleValue from tblSaleInvoiceItem i "
                            "left join tblGood g on g.ID = i.GoodID where i.InvoiceID = ? order by i.RowNumber"),
             {formId}, [this](const QSqlQuery &q) {
                 addRow(m_rows, {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                 q.value(3).toString(), q.value(4).toString()});
             });
    show();
    raise();
}
