#include "printing/frmReport.h"

#include "session/DtEn.h"
#include "session/Messages.h"
#include "session/Session.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NoTemplateChosen = QStringLiteral("قالب گزارش مشخص نيست.");
const QString NoBasePath = QStringLiteral("در پايگاه داده مسير چاپ مشخص نشده است.");
const QString FileNowhere =
    QStringLiteral("در هيچ يك از مسيرهاي مشخص شده در پايگاه داده فايل الگوي چاپ وجود ندارد.");

constexpr int DescriptionRole = Qt::UserRole + 1;

// Closes a recordset when the block that opened it ends, also when a
// database error leaves it early, so the next opening finds it closed.
struct ClosedAtEnd
{
    Recordset &recordset;
    ~ClosedAtEnd()
    {
        if (recordset.IsOpen())
            recordset.Close();
    }
};

} // namespace

frmReport::frmReport(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReport"));
    // A zero-width non-joiner between "گزارش" and "گيري", and a trailing blank.
    setWindowTitle(QStringLiteral("گزارش\u200Cگيري "));
    setLayoutDirection(Qt::RightToLeft);

    cmbReport = new QComboBox(this);
    cmbReport->setObjectName(QStringLiteral("cmbReport"));
    cmbReport->setMinimumWidth(280);
    Label1 = new QLabel(QStringLiteral("قالب گزارش :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(cmbReport);
    txtDescription = new QLineEdit(this);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    txtDescription->setReadOnly(true);
    Label2 = new QLabel(QStringLiteral("شرح گزارش :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(txtDescription);
    cmdPrint = new QPushButton(QStringLiteral("چاپ"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setDefault(true);
    cmdOk = new QPushButton(QStringLiteral("تاييد"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->hide(); // the design keeps it behind the print button; it does the same

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cmbReport, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtDescription, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdPrint);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(cmdPrint, &QPushButton::clicked, this, &frmReport::cmdPrint_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmReport::cmdPrint_Click);
    connect(cmbReport, &QComboBox::currentIndexChanged, this, &frmReport::showTemplateDescription);
}

bool frmReport::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        try {
            FillTemplateForm(FormTypeID);
        } catch (const std::exception &error) {
            ShowMessage(ErrorTitle, QString::fromUtf8(error.what()));
        }
    }
    return QDialog::event(event);
}

void frmReport::FillTemplateForm(qint16 formTypeId)
{
    Recordset &templates = ReopenOnText(
        QStringLiteral("rssqlVelkoTemplate"),
        QStringLiteral("Select * from tblVelkoReportTemplate where FormTypeID = ") + QString::number(formTypeId)
            + QStringLiteral(" And ReportFormatID = ") + QString::number(ReportFormatID));
    ClosedAtEnd closer {templates};
    if (templates.RecordCount() > 0) {
        for (templates.MoveFirst(); !templates.Eof(); templates.MoveNext()) {
            cmbReport->addItem(templates.FieldText(QStringLiteral("Title")), templates.Field(QStringLiteral("ID")));
            cmbReport->setItemData(cmbReport->count() - 1, templates.FieldText(QStringLiteral("Description")),
                                   DescriptionRole);
        }
    }
    if (cmbReport->count() > 0)
        cmbReport->setCurrentIndex(0);
    showTemplateDescription();
}

void frmReport::showTemplateDescription()
{
    txtDescription->setText(cmbReport->currentData(DescriptionRole).toString());
}

void frmReport::cmdPrint_Click()
{
    try {
        if (cmbReport->currentIndex() < 0) {
            cmbReport->setFocus();
            ShowMessage(ErrorTitle, NoTemplateChosen);
            return;
        }
        // The item's data is the template's ID as the database gave it; it
        // goes back into the statement as a number only.
        const qint64 templateId = cmbReport->currentData().toLongLong();
        Recordset &chosen = ReopenOnText(QStringLiteral("rssqlVelkoTemplate"),
                                         QStringLiteral("Select * From tblVelkoReportTemplate Where ID = ")
                                             + QString::number(templateId));
        ClosedAtEnd templateCloser {chosen};
        if (chosen.RecordCount() == 0)
            return;
        Recordset &basePaths =
            ReopenOnText(QStringLiteral("rssqlVelkoBasePath"), QStringLiteral("Select * From vwVelkoBasePath Order By ID "));
        ClosedAtEnd basePathCloser {basePaths};
        if (basePaths.RecordCount() == 0) {
            AskQuestion(ErrorTitle, NoBasePath);
            return;
        }
        const QString filePath = chosen.FieldText(QStringLiteral("FilePath"));
        for (basePaths.MoveFirst(); !basePaths.Eof(); basePaths.MoveNext()) {
            // Joined as they stand: a base path must end in its separator.
            Session.PrintFilePath = basePaths.FieldText(QStringLiteral("BasePath")) + filePath;
            const QFileInfo file(Session.PrintFilePath);
            if (file.exists() && file.isFile()) {
                accept();
                break;
            }
            Session.PrintFilePath.clear();
        }
        if (Session.PrintFilePath.isEmpty())
            AskQuestion(ErrorTitle, FileNowhere);
    } catch (const std::exception &error) {
        ShowMessage(ErrorTitle, QString::fromUtf8(error.what()));
    }
}
