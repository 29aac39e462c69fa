#pragma once
// The ledger grid: a right-to-left table with the MSHFlexGrid-like operations
// the ledger window uses (rows, columns, current cell and selection block,
// texts, cell colours, widths in twips, sort codes, redraw switch, row
// removal). Row 0 is the header row, shown as the table's column header;
// data rows are 1 to Rows() - 1. Texts live in a compact store (see
// FlexGridStore) so that a ledger of a million rows stays small and the view
// only ever asks for the cells it shows.
//
// Colours are OLE colours (see OleColor.h). Cell colours act on the selected
// block Row..RowSel x Col..ColSel of data rows; the getters read the current
// cell, and a cell without a colour of its own reads as the grid's default
// (window background, window text).
//
// The table always shows whole rows selected, Row..RowSel, whether the block
// was set by code (Col..ColSel still bound what the colour setters and Sort
// act on) or chosen with the mouse or keys (then Col and ColSel are the
// column clicked). A text wider than its cell is cut at its end (the left,
// right to left) and the cell's tool tip holds the whole text, above the
// grid's own ToolTipText.
//
// Signals follow the original control: SelChange whenever the current cell or
// the selection block changes, by the user or by code, but only while Redraw
// is on; Click and DblClick for the left button on cells and on the header
// (MouseRow() is 0 there; dragging a column border is no click); MouseDown,
// MouseMove and KeyDown before the table handles the event. A right-button
// press does not move the selection, so a context menu acts on the rows the
// user selected. The user may widen columns; ColWidth follows.
//
// Invalid row or column numbers throw std::out_of_range, as the original
// control raises an error for them.

#include "outside/controls/FlexGridStore.h"
#include "session/RowSink.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <string_view>
#include <vector>

class QStyle;
class QTableView;
class FlexGridModel;

class FlexGrid : public QWidget, public RowSink
{
    Q_OBJECT

public:
    // MSHFlexGrid alignment codes (ColAlignment, ColAlignmentFixed).
    enum Alignment {
        AlignLeftTop = 0, AlignLeftCenter, AlignLeftBottom,
        AlignCenterTop, AlignCenterCenter, AlignCenterBottom,
        AlignRightTop, AlignRightCenter, AlignRightBottom,
        AlignGeneral // texts left, numbers right
    };
    // MSHFlexGrid sort codes (Sort).
    enum SortCode {
        SortNone = 0,
        SortGenericAscending = 1, SortGenericDescending = 2,
        SortNumericAscending = 3, SortNumericDescending = 4,
        SortStringNoCaseAscending = 5, SortStringNoCaseDescending = 6,
        SortStringAscending = 7, SortStringDescending = 8
    };

    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    int Rows() const { return m_store.rowCount() + 1; }
    void setRows(int rows);          // at least FixedRows(); new rows are empty
    int Cols() const { return m_store.colCount(); }
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows);     // 0 or 1: one header row at most; 0 hides it

    int Row() const;
    void setRow(int row);            // also collapses RowSel to row
    int Col() const;
    void setCol(int col);            // also collapses ColSel to col
    int RowSel() const;
    void setRowSel(int row);
    int ColSel() const;
    void setColSel(int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    // Fast paths over the data cells of TextMatrix (rows 1 and up), in UTF-8.
    // The view stays valid until that cell is written again or the rows are
    // reloaded.
    std::string_view cellUtf8(int row, int col) const
    {
        checkDataCell(row, col);
        return m_store.text(row - 1, col);
    }
    void setCellUtf8(int row, int col, std::string_view utf8)
    {
        checkDataCell(row, col);
        m_store.setText(row - 1, col, utf8);
        if (m_redraw && !m_resetPending)
            cellsChanged(row, row, col, col);
    }

    quint32 CellBackColor() const;
    void setCellBackColor(quint32 ole);
    quint32 CellForeColor() const;
    void setCellForeColor(quint32 ole);
    // The colours of any data cell, read as CellBackColor and CellForeColor
    // would with that cell current, but without moving the current cell (and
    // so without SelChange): for checks that walk every row.
    quint32 cellBackColorAt(int row, int col) const;
    quint32 cellForeColorAt(int row, int col) const;

    int ColWidth(int col) const;             // twips; -1 = default width
    void setColWidth(int col, int twips);    // 0 hides the column
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    int ColAlignmentFixed(int col) const;    // alignment of the header cell
    void setColAlignmentFixed(int col, int code);
    // Left edge of a column in twips from the grid's left edge, as laid out
    // right to left and scrolled.
    int ColPos(int col) const;

    bool Redraw() const;
    // Off: nothing is repainted and no per-cell or selection signal is sent;
    // row insertions and removals are gathered into one model reset.
    // On: the table is brought up to date and repainted once.
    void setRedraw(bool on);

    void Sort(int code);             // every data row, by the columns Col..ColSel
    int TopRow() const;
    void setTopRow(int row);
    // Makes data row `row` the current and only selected row (Col and ColSel
    // stay) and scrolls it into sight if it is not, vertically only. For the
    // row just saved or found. Throws std::out_of_range for the header row or
    // a row beyond the grid.
    void ShowRow(int row);
    int MouseRow() const;            // cell under the pointer; -1 outside the cells
    int MouseCol() const;
    void RemoveItem(int row);
    // Removes every data row r with drop[r] set (drop[0] stands for the
    // header and is ignored) at once: one pass and one model reset, where
    // RemoveItem row by row would be quadratic on a long grid.
    void RemoveRows(const std::vector<bool> &drop);
    // Empties every text (header row included) and every cell colour; the
    // numbers of rows and columns stay.
    void Clear();

    // The hover text shown over the data cells.
    QString ToolTipText() const;
    void setToolTipText(const QString &text);

    // Row height in pixels of every row.
    int rowHeightPixels() const;
    QTableView *view() const;
    // Memory of the cell store, for the benchmarks.
    quint64 storeBytes() const;

    // RowSink: a query result streamed straight into the store. beginRows
    // drops the data rows and sets Cols; endRows leaves Rows = 1 + the rows
    // appended. The whole load is one model reset.
    void beginRows(int columnCount) override;
    void appendRow(const std::string_view *cells, int count) override;
    void endRows() override;
    // Rows filled apart (on another thread, say) become the data rows, as a
    // streamed load would leave them: Cols from the store, one model reset,
    // the first data row current. The rows the grid held go back in `rows`.
    void swapRows(FlexGridStore &rows);

signals:
    void SelChange();
    void Click();
    void DblClick();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class FlexGridModel;

    void checkRow(int row) const;
    void checkCol(int col) const;
    void checkDataCell(int row, int col) const
    {
        if (row < 1 || row > m_store.rowCount() || col < 0 || col >= m_store.colCount()) [[unlikely]]
            throwBadDataCell(row, col);
    }
    [[noreturn]] void throwBadDataCell(int row, int col) const;
    int dataRowCount() const;
    void setSelection(int row, int col, int rowSel, int colSel);
    // Row insertions and removals: true when they are gathered (Redraw off).
    bool gatherStructureChange();
    void applyColumnLayout();
    void applyColumnWidth(int col);
    void syncViewSelection(bool keepSideways = true);
    void takeSelectionFromView();
    void cellsChanged(int row0, int row1, int col0, int col1);
    void trackMouse(QObject *watched, const QPoint &position);
    // True when the text of a data cell (model row, column) is wider than
    // the room its column gives it.
    bool isCellTextCut(int modelRow, int col) const;
    int twipsToPixels(int twips) const;
    int pixelsToTwips(int pixels) const;

    FlexGridStore m_store;
    FlexGridModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QStyle *m_scrollBarStyle = nullptr; // a darker thumb, see FlexGrid.cpp

    QStringList m_headers;
    std::vector<int> m_widths;          // twips; -1 default
    std::vector<int> m_alignments;
    std::vector<int> m_fixedAlignments;
    int m_fixedRows = 1;
    int m_row = 1, m_col = 0, m_rowSel = 1, m_colSel = 0;
    int m_topRow = 1;
    int m_mouseRow = -1, m_mouseCol = -1;
    bool m_redraw = true;
    bool m_resetPending = false;        // a model reset begun while Redraw was off
    bool m_syncing = false;             // the grid itself is moving the view's selection
    bool m_applyingLayout = false;
    bool m_headerResized = false;       // the user dragged a column border since the last press
    QString m_toolTip;
};
