#pragma once
// The searchable look-up list the selector and the account picker open: a
// filter box over a table (or a tree, for lists with parents). The filter is
// applied in memory to the rows already read.

#include "outside/controls/LookupConnection.h"

#include <QDialog>

class QAbstractItemView;
class QHeaderView;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;

class LookupDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Shape {
        Table, // ID, code and name
        Tree,  // code and name, children under their ParentID
    };

    LookupDialog(const QString &title, const LookupTable &table, Shape shape, qint32 currentId,
                 QWidget *parent = nullptr);

    // The chosen row's ID after the dialog was accepted.
    qint32 chosenId() const { return m_chosenId; }

    // For tests and for driving the dialog without a person.
    QLineEdit *filterBox() const { return m_filter; }
    QAbstractItemView *view() const { return m_view; }
    int visibleRowCount() const;            // rows the filter leaves, at every depth
    bool chooseVisibleId(qint32 id);        // makes the row of that ID current; false when hidden

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fillTable(const LookupTable &table);
    void fillTree(const LookupTable &table);
    void applyFilter(const QString &text);
    qint32 currentId() const;
    QHeaderView *header() const;
    void sizeColumns();

    Shape m_shape;
    QStandardItemModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QLineEdit *m_filter;
    QAbstractItemView *m_view;
    qint32 m_chosenId = 0;
};
