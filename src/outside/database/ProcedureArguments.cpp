#include "outside/database/ProcedureArguments.h"

#include "outside/database/DatabaseTexts.h"
#include "session/DatabaseError.h"

void CheckProcedureArguments(const ProcedureCommand &command, const QVariantList &args)
{
    if (args.size() < command.parameters.size())
        throw DatabaseError(DatabaseTexts::TooFewArguments(command.name), command.callText);
    for (qsizetype i = 0; i < command.parameters.size(); ++i) {
        const ProcedureParameter &p = command.parameters[i];
        if (p.size > 0 && p.type == QMetaType::QString && !args[i].isNull()
            && args[i].toString().size() > p.size)
            throw DatabaseError(DatabaseTexts::TextTooLong(p.name, p.size), command.callText);
    }
}
