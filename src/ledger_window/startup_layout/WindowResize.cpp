// The window layout on a size change: controls follow the change of the
// window's size since the recorded size.
//
// Every rule adds a share of the change in width (dw) or height (dh) to a
// control's position or size, in twips. Two things keep repeated resizes
// from drifting:
// - A control's twips geometry is kept as the layout computed it (a dynamic
//   property of the widget). Pixels hold a twip value only to within half a
//   pixel, and Qt keeps no negative sizes, so starting each time from the
//   pixels would lose a little on every step and everything a too-small
//   window squeezed below nothing. The kept value is used only while the
//   widget still has the pixel geometry the layout gave it; when other code
//   has moved or resized it since, its pixels are the new starting point.
// - The shares dw/7 and dw/2 are taken as differences of whole shares of
//   the two widths, floor(k*new/7) - floor(k*recorded/7), so the rounding of
//   one step is given back by the next and a window resized in many small
//   steps ends where a single step puts it.

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"

#include <QFrame>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <utility>

namespace {

// At or below this size in either direction (twips) the window is being
// minimised or squeezed: the layout leaves everything as it is.
constexpr int SmallestLaidOutSize = 5000;

// The command bar: positions k = 0..6 from the left.
constexpr const char *BarButtons[] = {"cmdPeriod", "cmdTools", "cmdFunc", "cmdReset", "cmdEsc", "cmdSave", "cmdEdit"};

// The filters stay centred over the window.
constexpr const char *Centred[] = {"sltAccount", "gbObjects", "lbl2", "chkiOpening", "chkCombinPeriod",
                                   "dtpFromDate", "dtpToDate", "lbl20", "lbl21", "chkMix", "Label4",
                                   "Label3", "txtCodeFrom", "txtCodeTo",
                                   // The branch selector stands on the row of the period options,
                                   // between chkiOpening and chkMix: it moves with them, or chkMix
                                   // would slide over it.
                                   "sltBranch"};

// The edit panel and the credit-limit row keep their place at the right edge.
constexpr const char *AtRightEdge[] = {"dtpCreateDate", "Label5", "Label1", "Label2", "txtMaxDebit_Credit",
                                       "txtRemMaxDebit_Credit", "lbl10", "lbl11", "lbl13", "cmbDocumentType",
                                       "mptContract", "txtAdditionalFormSpec", "lblMessage", "lbl89",
                                       // The due date stands between txtAdditionalFormSpec and lbl89,
                                       // the cost centre between lblMessage and Label5: the rows move
                                       // whole, so their right-edge neighbours never run into them.
                                       "lbl12", "dtpTrans", "lblContract", "mptPosition"};

constexpr const char *Stretched[] = {"txtSum", "txtSumToDay", "frmRemained", "frmRemainedtoday", "ProgressBar",
                                     "Frm7", "txtDescription"};

constexpr const char *AtBottomEdge[] = {"frmRemained", "frmRemainedtoday", "ProgressBar", "Frm7", "lblMessage",
                                        // The edit panel's rows lie between the grid and the totals:
                                        // they go down with the totals so the growing grid never
                                        // covers them.
                                        "lbl10", "cmbDocumentType", "lbl11", "txtAdditionalFormSpec", "lbl12",
                                        "dtpTrans", "lbl89", "mptContract", "lbl13", "txtDescription", "lbl88",
                                        "txtFormType", "txtFormID", "cmdFormID", "lblContract", "mptPosition",
                                        "Label5", "dtpCreateDate", "dtpDate"};

constexpr char TwipsProperty[] = "layoutTwips";     // QRect in twips, as last computed
constexpr char AppliedProperty[] = "layoutApplied"; // QRect in pixels, as Qt kept it

QRect pixelsToTwips(const QRect &pixels)
{
    return QRect(PixelsToTwips(pixels.x()), PixelsToTwips(pixels.y()), PixelsToTwips(pixels.width()),
                 PixelsToTwips(pixels.height()));
}

// The controls' geometry in twips while one layout pass changes it; written
// back to the widgets once, at the end.
class TwipsGeometry
{
public:
    explicit TwipsGeometry(const QHash<QString, QWidget *> &controls) : m_controls(controls) {}

    QRect &operator[](const char *name)
    {
        QWidget *control = m_controls.value(QLatin1String(name));
        Q_ASSERT_X(control, "TwipsGeometry", name);
        auto found = m_geometry.find(control);
        if (found == m_geometry.end())
            found = m_geometry.insert(control, startingGeometry(control));
        return *found;
    }

    void apply() const
    {
        for (auto it = m_geometry.cbegin(); it != m_geometry.cend(); ++it) {
            QWidget *control = it.key();
            const QRect &twips = it.value();
            // A size squeezed below nothing shows as nothing; the twips keep
            // the negative size, so growing back restores it exactly.
            control->setGeometry(TwipsToPixels(twips.x()), TwipsToPixels(twips.y()),
                                 std::max(0, TwipsToPixels(twips.width())), std::max(0, TwipsToPixels(twips.height())));
            control->setProperty(TwipsProperty, twips);
            control->setProperty(AppliedProperty, control->geometry());
        }
    }

private:
    static QRect startingGeometry(const QWidget *control)
    {
        const QVariant kept = control->property(TwipsProperty);
        if (kept.isValid() && control->property(AppliedProperty).toRect() == control->geometry())
            return kept.toRect();
        return pixelsToTwips(control->geometry());
    }

    const QHash<QString, QWidget *> &m_controls;
    QHash<QWidget *, QRect> m_geometry;
};

// k/n of a size, rounded down; sizes here are positive.
int share(int size, int k, int n)
{
    return int(qint64(size) * k / n);
}

// The growth of a k/n share when the size goes from `before` to `after`.
int shareGrowth(int before, int after, int k, int n)
{
    return share(after, k, n) - share(before, k, n);
}

// The narrowest a search field gets, so that a hidden column still leaves a
// field the user can type in.
constexpr int NarrowestSearchField = 600;

} // namespace

void frmAccountDetails::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmAccountDetails::Form_Resize()
{
    // The window sizes itself before start-up has built its controls' state
    // and recorded the size; there is nothing to follow until then.
    if (RecordedWidth <= 0 || RecordedHeight <= 0)
        return;
    const int newWidth = PixelsToTwips(width());
    const int newHeight = PixelsToTwips(height());
    if (newWidth <= SmallestLaidOutSize || newHeight <= SmallestLaidOutSize)
        return;
    const int dw = newWidth - RecordedWidth;
    const int dh = newHeight - RecordedHeight;

    TwipsGeometry twips(Controls);

    // The seven buttons share the bar's growth equally.
    twips["Frm11"].setWidth(twips["Frm11"].width() + dw);
    const int buttonGrowth = shareGrowth(RecordedWidth, newWidth, 1, 7);
    for (int k = 0; k < 7; ++k) {
        QRect &button = twips[BarButtons[k]];
        button.moveLeft(button.left() + shareGrowth(RecordedWidth, newWidth, k, 7));
        button.setWidth(button.width() + buttonGrowth);
    }

    QRect &grid = twips["flxAccount"];
    grid.setSize(QSize(grid.width() + dw, grid.height() + dh));

    const int halfGrowth = shareGrowth(RecordedWidth, newWidth, 1, 2);
    for (const char *name : Centred)
        twips[name].translate(halfGrowth, 0);
    for (const char *name : AtRightEdge)
        twips[name].translate(dw, 0);
    for (const char *name : Stretched)
        twips[name].setWidth(twips[name].width() + dw);
    for (const char *name : AtBottomEdge)
        twips[name].translate(0, dh);

    twips.apply();
    alignSearchBar();

    RecordedWidth = newWidth;
    RecordedHeight = newHeight;
}

void frmAccountDetails::alignSearchBar()
{
    // The bar is as wide as the grid and stands at its left, so the grid's
    // column positions hold inside the bar.
    FrameSearchDetail->resize(flxAccount->width(), FrameSearchDetail->height());
    if (flxAccount->Cols() <= LedgerCol::CreditBalance)
        return; // no ledger columns yet

    const int gridOffset = PixelsToTwips(flxAccount->x() - FrameSearchDetail->x());
    auto leftOf = [&](int col) { return gridOffset + flxAccount->ColPos(col); };
    auto rightOf = [&](int col) { return leftOf(col) + flxAccount->ColWidth(col); };

    // Each field over its columns, cut to the part inside the bar. A column
    // scrolled out of sight or hidden leaves its field at the nearest place
    // inside, as wide as it must be to be typed in. Fields are placed right
    // to left, each left of the one before and leaving what the fields
    // further left need at least, so none slides under another while the
    // bar has room for all.
    const int cancelWidth = PixelsToTwips(cmdCancel->width());
    const int buttonsWidth = cancelWidth + 20 + PixelsToTwips(cmdOkey->width());
    int room = PixelsToTwips(FrameSearchDetail->width() - FrameSearchDetail->frameWidth());
    auto fit = [&room](int left, int right, int narrowest, int keptLeft) {
        right = std::min(right, room);
        left = std::max({left, std::min(keptLeft, room - narrowest), 0});
        if (right - left < narrowest) {
            left = std::clamp(left, 0, std::max(room - narrowest, 0));
            right = left + narrowest;
        }
        room = left;
        return std::pair {left, right};
    };
    // Placed by their edges, so fields that meet in twips meet in pixels.
    auto place = [](QWidget *field, std::pair<int, int> edges) {
        const int left = TwipsToPixels(edges.first);
        field->setGeometry(left, field->y(), TwipsToPixels(edges.second) - left, field->height());
    };
    // Labels stand in the row above the fields, centred over their field.
    QWidget *const descriptionLabel = Controls.value(QStringLiteral("lblDescSearch"));
    auto centreAbove = [descriptionLabel](QWidget *label, const QWidget *field) {
        label->setGeometry(field->x() + (field->width() - label->width()) / 2, descriptionLabel->y(), label->width(),
                           descriptionLabel->height());
    };

    // The date over the columns right of the description: the document
    // number and the date it searches, at least as wide as a date needs.
    place(DateSearch, fit(rightOf(LedgerCol::Description), rightOf(LedgerCol::AccTransCode),
                          PixelsToTwips(DateSearch->minimumSizeHint().width()), buttonsWidth + 2 * NarrowestSearchField));
    place(txtAccDescSearch, fit(leftOf(LedgerCol::Description), rightOf(LedgerCol::Description), NarrowestSearchField,
                                buttonsWidth + NarrowestSearchField));
    // The amount over the credit and the debit column together.
    const int amountLeft = leftOf(LedgerCol::Credit);
    place(txtPriceSearch, fit(amountLeft,
                              amountLeft + flxAccount->ColWidth(LedgerCol::Credit) + flxAccount->ColWidth(LedgerCol::Debit),
                              NarrowestSearchField, buttonsWidth));
    centreAbove(Controls.value(QStringLiteral("Label6")), DateSearch);
    centreAbove(descriptionLabel, txtAccDescSearch);
    centreAbove(Controls.value(QStringLiteral("lblPriceSearch")), txtPriceSearch);

    // cmdCancel over the credit-balance column and cmdOkey 20 twips to its
    // right; the pair moves left as one when the amount leaves too little room.
    const int cancelLeft = std::clamp(leftOf(LedgerCol::CreditBalance), 0, std::max(room - buttonsWidth, 0));
    cmdCancel->move(TwipsToPixels(cancelLeft), cmdCancel->y());
    cmdOkey->move(TwipsToPixels(cancelLeft + cancelWidth + 20), cmdOkey->y());
}
