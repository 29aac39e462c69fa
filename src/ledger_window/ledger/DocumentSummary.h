#pragma once
// The per-document summary view: the grid's rows folded into one row per
// accounting document, without a new query.

#include <QString>

class FlexGrid;

// Folds every run of adjacent data rows with the same DocumentID into the
// run's first row: the document's debit netted against its credit, the
// balances after the run's last row, no review mark, a generated
// description naming the account and the document code, and the colour of
// ordinary text. The grid must already be sorted so that a document's rows
// are adjacent. One pass over the rows and one removal of the folded ones.
// Returns the number of rows removed. An amount the parse cannot read as
// a currency value throws.
int FoldDocumentRows(FlexGrid &grid, const QString &accountText);
