#include "outside/controls/LookupDialog.h"

#include "outside/controls/LookupTexts.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int IdRole = Qt::UserRole + 1;
constexpr int FoldedRole = Qt::UserRole + 2; // code and name as matched by the filter

// Keeps a row when its code or name contains the filter text, compared in
// the folded form so that Persian and Arabic letter variants and digits
// match each other.
class FoldingFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFilterText(const QString &text)
    {
        m_folded = LookupFoldText(text.trimmed());
        invalidateFilter();
    }
    bool matchesOwnText(const QModelIndex &sourceIndex) const
    {
        return m_folded.isEmpty()
            || sourceIndex.siblingAtColumn(0).data(FoldedRole).toString().contains(m_folded);
    }
    bool isFiltering() const { return !m_folded.isEmpty(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override
    {
        return matchesOwnText(sourceModel()->index(sourceRow, 0, sourceParent));
    }

private:
    QString m_folded;
};

FoldingFilter *folding(QSortFilterProxyModel *proxy)
{
    return static_cast<FoldingFilter *>(proxy);
}

// Rows in the order a person expects codes: "9" before "10" (numbers of any
// length compared by value), numeric codes before other codes, which go as text.
QList<qsizetype> naturalOrder(const QList<LookupRow> &rows)
{
    struct Key
    {
        bool number;
        QString text; // digits without leading zeros, or the folded code
    };
    QList<Key> keys;
    keys.reserve(rows.size());
    for (const LookupRow &row : rows) {
        Key key{false, LookupFoldText(row.code.trimmed())};
        key.number = !key.text.isEmpty()
            && std::all_of(key.text.begin(), key.text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (key.number) {
            qsizetype zeros = 0;
            while (zeros + 1 < key.text.size() && key.text.at(zeros) == QLatin1Char('0'))
                ++zeros;
            key.text.remove(0, zeros);
        }
        keys.append(std::move(key));
    }
    QList<qsizetype> order(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        order[i] = i;
    QCollator collator;
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const Key &x = keys[a];
        const Key &y = keys[b];
        if (x.number != y.number)
            return x.number;
        if (x.number)
            return x.text.size() != y.text.size() ? x.text.size() < y.text.size() : x.text < y.text;
        return collator.compare(x.text, y.text) < 0;
    });
    return order;
}

QList<QStandardItem *> makeItems(const LookupRow &row, bool withId)
{
    QList<QStandardItem *> items;
    if (withId)
        items << new QStandardItem(QString::number(row.id));
    items << new QStandardItem(row.code) << new QStandardItem(row.name);
    for (QStandardItem *item : items)
        item->setEditable(false);
    items.first()->setData(row.id, IdRole);
    items.first()->setData(LookupFoldText(row.code + QLatin1Char('\n') + row.name), FoldedRole);
    return items;
}

// Depth-first walk over the rows the proxy shows.
template<typename Visit>
bool walk(const QAbstractItemModel *model, const QModelIndex &parent, Visit visit)
{
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex index = model->index(r, 0, parent);
        if (visit(index) || walk(model, index, visit))
            return true;
    }
    return false;
}

} // namespace

LookupDialog::LookupDialog(const QString &title, const LookupTable &table, Shape shape,
                           qint32 currentId, QWidget *parent)
    : QDialog(parent)
    , m_shape(shape)
    , m_model(new QStandardItemModel(this))
    , m_proxy(new FoldingFilter(this))
{
    setWindowTitle(title);
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);
    resize(460, 420);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(LookupText::SearchHint);
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);

    m_proxy->setSourceModel(m_model);
    m_proxy->setRecursiveFilteringEnabled(true); // a tree keeps the parents of a match

    if (shape == Shape::Tree) {
        auto *tree = new QTreeView(this);
        tree->setUniformRowHeights(true);
        m_view = tree;
        fillTree(table);
    } else {
        auto *grid = new QTableView(this);
        grid->verticalHeader()->hide();
        grid->setShowGrid(false);
        grid->setAlternatingRowColors(true);
        m_view = grid;
        fillTable(table);
    }
    m_view->setObjectName(QStringLiteral("lstLookup"));
    m_view->setModel(m_proxy);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The header keeps one font: a style that draws the current column's
    // title bold would otherwise draw it wider than it was measured.
    header()->setHighlightSections(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    if (auto *tree = qobject_cast<QTreeView *>(m_view)) {
        tree->expandToDepth(0);
        // Deeper rows are indented further: their codes need the room.
        connect(tree, &QTreeView::expanded, this, &LookupDialog::sizeColumns);
    }
    connect(m_view, &QAbstractItemView::doubleClicked, this, &LookupDialog::accept);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LookupText::Accept, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    buttons->addButton(LookupText::Cancel, QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LookupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LookupDialog::reject);

    auto *searchLabel = new QLabel(LookupText::Search, this);
    searchLabel->setBuddy(m_filter);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_filter, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);

    connect(m_filter, &QLineEdit::textChanged, this, &LookupDialog::applyFilter);
    if (!chooseVisibleId(currentId))
        m_view->setCurrentIndex(m_proxy->index(0, 0));
    m_filter->setFocus();
    header()->setFont(font());
    sizeColumns();
}

QHeaderView *LookupDialog::header() const
{
    if (auto *tree = qobject_cast<QTreeView *>(m_view))
        return tree->header();
    return static_cast<QTableView *>(m_view)->horizontalHeader();
}

void LookupDialog::sizeColumns()
{
    // Every column but the last (the names, which take the rest) as wide as
    // its widest cell and as its title, measured bold as well, so that no
    // style's way of drawing a title can cut it.
    QHeaderView *titles = header();
    QFont bold = titles->font();
    bold.setBold(true);
    const QFontMetrics plainMetrics(titles->font());
    const QFontMetrics boldMetrics(bold);
    for (int c = 0; c + 1 < titles->count(); ++c) {
        const QString title = m_model->headerData(c, Qt::Horizontal).toString();
        const int boldExtra = qMax(0, boldMetrics.horizontalAdvance(title) - plainMetrics.horizontalAdvance(title));
        titles->resizeSection(c, qMax(titles->sectionSizeHint(c) + boldExtra, m_view->sizeHintForColumn(c)));
    }
}

void LookupDialog::fillTable(const LookupTable &table)
{
    m_model->setHorizontalHeaderLabels({LookupText::IdHeader, LookupText::CodeHeader, LookupText::NameHeader});
    const QList<LookupRow> &rows = table.rows();
    for (qsizetype i : naturalOrder(rows))
        m_model->appendRow(makeItems(rows[i], true));
}

void LookupDialog::fillTree(const LookupTable &table)
{
    m_model->setHorizontalHeaderLabels({LookupText::CodeHeader, LookupText::TitleHeader});
    const QList<LookupRow> &rows = table.rows();
    const QList<qsizetype> order = naturalOrder(rows);

    QMultiHash<qint32, qsizetype> children; // parent ID -> rows, in natural order
    for (auto it = order.crbegin(); it != order.crend(); ++it)
        children.insert(rows[*it].parentId, *it); // values() of a key come back last-in first
    const auto isRoot = [&](const LookupRow &row) {
        return row.parentId == 0 || row.parentId == row.id || !table.findId(row.parentId);
    };

    QList<bool> placed(rows.size(), false);
    // Breadth-first from each root; a row only ever hangs under a placed
    // parent, so a damaged chart whose parents form a cycle cannot loop.
    const auto placeFrom = [&](qsizetype rootIndex) {
        QList<QStandardItem *> rootItems = makeItems(rows[rootIndex], false);
        m_model->appendRow(rootItems);
        placed[rootIndex] = true;
        QList<std::pair<qsizetype, QStandardItem *>> queue{{rootIndex, rootItems.first()}};
        for (qsizetype q = 0; q < queue.size(); ++q) {
            const auto [index, item] = queue[q];
            if (rows[index].id == 0)
                continue; // ID 0 stands for "no parent"; nothing hangs under it
            for (qsizetype child : children.values(rows[index].id)) {
                if (placed[child] || child == index)
                    continue;
                placed[child] = true;
                QList<QStandardItem *> childItems = makeItems(rows[child], false);
                item->appendRow(childItems);
                queue.append({child, childItems.first()});
            }
        }
    };
    for (qsizetype i : order)
        if (!placed[i] && isRoot(rows[i]))
            placeFrom(i);
    for (qsizetype i : order)
        if (!placed[i])
            placeFrom(i); // rows caught in a parent cycle are shown at the top level
}

void LookupDialog::applyFilter(const QString &text)
{
    folding(m_proxy)->setFilterText(text);
    if (auto *tree = qobject_cast<QTreeView *>(m_view)) {
        if (folding(m_proxy)->isFiltering())
            tree->expandAll();
        else
            tree->expandToDepth(0);
    }
    // The first row matching by its own text becomes current, so Enter takes it.
    QModelIndex first;
    walk(m_proxy, QModelIndex(), [&](const QModelIndex &index) {
        if (!folding(m_proxy)->matchesOwnText(m_proxy->mapToSource(index)))
            return false;
        first = index;
        return true;
    });
    m_view->setCurrentIndex(first);
    sizeColumns();
}

int LookupDialog::visibleRowCount() const
{
    int count = 0;
    walk(m_proxy, QModelIndex(), [&](const QModelIndex &) {
        ++count;
        return false;
    });
    return count;
}

bool LookupDialog::chooseVisibleId(qint32 id)
{
    QModelIndex found;
    walk(m_proxy, QModelIndex(), [&](const QModelIndex &index) {
        if (index.data(IdRole).toInt() != id)
            return false;
        found = index;
        return true;
    });
    if (!found.isValid())
        return false;
    m_view->setCurrentIndex(found);
    m_view->scrollTo(found);
    return true;
}

qint32 LookupDialog::currentId() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.siblingAtColumn(0).data(IdRole).toInt() : 0;
}

void LookupDialog::accept()
{
    if (!m_view->currentIndex().isValid())
        return; // nothing to take: the dialog stays open
    m_chosenId = currentId();
    QDialog::accept();
}

void LookupDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        header()->setFont(font()); // the header does not always take its window's font by itself
        sizeColumns();
    }
}

void LookupDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    sizeColumns(); // the cells' fonts and styles are settled now
    // Only now is the view's size known, so the current row can be put in sight.
    if (m_view->currentIndex().isValid())
        m_view->scrollTo(m_view->currentIndex(), QAbstractItemView::PositionAtCenter);
}

bool LookupDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Arrow keys in the filter box move through the list without leaving the box.
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(m_view, &copy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
