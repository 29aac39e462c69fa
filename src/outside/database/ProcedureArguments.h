#pragma once
// Checks shared by every backend before a stored procedure runs, so that a
// refused call writes nothing: enough arguments, and no text longer than its
// parameter's declared size (the host's provider refuses those too, instead of
// cutting them short).

#include "outside/database/Backend.h"

// Throws DatabaseError (Persian message, the call text as statement).
void CheckProcedureArguments(const ProcedureCommand &command, const QVariantList &args);
