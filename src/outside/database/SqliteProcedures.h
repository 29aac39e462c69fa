#pragma once
// The host's five stored procedures, written in C++ for the SQLite stand-in
// database; arguments in the order of the component's procedure commands:
//   spVelkoHasPermission(@UserID, @FormPermissionID)   -> 1 granted, 0 not
//   spAccountGetCurrentUserPeriod(@UserID)             -> the user's period, else the
//       latest active period, else null
//   spAccountIsLeafAccount(@ID)                        -> 1 without child accounts, else 0
//   spAccountGetCode_Title(@AccountID, @PositionAccount in/out)
//       -> writes "Code - Title" ("" for an unknown account) into the second argument; 0
//   spAccountUpdateDocumentDetail(@ID, @RowNumber, @DocumentTypeID, @AdditionalFormSpec,
//       @TransactionDate, @FarsiTransactionDate, @ContractID, @Description)
//       -> updates one ledger row (ContractID 0 stores NULL); the number of rows changed

#include "outside/database/Backend.h"

struct sqlite3;

// Runs the procedure named by the command; throws DatabaseError for an
// unknown name, a bad argument or a database failure.
QVariant CallSqliteProcedure(sqlite3 *db, const ProcedureCommand &command, QVariantList &args);
