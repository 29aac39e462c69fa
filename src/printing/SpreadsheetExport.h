#pragma once
// The ledger grid as an .xlsx workbook (menu item "انتقال به Excel"): every
// cell of the grid, header row and hidden columns included, written as the
// grid shows it, on one right-to-left sheet with the header row frozen.

#include <QString>

class FlexGrid;

// Writes every cell of the grid, header row and hidden columns included, into a new
// workbook at path: grid cell (r, c) -> sheet cell (r + 1, c + 1) in the 1-based terms of
// the sheet, i.e. libxlsxwriter row r, column c. Returns "" on success, else a Persian
// message. Texts stay as the grid shows them; in data rows the amount columns (5 to 8,
// 25 to 28) hold numbers where their text is an amount, formatted to look the same, so
// that they can be summed. The workbook is written beside path under another name and
// takes path's place only when complete: a failure leaves no partial file, and a file
// already at path stays as it was.
QString WriteGridWorkbook(const FlexGrid &grid, const QString &path);

// A path for a new workbook that does not exist yet (never an earlier export's file), in the
// user's temporary folder, with a Persian readable name such as "گردش حساب 1403-05-01 142530.xlsx"
// (Jalali date of Today(), time of day) made unique; the file is created empty so two calls
// never return the same path. "" when no file can be created there.
QString NewWorkbookPath();

