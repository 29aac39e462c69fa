#pragma once
// Receiver of a streamed result set. The ledger rows go from the database
// straight into the grid's storage through this, never through a second copy.

#include <string_view>

class RowSink
{
public:
    virtual ~RowSink() = default;
    virtual void beginRows(int columnCount) = 0;
    // One row's cells as UTF-8 text; a null value arrives as an empty view.
    virtual void appendRow(const std::string_view *cells, int count) = 0;
    virtual void endRows() = 0;
};
