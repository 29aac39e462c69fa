#include "outside/controls/FlexGrid.h"

#include "outside/controls/OleColor.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int DefaultColumnTwips = 975;

bool looksNumeric(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    return i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == ',');
}

int alignmentFlags(int code, std::string_view text)
{
    const int vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    switch (code) {
    case FlexGrid::AlignLeftTop:
    case FlexGrid::AlignLeftCenter:
    case FlexGrid::AlignLeftBottom:
        return Qt::AlignLeft | vertical[code % 3];
    case FlexGrid::AlignCenterTop:
    case FlexGrid::AlignCenterCenter:
    case FlexGrid::AlignCenterBottom:
        return Qt::AlignHCenter | vertical[code % 3];
    case FlexGrid::AlignRightTop:
    case FlexGrid::AlignRightCenter:
    case FlexGrid::AlignRightBottom:
        return Qt::AlignRight | vertical[code % 3];
    default:
        return (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}

// Whether a cell's text is shown cut: only when it is wider than the whole
// cell. A date or an amount that reaches into the cell's margins is still
// drawn whole, as it always was.
bool textFitsCell(const QFontMetrics &metrics, const QString &text, int cellWidth)
{
    return metrics.horizontalAdvance(text) <= cellWidth;
}

// Cuts a cell's text at its end only when it does not fit the cell at all.
class FlexGridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (textFitsCell(option->fontMetrics, option->text, option->rect.width()))
            option->textElideMode = Qt::ElideNone;
    }
};

// Draws a scroll bar's thumb as a solid block darker than its groove. In
// some styles (Fusion among them) the thumb is the light part and the groove
// the grey one, and a person reads the grey groove as the thumb: in a
// right-to-left grid that sits at the left while the first columns show.
class ScrollBarStyle : public QProxyStyle
{
public:
    ScrollBarStyle() : QProxyStyle(QApplication::style()->name()) {}

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (control != CC_ScrollBar || !bar || bar->maximum <= bar->minimum)
            return;
        const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(1, 1, -1, -1);
        if (thumb.isEmpty())
            return;
        const bool pressed = (bar->activeSubControls & SC_ScrollBarSlider) && (bar->state & State_Sunken);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(bar->palette.color(QPalette::Dark));
        painter->setBrush(bar->palette.color(pressed ? QPalette::Dark : QPalette::Mid));
        painter->drawRoundedRect(QRectF(thumb).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter->restore();
    }
};

} // namespace

// The table model over the grid's store. Data row r of the grid is model row
// r - 1; the header row is the model's horizontal header.
class FlexGridModel : public QAbstractTableModel
{
public:
    explicit FlexGridModel(FlexGrid *grid) : QAbstractTableModel(grid), m_grid(grid) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_grid->m_store.rowCount();
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_grid->m_store.colCount();
    }
    Qt::ItemFlags flags(const QModelIndex &) const override
    {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const FlexGridStore &store = m_grid->m_store;
        const int r = index.row();
        const int c = index.column();
        switch (role) {
        case Qt::DisplayRole: {
            const std::string_view text = store.text(r, c);
            return QString::fromUtf8(text.data(), qsizetype(text.size()));
        }
        case Qt::BackgroundRole: {
            const quint32 color = store.backColor(r, c);
            return color == FlexGridStore::NoColor ? QVariant() : QVariant(QBrush(OleColorToQColor(color)));
        }
        case Qt::ForegroundRole: {
            const quint32 color = store.foreColor(r, c);
            return color == FlexGridStore::NoColor ? QVariant() : QVariant(QBrush(OleColorToQColor(color)));
        }
        case Qt::TextAlignmentRole:
            return alignmentFlags(m_grid->m_alignments[std::size_t(c)], store.text(r, c));
        case Qt::ToolTipRole: {
            // The whole text of a cut cell first, then the grid's own hover text.
            QString tip;
            if (m_grid->isCellTextCut(r, c)) {
                const std::string_view text = store.text(r, c);
                tip = QString::fromUtf8(text.data(), qsizetype(text.size()));
            }
            if (!m_grid->m_toolTip.isEmpty() && m_grid->m_toolTip != tip)
                tip = tip.isEmpty() ? m_grid->m_toolTip : tip + QLatin1Char('\n') + m_grid->m_toolTip;
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_grid->m_headers.size())
            return QVariant();
        if (role == Qt::DisplayRole)
            return m_grid->m_headers[section];
        if (role == Qt::TextAlignmentRole) {
            const QByteArray text = m_grid->m_headers[section].toUtf8();
            return alignmentFlags(m_grid->m_fixedAlignments[std::size_t(section)],
                                  std::string_view(text.constData(), std::size_t(text.size())));
        }
        return QVariant();
    }

    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void beginInsert(int first, int last) { beginInsertRows(QModelIndex(), first, last); }
    void endInsert() { endInsertRows(); }
    void beginRemove(int first, int last) { beginRemoveRows(QModelIndex(), first, last); }
    void endRemove() { endRemoveRows(); }

private:
    FlexGrid *m_grid;
};

FlexGrid::FlexGrid(QWidget *parent)
    : QWidget(parent)
{
    setLayoutDirection(Qt::RightToLeft);
    QFont gridFont = font();
    // Tahoma where it exists; the Noto faces carry the Persian glyphs elsewhere.
    gridFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans Arabic"),
                          QStringLiteral("Noto Naskh Arabic")});
    gridFont.setPointSize(9);
    setFont(gridFont);

    // The original control starts with two rows and two columns.
    m_store.clearRows(2);
    m_store.setRowCount(1);
    m_headers = QStringList(2);
    m_widths.assign(2, -1);
    m_alignments.assign(2, AlignGeneral);
    m_fixedAlignments.assign(2, AlignGeneral);

    m_model = new FlexGridModel(this);
    m_view = new QTableView(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // A ledger is read by rows: a click selects the row, as a load does.
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setWordWrap(false);
    // A text wider than its cell keeps its beginning; the tool tip has the rest.
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setItemDelegate(new FlexGridDelegate(m_view));
    m_view->setCornerButtonEnabled(false);

    // Uniform row heights: the view never asks the model for a row's size.
    QHeaderView *rowsHeader = m_view->verticalHeader();
    rowsHeader->hide();
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setDefaultSectionSize(rowHeightPixels());

    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(twipsToPixels(DefaultColumnTwips));
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    // A header click is the window's to handle (it sorts); it does not select the column.
    QObject::disconnect(header, &QHeaderView::sectionPressed, m_view, nullptr);
    QObject::disconnect(header, &QHeaderView::sectionEntered, m_view, nullptr);
    connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!m_applyingLayout && logical >= 0 && std::size_t(logical) < m_widths.size()) {
            m_widths[std::size_t(logical)] = pixelsToTwips(size);
            m_headerResized = true;
        }
    });

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { takeSelectionFromView(); });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { takeSelectionFromView(); });

    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    m_view->viewport()->setMouseTracking(true);
    header->installEventFilter(this);
    m_scrollBarStyle = new ScrollBarStyle;
    m_scrollBarStyle->setParent(this);
    m_view->horizontalScrollBar()->setStyle(m_scrollBarStyle);
    m_view->verticalScrollBar()->setStyle(m_scrollBarStyle);
    header->viewport()->installEventFilter(this);
    header->setMouseTracking(true);
    header->viewport()->setMouseTracking(true);

    applyColumnLayout();
}

FlexGrid::~FlexGrid()
{
    // The table goes first: while it closes it still asks the model, which
    // reads this grid's members.
    QTableView *view = m_view;
    m_view = nullptr;
    delete view;
}

// ---- shape -------------------------------------------------------------

int FlexGrid::dataRowCount() const
{
    return m_store.rowCount();
}

int FlexGrid::FixedRows() const
{
    return m_fixedRows;
}

void FlexGrid::setFixedRows(int rows)
{
    if (rows < 0 || rows > 1)
        throw std::out_of_range("FixedRows: only one header row is supported");
    m_fixedRows = rows;
    m_view->horizontalHeader()->setVisible(rows > 0);
}

bool FlexGrid::gatherStructureChange()
{
    if (m_redraw)
        return false;
    if (!m_resetPending) {
        m_model->beginReset();
        m_resetPending = true;
    }
    return true;
}

void FlexGrid::setRows(int rows)
{
    const int wanted = std::max(rows, 1) - 1;
    const int current = dataRowCount();
    if (wanted == current)
        return;
    if (gatherStructureChange()) {
        m_store.setRowCount(wanted);
    } else if (wanted > current) {
        m_model->beginInsert(current, wanted - 1);
        m_store.setRowCount(wanted);
        m_model->endInsert();
    } else {
        m_model->beginRemove(wanted, current - 1);
        m_store.setRowCount(wanted);
        m_model->endRemove();
    }
    const int last = Rows() - 1;
    setSelection(std::min(m_row, last), m_col, std::min(m_rowSel, last), m_colSel);
}

void FlexGrid::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols == Cols())
        return;
    const bool gathered = gatherStructureChange();
    if (!gathered)
        m_model->beginReset();
    m_store.setColCount(cols);
    m_headers.resize(cols);
    m_widths.resize(std::size_t(cols), -1);
    m_alignments.resize(std::size_t(cols), AlignGeneral);
    m_fixedAlignments.resize(std::size_t(cols), AlignGeneral);
    if (!gathered) {
        m_model->endReset();
        applyColumnLayout();
    }
    const int last = std::max(cols - 1, 0);
    setSelection(m_row, std::min(m_col, last), m_rowSel, std::min(m_colSel, last));
}

// ---- current cell and selection ------------------------------------------

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw std::out_of_range("Invalid row value " + std::to_string(row));
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw std::out_of_range("Invalid column value " + std::to_string(col));
}

int FlexGrid::Row() const { return m_row; }
int FlexGrid::Col() const { return m_col; }
int FlexGrid::RowSel() const { return m_rowSel; }
int FlexGrid::ColSel() const { return m_colSel; }

void FlexGrid::setRow(int row)
{
    checkRow(row);
    setSelection(row, m_col, row, m_colSel);
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    setSelection(m_row, col, m_rowSel, col);
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    setSelection(m_row, m_col, row, m_colSel);
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    setSelection(m_row, m_col, m_rowSel, col);
}

void FlexGrid::setSelection(int row, int col, int rowSel, int colSel)
{
    if (row == m_row && col == m_col && rowSel == m_rowSel && colSel == m_colSel)
        return;
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    if (m_redraw && !m_resetPending) {
        syncViewSelection();
        emit SelChange();
    }
}

void FlexGrid::syncViewSelection(bool keepSideways)
{
    QScopedValueRollback<bool> guard(m_syncing, true);
    // Making a cell current scrolls the table to its column as well; the
    // columns the person scrolled to stay in sight (as a flex grid's current
    // cell never scrolls it), except on rows just loaded.
    QScrollBar *across = m_view->horizontalScrollBar();
    const int sideways = across->value();
    const auto keep = qScopeGuard([&] {
        if (keepSideways)
            across->setValue(sideways);
    });
    QItemSelectionModel *selection = m_view->selectionModel();
    const int rows = dataRowCount();
    if (rows == 0 || Cols() == 0) {
        selection->clear();
        return;
    }
    const int top = std::max(1, std::min(m_row, m_rowSel));
    const int bottom = std::min(rows, std::max(m_row, m_rowSel));
    if (m_row >= 1)
        selection->setCurrentIndex(m_model->index(m_row - 1, m_col), QItemSelectionModel::NoUpdate);
    else
        selection->clearCurrentIndex();
    // Whole rows, as a click selects them; Col..ColSel stays the grid's own.
    if (top <= bottom)
        selection->select(QItemSelection(m_model->index(top - 1, 0), m_model->index(bottom - 1, Cols() - 1)),
                          QItemSelectionModel::ClearAndSelect);
    else
        selection->clearSelection();
}

void FlexGrid::takeSelectionFromView()
{
    if (m_syncing || m_resetPending || !m_redraw)
        return;
    const QItemSelectionModel *selection = m_view->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row() + 1;
    const int col = current.column();
    int top = row, bottom = row;
    bool first = true;
    for (const QItemSelectionRange &range : selection->selection()) {
        top = first ? range.top() + 1 : std::min(top, range.top() + 1);
        bottom = first ? range.bottom() + 1 : std::max(bottom, range.bottom() + 1);
        first = false;
    }
    // The current row is the moving end of the selected rows; the grid's Row
    // names the end the selection started from. The person pointed at one
    // column: it is both Col and ColSel.
    int anchorRow = row;
    if (row >= top && row <= bottom)
        anchorRow = row == top ? bottom : top;
    if (anchorRow == m_row && col == m_col && row == m_rowSel && col == m_colSel)
        return;
    m_row = anchorRow;
    m_col = col;
    m_rowSel = row;
    m_colSel = col;
    emit SelChange();
}

// ---- texts ---------------------------------------------------------------

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    if (row == 0)
        return m_headers[col];
    const std::string_view text = m_store.text(row - 1, col);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    checkRow(row);
    checkCol(col);
    if (row == 0) {
        m_headers[col] = text;
        if (m_redraw && !m_resetPending)
            emit m_model->headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    m_store.setText(row - 1, col, std::string_view(utf8.constData(), std::size_t(utf8.size())));
    cellsChanged(row, row, col, col);
}

void FlexGrid::throwBadDataCell(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    throw std::out_of_range("The header row is not a data cell");
}

void FlexGrid::cellsChanged(int row0, int row1, int col0, int col1)
{
    if (!m_redraw || m_resetPending)
        return;
    emit m_model->dataChanged(m_model->index(row0 - 1, col0), m_model->index(row1 - 1, col1));
}

void FlexGrid::Clear()
{
    m_store.clearContents();
    for (QString &header : m_headers)
        header.clear();
    if (m_redraw && !m_resetPending) {
        if (dataRowCount() > 0 && Cols() > 0)
            emit m_model->dataChanged(m_model->index(0, 0), m_model->index(dataRowCount() - 1, Cols() - 1));
        if (Cols() > 0)
            emit m_model->headerDataChanged(Qt::Horizontal, 0, Cols() - 1);
    }
}

// ---- colours -------------------------------------------------------------

quint32 FlexGrid::CellBackColor() const
{
    if (m_row < 1 || m_row >= Rows() || m_col >= Cols())
        return OleColors::SystemWindowBackground;
    const quint32 color = m_store.backColor(m_row - 1, m_col);
    return color == FlexGridStore::NoColor ? OleColors::SystemWindowBackground : color;
}

quint32 FlexGrid::CellForeColor() const
{
    if (m_row < 1 || m_row >= Rows() || m_col >= Cols())
        return OleColors::SystemWindowText;
    const quint32 color = m_store.foreColor(m_row - 1, m_col);
    return color == FlexGridStore::NoColor ? OleColors::SystemWindowText : color;
}

quint32 FlexGrid::cellBackColorAt(int row, int col) const
{
    checkDataCell(row, col);
    const quint32 color = m_store.backColor(row - 1, col);
    return color == FlexGridStore::NoColor ? OleColors::SystemWindowBackground : color;
}

quint32 FlexGrid::cellForeColorAt(int row, int col) const
{
    checkDataCell(row, col);
    const quint32 color = m_store.foreColor(row - 1, col);
    return color == FlexGridStore::NoColor ? OleColors::SystemWindowText : color;
}

void FlexGrid::setCellBackColor(quint32 ole)
{
    const int top = std::max(1, std::min(m_row, m_rowSel));
    const int bottom = std::min(Rows() - 1, std::max(m_row, m_rowSel));
    const int left = std::min(m_col, m_colSel);
    const int right = std::min(Cols() - 1, std::max(m_col, m_colSel));
    if (top > bottom || left > right)
        return;
    m_store.setBackColor(top - 1, bottom - 1, left, right, ole);
    cellsChanged(top, bottom, left, right);
}

void FlexGrid::setCellForeColor(quint32 ole)
{
    const int top = std::max(1, std::min(m_row, m_rowSel));
    const int bottom = std::min(Rows() - 1, std::max(m_row, m_rowSel));
    const int left = std::min(m_col, m_colSel);
    const int right = std::min(Cols() - 1, std::max(m_col, m_colSel));
    if (top > bottom || left > right)
        return;
    m_store.setForeColor(top - 1, bottom - 1, left, right, ole);
    cellsChanged(top, bottom, left, right);
}

// ---- columns -------------------------------------------------------------

int FlexGrid::twipsToPixels(int twips) const
{
    return qRound(double(twips) * logicalDpiX() / 1440.0);
}

int FlexGrid::pixelsToTwips(int pixels) const
{
    return qRound(double(pixels) * 1440.0 / logicalDpiX());
}

int FlexGrid::rowHeightPixels() const
{
    return fontMetrics().height() + 4;
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    const int twips = m_widths[std::size_t(col)];
    return twips >= 0 ? twips : DefaultColumnTwips;
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    m_widths[std::size_t(col)] = std::max(twips, -1);
    if (!m_resetPending) {
        QScopedValueRollback<bool> guard(m_applyingLayout, true);
        applyColumnWidth(col);
    }
}

void FlexGrid::applyColumnLayout()
{
    QScopedValueRollback<bool> guard(m_applyingLayout, true);
    for (int c = 0; c < Cols(); ++c)
        applyColumnWidth(c);
}

void FlexGrid::applyColumnWidth(int col)
{
    const int twips = m_widths[std::size_t(col)];
    if (twips == 0) {
        m_view->setColumnHidden(col, true);
        return;
    }
    m_view->setColumnHidden(col, false);
    m_view->horizontalHeader()->resizeSection(col, twipsToPixels(twips < 0 ? DefaultColumnTwips : twips));
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_alignments[std::size_t(col)];
}

void FlexGrid::setColAlignment(int col, int code)
{
    checkCol(col);
    m_alignments[std::size_t(col)] = std::clamp(code, 0, int(AlignGeneral));
    if (m_redraw && !m_resetPending && dataRowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, col), m_model->index(dataRowCount() - 1, col));
}

int FlexGrid::ColAlignmentFixed(int col) const
{
    checkCol(col);
    return m_fixedAlignments[std::size_t(col)];
}

void FlexGrid::setColAlignmentFixed(int col, int code)
{
    checkCol(col);
    m_fixedAlignments[std::size_t(col)] = std::clamp(code, 0, int(AlignGeneral));
    if (m_redraw && !m_resetPending)
        emit m_model->headerDataChanged(Qt::Horizontal, col, col);
}

int FlexGrid::ColPos(int col) const
{
    checkCol(col);
    // Sum of the sections before this one in visual order; a hidden column
    // sits, with no width, where its neighbours meet.
    const QHeaderView *header = m_view->horizontalHeader();
    const int visual = header->visualIndex(col);
    int before = 0;
    for (int v = 0; v < visual; ++v) {
        const int logical = header->logicalIndex(v);
        if (!header->isSectionHidden(logical))
            before += header->sectionSize(logical);
    }
    const int size = header->isSectionHidden(col) ? 0 : header->sectionSize(col);
    const int offsetPosition = before - header->offset();
    const int x = header->isRightToLeft() ? header->viewport()->width() - (offsetPosition + size) : offsetPosition;
    return pixelsToTwips(header->viewport()->mapTo(this, QPoint(x, 0)).x());
}

// ---- painting switch, order, scrolling -------------------------------------

bool FlexGrid::Redraw() const
{
    return m_redraw;
}

void FlexGrid::setRedraw(bool on)
{
    if (!on) {
        if (m_redraw) {
            m_topRow = TopRow();
            m_redraw = false;
            m_view->setUpdatesEnabled(false);
        }
        return;
    }
    // Painting on while it is on: the rows the person scrolled to since stay.
    if (m_redraw && !m_resetPending)
        m_topRow = TopRow();
    m_redraw = true;
    const bool reset = m_resetPending;
    if (m_resetPending) {
        m_resetPending = false;
        m_model->endReset();
        applyColumnLayout();
    }
    m_view->setUpdatesEnabled(true);
    syncViewSelection(!reset);
    setTopRow(std::clamp(m_topRow, 1, std::max(1, Rows() - 1)));
    m_view->viewport()->update();
    m_view->horizontalHeader()->viewport()->update();
}

void FlexGrid::Sort(int code)
{
    m_store.sort(std::min(m_col, m_colSel), std::max(m_col, m_colSel), code);
    if (m_redraw && !m_resetPending && dataRowCount() > 0 && Cols() > 0)
        emit m_model->dataChanged(m_model->index(0, 0), m_model->index(dataRowCount() - 1, Cols() - 1));
}

void FlexGrid::RemoveItem(int row)
{
    if (row < 1 || row >= Rows())
        throw std::out_of_range("RemoveItem: invalid row " + std::to_string(row));
    if (gatherStructureChange()) {
        m_store.removeRow(row - 1);
    } else {
        m_model->beginRemove(row - 1, row - 1);
        m_store.removeRow(row - 1);
        m_model->endRemove();
    }
    const int last = Rows() - 1;
    setSelection(std::min(m_row, last), m_col, std::min(m_rowSel, last), m_colSel);
}

void FlexGrid::RemoveRows(const std::vector<bool> &drop)
{
    std::vector<bool> dataRows(drop.size() > 1 ? drop.begin() + 1 : drop.end(), drop.end());
    const bool gathered = gatherStructureChange();
    if (!gathered)
        m_model->beginReset();
    m_store.removeRows(dataRows);
    const int last = Rows() - 1;
    if (gathered) {
        setSelection(std::min(m_row, last), m_col, std::min(m_rowSel, last), m_colSel);
        return;
    }
    m_model->endReset();
    applyColumnLayout();
    const bool moved = m_row > last || m_rowSel > last;
    setSelection(std::min(m_row, last), m_col, std::min(m_rowSel, last), m_colSel);
    // The reset cleared the view's selection; an unchanged block is shown again.
    if (!moved)
        syncViewSelection(false);
}

int FlexGrid::TopRow() const
{
    if (!m_redraw || m_resetPending)
        return m_topRow;
    const int row = m_view->rowAt(0);
    return row < 0 ? 1 : row + 1;
}

void FlexGrid::setTopRow(int row)
{
    m_topRow = std::max(row, 1);
    if (!m_redraw || m_resetPending || dataRowCount() == 0)
        return;
    QScrollBar *bar = m_view->verticalScrollBar();
    const int index = std::min(m_topRow, dataRowCount()) - 1;
    bar->setValue(m_view->verticalScrollMode() == QAbstractItemView::ScrollPerItem
                      ? index : index * m_view->verticalHeader()->defaultSectionSize());
}

void FlexGrid::ShowRow(int row)
{
    if (row < 1 || row >= Rows())
        throw std::out_of_range("ShowRow: invalid row " + std::to_string(row));
    setSelection(row, m_col, row, m_colSel);
    const int top = TopRow();
    const int rowsInSight = std::max(1, m_view->viewport()->height() / m_view->verticalHeader()->defaultSectionSize());
    if (row < top)
        setTopRow(row);
    else if (row >= top + rowsInSight)
        setTopRow(row - rowsInSight + 1);
}

int FlexGrid::MouseRow() const { return m_mouseRow; }
int FlexGrid::MouseCol() const { return m_mouseCol; }

QString FlexGrid::ToolTipText() const
{
    return m_toolTip;
}

void FlexGrid::setToolTipText(const QString &text)
{
    m_toolTip = text;
}

QTableView *FlexGrid::view() const
{
    return m_view;
}

quint64 FlexGrid::storeBytes() const
{
    return m_store.bytesUsed();
}

// ---- streamed load ---------------------------------------------------------

void FlexGrid::beginRows(int columnCount)
{
    if (!gatherStructureChange())
        m_model->beginReset();
    m_store.clearRowsKeepingStorage(columnCount);
    m_headers.resize(columnCount);
    m_widths.resize(std::size_t(columnCount), -1);
    m_alignments.resize(std::size_t(columnCount), AlignGeneral);
    m_fixedAlignments.resize(std::size_t(columnCount), AlignGeneral);
}

void FlexGrid::appendRow(const std::string_view *cells, int count)
{
    m_store.appendRow(cells, count);
}

void FlexGrid::swapRows(FlexGridStore &rows)
{
    if (!gatherStructureChange())
        m_model->beginReset();
    std::swap(m_store, rows);
    const int columnCount = m_store.colCount();
    m_headers.resize(columnCount);
    m_widths.resize(std::size_t(columnCount), -1);
    m_alignments.resize(std::size_t(columnCount), AlignGeneral);
    m_fixedAlignments.resize(std::size_t(columnCount), AlignGeneral);
    endRows();
}

void FlexGrid::endRows()
{
    m_store.releaseSpares();
    // A bound grid starts on its first data row.
    const int row = dataRowCount() > 0 ? 1 : 0;
    m_row = m_rowSel = row;
    m_col = m_colSel = 0;
    m_topRow = 1;
    if (m_resetPending)
        return; // finished when Redraw is switched on
    m_model->endReset();
    applyColumnLayout();
    syncViewSelection(false);
}

bool FlexGrid::isCellTextCut(int modelRow, int col) const
{
    if (!m_view || m_view->isColumnHidden(col))
        return false;
    const std::string_view text = m_store.text(modelRow, col);
    if (text.empty())
        return false;
    return !textFitsCell(m_view->fontMetrics(), QString::fromUtf8(text.data(), qsizetype(text.size())),
                         m_view->columnWidth(col));
}

// ---- pointer and keys -------------------------------------------------------

void FlexGrid::trackMouse(QObject *watched, const QPoint &position)
{
    QHeaderView *header = m_view->horizontalHeader();
    if (watched == header || watched == header->viewport()) {
        m_mouseRow = 0;
        m_mouseCol = header->logicalIndexAt(position);
        return;
    }
    const int row = m_view->rowAt(position.y());
    m_mouseRow = row < 0 ? -1 : row + 1;
    m_mouseCol = m_view->columnAt(position.x());
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_view)
        return false;
    QHeaderView *header = m_view->horizontalHeader();
    const bool onCells = watched == m_view->viewport();
    const bool onHeader = watched == header->viewport() || watched == header;
    if (onCells || onHeader) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            trackMouse(watched, mouse->position().toPoint());
            emit MouseMove(mouse->buttons(), mouse->modifiers(),
                           static_cast<QWidget *>(watched)->mapTo(this, mouse->position().toPoint()));
            break;
        }
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            trackMouse(watched, mouse->position().toPoint());
            m_headerResized = false;
            emit MouseDown(mouse->button(), mouse->modifiers(),
                           static_cast<QWidget *>(watched)->mapTo(this, mouse->position().toPoint()));
            if (mouse->button() == Qt::RightButton)
                return true; // keep the user's selection for the context menu
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            trackMouse(watched, mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && !(onHeader && m_headerResized))
                emit Click();
            break;
        }
        case QEvent::MouseButtonDblClick: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            trackMouse(watched, mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton)
                emit DblClick();
            break;
        }
        default:
            break;
        }
    } else if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        emit KeyDown(key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}
