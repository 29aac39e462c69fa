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
#include <initializer_list>

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

const ControlPlacement &designed(const char *name)
{
    const QList<ControlPlacement> &layout = LedgerWindowLayout();
    const auto found = std::find_if(layout.begin(), layout.end(),
                                    [name](const ControlPlacement &p) { return qstrcmp(p.name, name) == 0; });
    Q_ASSERT_X(found != layout.end(), "designed", name);
    return *found;
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
    const int barWidth = PixelsToTwips(FrameSearchDetail->width());
    const int gridOffset = PixelsToTwips(flxAccount->x() - FrameSearchDetail->x());

    auto place = [](QWidget *control, int left, int width) {
        control->setGeometry(TwipsToPixels(left), control->y(), TwipsToPixels(width), control->height());
    };
    auto centreAbove = [](QWidget *label, const QWidget *field) {
        label->move(field->x() + (field->width() - label->width()) / 2, label->y());
    };

    // The date keeps its designed distance from the bar's right edge, where
    // the grid's date columns are.
    const ControlPlacement &bar = designed("FrameSearchDetail");
    for (const char *name : {"Label6", "DateSearch"}) {
        const ControlPlacement &design = designed(name);
        place(Controls.value(QLatin1String(name)), barWidth - (bar.width - design.left), design.width);
    }

    if (flxAccount->Cols() <= LedgerCol::CreditBalance)
        return; // no ledger columns yet (before start-up has set up the grid)

    // Over their columns, cut to the part inside the bar and left of the
    // date. A column scrolled out of sight or hidden leaves its field at the
    // nearest place inside, at a width that can still be typed in. Fields
    // are placed right to left, so none slides under the one to its right.
    int room = PixelsToTwips(DateSearch->x()) - 60;
    auto fit = [&room](int left, int width) {
        int right = std::min(left + width, room);
        left = std::max(left, 0);
        if (right - left < NarrowestSearchField) {
            left = std::max(0, std::min(left, room - NarrowestSearchField));
            right = left + NarrowestSearchField;
        }
        room = left;
        return std::pair {left, right - left};
    };

    const auto [descLeft, descWidth] = fit(gridOffset + flxAccount->ColPos(LedgerCol::Description),
                                           flxAccount->ColWidth(LedgerCol::Description));
    place(txtAccDescSearch, descLeft, descWidth);
    const auto [priceLeft, priceWidth] = fit(gridOffset + flxAccount->ColPos(LedgerCol::Credit),
                                             flxAccount->ColWidth(LedgerCol::Credit) + flxAccount->ColWidth(LedgerCol::Debit));
    place(txtPriceSearch, priceLeft, priceWidth);
    centreAbove(Controls.value(QStringLiteral("lblDescSearch")), txtAccDescSearch);
    centreAbove(Controls.value(QStringLiteral("lblPriceSearch")), txtPriceSearch);

    // cmdOkey follows cmdCancel 20 twips to its right; the pair moves left
    // as one when the amount field leaves them too little room.
    const int cancelWidth = PixelsToTwips(cmdCancel->width());
    const int okeyWidth = PixelsToTwips(cmdOkey->width());
    const int cancelLeft = std::clamp(gridOffset + flxAccount->ColPos(LedgerCol::CreditBalance), 0,
                                      std::max(room - (cancelWidth + 20 + okeyWidth), 0));
    place(cmdCancel, cancelLeft, cancelWidth);
    place(cmdOkey, cancelLeft + cancelWidth + 20, okeyWidth);
}
