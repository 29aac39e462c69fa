#pragma once
// frmReport: the template picker shown before a printout. It lists the
// report templates registered for a form type and report format; its print
// button looks for the chosen template's file under each base path of the
// database, in order, and hands the first one that exists back through
// Session.PrintFilePath ("" when none). The caller shows it modally and
// prints when PrintFilePath is not empty afterwards.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmReport : public QDialog
{
    Q_OBJECT

public:
    explicit frmReport(QWidget *parent = nullptr);

    // Set by the caller before the window is shown.
    qint16 FormTypeID = 0;
    qint16 ReportFormatID = 0;

    // Adds the templates of the form type and ReportFormatID to cmbReport and
    // selects the first. Runs on every activation, so a window activated
    // twice lists them twice.
    void FillTemplateForm(qint16 formTypeId);
    void cmdPrint_Click();

    QComboBox *cmbReport = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtDescription = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdOk = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    void showTemplateDescription();
};
