#pragma once
// frmAccountDetails: the ledger window ("گردش حساب"). The class is a shell
// holding the controls and the window fields; its operations live in the
// subsystem folders beside this file (start-up, ledger, filters, row
// actions), and logic that needs no widget lives in plain functions there.

#include "ledger_window/ledger/GridFill.h"
#include "session/Currency.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

struct LedgerFilter;
struct LedgerConditions;
enum class LedgerViews;
struct JoinedLedger;
class FlexGrid;
class FlexGridStore;
class Recordset;
class VelkoSelector;
class VelkoDate;
class comAccountPicker;
class DocumentComponent;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

class frmAccountDetails : public QWidget, private SummaryFieldSink
{
    Q_OBJECT

public:
    explicit frmAccountDetails(QWidget *parent = nullptr);
    ~frmAccountDetails() override;

    // Runs the start-up once, at the first access to the window.
    void EnsureLoaded();
    bool IsLoaded() const { return m_loaded; }

    // Operations other parts of the component call.
    void ReturnAccounts(qint32 AccountID);
    // The same load from the views that also hold draft documents, with
    // analytic objects matched exactly and no branch condition.
    void ReturnAccountsWithScratch(qint32 AccountID);
    void FillLedgerGrid();
    // Folds the grid's rows into one row per document (the summary view).
    void ShowDocumentSummary();
    // The filter values of the window and the session as the ledger texts need them.
    LedgerFilter currentLedgerFilter(qint32 AccountID) const;
    void SetLockedProperty();
    void flxAccount_SelChange();
    void BuildPeriodMenu();
    bool CheckAssignmentAccount(qint32 AccountID, qint32 ClassID, qint32 ObjectID);
    void sltAccount_Change();
    void sltClass_Change(int pair); // pair 1..4
    void sltClass1_Change() { sltClass_Change(1); }
    void sltClass2_Change() { sltClass_Change(2); }
    void sltClass3_Change() { sltClass_Change(3); }
    void sltClass4_Change() { sltClass_Change(4); }

    // Filters and commands, as a person triggers them.
    void mnuPeriodSpec_Click(int index);
    void dtpFromDate_Change();
    void dtpToDate_Change();
    void txtCodeFrom_LostFocus();
    void txtCodeTo_LostFocus();
    void chkCombinPeriod_Click();
    void cmdReset_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdEsc_Click();

    // View options and commands of the drop-down menus.
    void mnuSortDocumentDate_Click();
    void mnuSortTransactionDate_Click();
    void mnuwithOutQuery_Click();
    void mnuWithNotFormBalance_Click();
    void mnuWithFormBalance_Click();
    void mnuAllCheck_Click();
    void mnuChecke_Click();
    void mnuUnChecked_Click();
    void mnuRefresh_Click();
    void chkMix_Click();

    // Search inside the grid.
    void mnuAccountDetailSearch_Click(); // opens the search bar
    void cmdOkey_Click();                // finds the next matching row
    void cmdCancel_Click();              // closes the search bar
    // Keeps cmdEdit enabled only while an editable row is current and
    // nothing is being edited; runs every half second.
    void Timer2_Timer();

    // Review marks and assignment exclusion (row_actions/ReviewMarks.cpp):
    // the popup on a right press over a ledger row, its four items acting on
    // the selected rows, and the hover text of the row under the pointer.
    void flxAccount_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &position);
    void flxAccount_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, const QPoint &position);
    void mnuIsChecked_Click();
    void mnuIsNotChecked_Click();
    void mnuIsAssignmentExcluded_Click();
    void mnuIsNotAssignmentExcluded_Click();

    // The grid click (row_actions/AssignmentCheck.cpp): a header click sorts
    // by that column, the search bar goes away, and on an account under
    // assignment control the current row's links are checked.
    void flxAccount_Click();
    void CheckRowAssignment(int row);

    // Source documents (row_actions/SourceDocuments.cpp): a double click
    // opens the row's accounting document on its row, cmdFormID the form the
    // document came from; the document menu starts a new accounting document
    // or edits the current row's.
    void flxAccount_DblClick();
    void cmdFormID_Click();
    void mnuFunc1_Click();
    void mnuFunc2_Click();
    // The document component the session's switch chooses: the one with
    // analytic classes when they are enabled.
    DocumentComponent &ChosenDocumentComponent() const;

    // Printing and export (printing/): the ledger printout through a chosen
    // template, the conflict report of the rows not yet reviewed, and the
    // grid copied into a new spreadsheet workbook.
    void PrintLedger(bool &Preview, const QVariant &unused = QVariant());
    void mnuFunc3_Click();
    void mnuFunc5_Click();
    void mnuConfilictView_Click();
    void mnuConfilictPrint_Click();
    void mnuExcel_Click();
    // The report component rptAccTrans, created by its name at the first
    // printout; nullptr when the name cannot be created.
    QObject *ReportComponent();

    // Moves and stretches the controls by the change of the window size since
    // the recorded size (twips).
    void Form_Resize();
    // Puts the search bar's fields over the grid columns they search.
    void alignSearchBar();

    // The edit button's one rule, shared by the row change and the timer:
    // a row can be edited only when it is a data row that is not finalized.
    bool CurrentRowIsEditable() const;
    // True while this window's panel holds an edit that is not saved.
    bool IsEditing() const;
    // Before anything re-reads or moves the ledger: true when no edit is
    // open, or the user agreed to drop it (the edit is then closed).
    bool ConfirmLeaveEditing();
    // Empties the grid and every total, so no figure of an earlier load or
    // of another account stays on screen.
    void ClearLedger();

    // Window fields shared between the subsystems.
    qint16 AccountNatureID = 0;
    Currency MaxDebit;
    Currency MaxCredit;
    QString AccountTitle;
    bool IsAssignmentAccount = false;
    int SearchStartRow = 1;
    bool SortAscending = false; // the first header click sorts descending
    LedgerBalances Balances; // RunningBalance and UpToNowBalance
    // The rows each reader of the last load read, in order (one or two), for
    // checks and benchmarks.
    std::vector<qint64> LedgerPartRows;
    // Size recorded at the end of start-up and after each applied resize
    // (twips; 0 until start-up). Plain ints: a maximised window on a large
    // screen is wider than 32767 twips.
    int RecordedHeight = 0;
    int RecordedWidth = 0;

    // Controls (names as the window's design has them).
    comAccountPicker *sltAccount = nullptr;
    QGroupBox *gbObjects = nullptr;
    VelkoSelector *sltClass[5] = {};  // 1..4
    VelkoSelector *sltObject[5] = {}; // 1..4
    QLabel *lblObject[5] = {};
    VelkoSelector *sltBranch = nullptr;
    VelkoSelector *mptContract = nullptr;
    VelkoSelector *mptPosition = nullptr;
    QCheckBox *chkiOpening = nullptr;
    QCheckBox *chkCombinPeriod = nullptr;
    QCheckBox *chkMix = nullptr;
    VelkoDate *dtpFromDate = nullptr;
    VelkoDate *dtpToDate = nullptr;
    VelkoDate *dtpTrans = nullptr;
    VelkoDate *dtpDate = nullptr;
    VelkoDate *dtpCreateDate = nullptr;
    QLineEdit *txtCodeFrom = nullptr;
    QLineEdit *txtCodeTo = nullptr;
    QFrame *Frm11 = nullptr;
    QPushButton *cmdPeriod = nullptr;
    QPushButton *cmdTools = nullptr;
    QPushButton *cmdFunc = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdEsc = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdEdit = nullptr;
    FlexGrid *flxAccount = nullptr;
    QComboBox *cmbDocumentType = nullptr;
    QLineEdit *txtAdditionalFormSpec = nullptr;
    QLineEdit *txtDescription = nullptr;
    QLineEdit *txtFormType = nullptr;
    QLineEdit *txtFormID = nullptr;
    QPushButton *cmdFormID = nullptr;
    DocumentComponent *praskAccTrans = nullptr;      // comAccountDoc.comAccountDoc1
    DocumentComponent *comAccountDocClass = nullptr; // comAccountDocClass.comAccountDocClass1
    QLabel *lblMessage = nullptr;
    QFrame *frmRemained = nullptr;
    QFrame *frmRemainedtoday = nullptr;
    QFrame *Frm7 = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QFrame *FrameSearchDetail = nullptr;
    VelkoDate *DateSearch = nullptr;
    QLineEdit *txtAccDescSearch = nullptr;
    QLineEdit *txtPriceSearch = nullptr;
    QPushButton *cmdOkey = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer *Timer2 = nullptr;
    QHash<QString, QLineEdit *> SummaryFields; // txtSumDebit ... by name
    QHash<QString, QWidget *> Controls;        // every named control, for layout and tests

    // Menus (top levels are hidden and drop down under the command buttons).
    QMenu *mnuFunc = nullptr;
    QMenu *mnuTools = nullptr;
    QMenu *mnuPeriod = nullptr;
    QMenu *mnuChecked = nullptr;
    QHash<QString, QAction *> MenuItems; // mnuSortDocumentDate ... by name
    QList<QAction *> mnuPeriodSpec;      // one item per accounting period
    QMenu *mnuSort = nullptr;

    QLineEdit *summaryField(const QString &name) const { return SummaryFields.value(name); }
    QAction *menuItem(const QString &name) const { return MenuItems.value(name); }

signals:
    void CreateNewRelationship(int FormTypeID, int FormID);
    void ShowRelationships(int FormTypeID, int FormID);
    void Unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // SummaryFieldSink: the grid fill writes the summary fields by name.
    void setFieldText(const QString &name, const QString &text) override;
    void setFieldForeColor(const QString &name, quint32 oleColor) override;

    void createControls();
    void createMenus();
    void connectHandlers();
    void FormLoad();
    void periodRefresh(const QString &periodQuery);
    void detectMultiplePeriods();
    void resetViewConditions();
    // Nature and limits from the open tblAccount record.
    void takeAccountSettings(const Recordset &account);
    // Runs a handler at the window's boundary: the mouse pointer comes back,
    // a failure is shown as "خطا" with the database's message, and the
    // window stays usable.
    void guarded(const std::function<void()> &handler);

    // View options: menu check marks by name; asking before a re-read drops
    // an open edit; the re-read of the chosen account (optionally without the
    // period limit); the switch between the two sort orders.
    void setMenuChecks(std::initializer_list<std::pair<const char *, bool>> marks);
    bool mayReread();
    void rereadLedger(bool withoutPeriod);
    void switchSortOrder(bool byDueDate);
    // One choice of the form-balance or review-state group: its marks, the
    // row condition it sets, and the re-read (without the period limit or not).
    void chooseViewOption(std::initializer_list<std::pair<const char *, bool>> marks, const QString &rowCondition,
                          bool withoutPeriod);

    void applyAccountChange(bool moveFocus);
    // The re-reading part of ReturnAccounts: query, totals, layout, fill.
    void returnAccountsFrom(qint32 AccountID, LedgerViews views);
    void loadLedger(qint32 AccountID, LedgerFilter &filter, const LedgerConditions &conditions, LedgerViews views);
    // The main query read and filled in one pass, in two parts on two
    // readers where the database allows it.
    JoinedLedger readLedgerRows(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                                LedgerViews views, const LedgerFillInput &input, FlexGridStore &previous,
                                const std::function<void()> &whenLong);
    LedgerFillInput ledgerFillInput() const;
    // Editing mode back to viewing without writing anything.
    void leaveEditing();
    // Makes a data row current, selected and scrolled into view, and the
    // panel follows it.
    void showLedgerRow(int row);
    // The stored row whose edit was started, by DocumentID and RowNumber.
    struct EditedRow
    {
        qint32 documentId = 0;
        qint32 rowNumber = 0;
    };
    std::optional<EditedRow> m_editedRow;
    // The conflict report of either menu item: 0 preview, 1 printer.
    void printConflictReport(int destination);
    std::unique_ptr<QObject> m_reportComponent; // rptAccTrans
    // The account whose rows the grid holds; 0 when it holds none.
    qint32 m_shownAccountId = 0;

    QList<QObject *> m_focusWatchers; // focus-loss watchers of the number fields
    bool m_loaded = false;
    bool m_loading = false;
};
