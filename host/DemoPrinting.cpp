#include "DemoPrinting.h"

#include "outside/components/ComponentRegistry.h"
#include "outside/components/report/comCrystalRpt.h"
#include "printing/frmReport.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

namespace {

// Answers the template picker when it becomes active (its list is filled
// then): the title given on the command line and the print button, or the
// window closed when no title was given or the print button found no file.
class PickerAnswer : public QObject
{
    Q_OBJECT

public:
    PickerAnswer(const QString &title, QObject *parent)
        : QObject(parent)
        , m_title(title)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *picker = qobject_cast<frmReport *>(watched);
        if (picker && event->type() == QEvent::WindowActivate)
            QTimer::singleShot(0, picker, [this, picker] { answer(picker); });
        return QObject::eventFilter(watched, event);
    }

private:
    void answer(frmReport *picker)
    {
        if (!picker->isVisible())
            return;
        const int index = m_title.isEmpty() ? -1 : picker->cmbReport->findText(m_title);
        if (index >= 0) {
            picker->cmbReport->setCurrentIndex(index);
            picker->cmdPrint->click();
        } else if (!m_title.isEmpty()) {
            QTextStream(stderr) << "--template: no template titled \"" << m_title << "\"\n";
        }
        if (picker->isVisible())
            picker->reject();
    }

    QString m_title;
};

// Takes the place of the desktop's spreadsheet program: the workbook the
// export would open is copied to the path of --xlsx.
class WorkbookCopy : public QObject
{
    Q_OBJECT

public:
    WorkbookCopy(const QString &target, QObject *parent)
        : QObject(parent)
        , m_target(target)
    {}
    ~WorkbookCopy() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

public slots:
    void openFile(const QUrl &url)
    {
        QFile::remove(m_target);
        const bool copied = QFile::copy(url.toLocalFile(), m_target);
        QTextStream(stderr) << (copied ? "workbook written: " : "workbook NOT written: ") << m_target << "\n";
    }

private:
    QString m_target;
};

QCommandLineOption option(const char *name, const char *description, const char *value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(value));
}

} // namespace

void DemoPrinting::addOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        option("template", "Unattended runs: the template picker chooses this title and presses print "
                           "(without it the picker is closed).", "TITLE"),
        option("report-pdf", "Write a report a step runs to this PDF file instead of the preview or the printer.",
               "PATH"),
        option("xlsx", "Copy a workbook a step exports to this path instead of opening it.", "PATH"),
    });
}

bool DemoPrinting::writesFiles(const QCommandLineParser &parser)
{
    return parser.isSet("report-pdf") || parser.isSet("xlsx");
}

void DemoPrinting::install(const QCommandLineParser &parser, bool unattended)
{
    if (parser.isSet("report-pdf")) {
        const QString path = parser.value("report-pdf");
        RegisterComponent(QStringLiteral("comCrystalReport.comCrystalRpt"), [path] {
            auto report = std::make_unique<comCrystalRpt>();
            report->setProperty("OutputFile", path);
            return std::unique_ptr<QObject>(std::move(report));
        });
    }
    if (parser.isSet("xlsx"))
        QDesktopServices::setUrlHandler(QStringLiteral("file"), new WorkbookCopy(parser.value("xlsx"), qApp), "openFile");
    if (unattended)
        qApp->installEventFilter(new PickerAnswer(parser.value("template"), qApp));
}

#include "DemoPrinting.moc"
