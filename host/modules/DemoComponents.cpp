#include "DemoComponents.h"
#include "DemoDocumentSave.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QFormLayout>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
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
    const QString file = DemoDatabaseFile(connection);
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

const QStringList DocumentColumns {QStringLiteral("رديف"), QStringLiteral("كد حساب"), QStringLiteral("عنوان حساب"),
                                   QStringLiteral("شرح"), QStringLiteral("بدهكار"), QStringLiteral("بستانكار")};

} // namespace

DemoModuleWindow::DemoModuleWindow(const QString &title, const QSize &size, const QStringList &columns)
    : QWidget(nullptr, Qt::Window)
{
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(title);
    resize(size);
    auto *layout = new QVBoxLayout(this);
    m_header = new QLabel(this);
    m_header->setWordWrap(true);
    m_rows = newTable(this, columns);
    layout->addWidget(m_header);
    layout->addWidget(m_rows);
}

int DemoModuleWindow::showDocumentRows(int documentId, int wanted)
{
    m_rows->setRowCount(0);
    int found = -1;
    readRows(m_connection,
             QStringLiteral("select d.RowNumber, a.Code, a.Title, d.Description, d.DebitValue, d.CreditValue "
                            "from tblAccountDocumentDetail d left join tblAccount a on a.ID = d.AccountID "
                            "where d.DocumentID = ? order by d.RowNumber"),
             {documentId}, [&](const QSqlQuery &q) {
                 if (q.value(0).toInt() == wanted)
                     found = m_rows->rowCount();
                 addRow(m_rows, {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                 q.value(3).toString(), q.value(4).toString(), q.value(5).toString()});
             });
    return found;
}

void DemoModuleWindow::reportCall(const QString &component, const QString &call) const
{
    QStringList properties;
    for (const char *property : {"UserID", "PositionID", "EmployeeID", "OLEConnectionString"})
        properties << QStringLiteral("%1=%2").arg(QLatin1String(property), this->property(property).toString());
    QTextStream(stderr) << component << ": " << call << " (" << properties.join(QStringLiteral(", ")) << ")\n";
}

DemoDocumentWindow::DemoDocumentWindow(const QString &componentName)
    : DemoModuleWindow(QStringLiteral("سند حسابداري"), QSize(760, 420), DocumentColumns), m_name(componentName)
{
    m_header->setWordWrap(false);
    auto *buttons = new QHBoxLayout;
    auto *create = new QPushButton(QStringLiteral("ايجاد ارتباط جديد"), this);
    auto *show = new QPushButton(QStringLiteral("نمايش ارتباطات"), this);
    buttons->addWidget(create);
    buttons->addWidget(show);
    buttons->addStretch();
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);
    // An accounting document takes part in relationships as form type 303.
    connect(create, &QPushButton::clicked, this, [this] { emit CreateNewRelationship(303, m_documentId); });
    connect(show, &QPushButton::clicked, this, [this] { emit ShowRelationships(303, m_documentId); });
}

void DemoDocumentWindow::OpenDocument(int documentId)
{
    reportCall(m_name, QStringLiteral("OpenDocument %1 row %2").arg(documentId).arg(m_rowNumber));
    m_documentId = documentId;
    m_header->setText(QStringLiteral("سند %1").arg(documentId));
    readRows(m_connection, QStringLiteral("select Code, FarsiDocumentDate, Description from tblAccountDocument where ID = ?"),
             {documentId}, [this](const QSqlQuery &q) {
                 m_header->setText(QStringLiteral("سند شماره %1    تاريخ %2    %3")
                                       .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString()));
             });
    const int selected = showDocumentRows(documentId, m_rowNumber);
    show();
    raise();
    // The requested row is current and in sight, once the table has its size.
    if (selected >= 0) {
        m_rows->setCurrentCell(selected, 0);
        m_rows->selectRow(selected);
        QTimer::singleShot(0, m_rows, [table = m_rows, selected] {
            table->scrollToItem(table->item(selected, 0), QAbstractItemView::PositionAtCenter);
        });
    }
}

void DemoDocumentWindow::NewDocument()
{
    reportCall(m_name, QStringLiteral("NewDocument"));
    if (!m_entry) {
        m_entry = new DemoDocumentEntry(this, m_connection, m_userId);
        connect(m_entry, &DemoDocumentEntry::saved, this, [this](int id) {
            QTextStream(stderr) << m_name << ": saved document " << id << "\n";
            m_entry->close();
            m_rowNumber = 0;
            OpenDocument(id);
        });
    }
    m_entry->show();
    m_entry->raise();
}

DemoDocumentEntry::DemoDocumentEntry(QWidget *parent, const QString &connection, int userId)
    : QWidget(parent, Qt::Window), m_connection(connection), m_userId(userId)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("سند حسابداري جديد"));
    resize(720, 400);
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    m_date = new QLineEdit(DemoJalaliText(QDate::currentDate()), this);
    m_date->setObjectName(QStringLiteral("txtDate"));
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("txtDescription"));
    fields->addRow(QStringLiteral("تاريخ سند:"), m_date);
    fields->addRow(QStringLiteral("شرح سند:"), m_description);
    m_rows = new QTableWidget(4, 4, this);
    m_rows->setObjectName(QStringLiteral("grdRows"));
    m_rows->setHorizontalHeaderLabels({QStringLiteral("كد حساب"), QStringLiteral("شرح"), QStringLiteral("بدهكار"),
                                       QStringLiteral("بستانكار")});
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));
    m_message->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    auto *addRowButton = new QPushButton(QStringLiteral("رديف جديد"), this);
    auto *saveButton = new QPushButton(QStringLiteral("ثبت"), this);
    saveButton->setObjectName(QStringLiteral("cmdSave"));
    auto *cancel = new QPushButton(QStringLiteral("انصراف"), this);
    buttons->addWidget(saveButton);
    buttons->addWidget(addRowButton);
    buttons->addStretch();
    buttons->addWidget(cancel);
    layout->addLayout(fields);
    layout->addWidget(m_rows);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
    connect(addRowButton, &QPushButton::clicked, this, [this] { m_rows->insertRow(m_rows->rowCount()); });
    connect(saveButton, &QPushButton::clicked, this, &DemoDocumentEntry::save);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void DemoDocumentEntry::save()
{
    auto cell = [this](int r, int c) {
        const QTableWidgetItem *item = m_rows->item(r, c);
        return item ? item->text() : QString();
    };
    QList<DemoDocumentRow> rows;
    for (int r = 0; r < m_rows->rowCount(); ++r)
        rows.append({cell(r, 0), cell(r, 1), cell(r, 2), cell(r, 3)});
    const DemoDocumentSaved saved = SaveDemoDocument(m_connection, m_date->text(), m_description->text(), rows, m_userId);
    if (saved.id == 0) {
        m_message->setText(saved.error);
        return;
    }
    m_message->clear();
    emit this->saved(saved.id);
}

DemoSaleInvoiceForm::DemoSaleInvoiceForm()
    : DemoModuleWindow(QStringLiteral("فاكتور فروش"), QSize(640, 360),
                       {QStringLiteral("رديف"), QStringLiteral("كالا"), QStringLiteral("تعداد"), QStringLiteral("في"),
                        QStringLiteral("مبلغ")})
{
}

void DemoSaleInvoiceForm::View(int formId)
{
    reportCall(QStringLiteral("comSaleInvoice"), QStringLiteral("View %1").arg(formId));
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

DemoSaleReturnForm::DemoSaleReturnForm()
    : DemoModuleWindow(QStringLiteral("برگشت از فروش"), QSize(640, 360), DocumentColumns)
{
}

void DemoSaleReturnForm::View(int formId)
{
    reportCall(QStringLiteral("comSaleReturn"), QStringLiteral("View %1 ReturnType %2").arg(formId).arg(m_returnType));
    m_header->setText(QStringLiteral("برگشت از فروش %1").arg(formId));
    int documentId = 0;
    readRows(m_connection,
             QStringLiteral("select r.Code, r.FarsiReturnDate, r.TotalValue, r.Description, i.Code, r.DocumentID "
                            "from tblSaleReturn r left join tblSaleInvoice i on i.ID = r.SaleInvoiceID where r.ID = ?"),
             {formId}, [&](const QSqlQuery &q) {
                 const QString invoice = q.value(4).isNull() ? QStringLiteral("بدون فاكتور")
                                                             : QStringLiteral("فاكتور فروش شماره %1").arg(q.value(4).toString());
                 m_header->setText(QStringLiteral("برگشت از فروش شماره %1    تاريخ %2    مبلغ %3    %4\n%5")
                                       .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                            invoice, q.value(3).toString()));
                 documentId = q.value(5).toInt();
             });
    // The returns keep no goods rows of their own: what was taken back shows
    // in the rows of the return's accounting document.
    showDocumentRows(documentId);
    show();
    raise();
}
