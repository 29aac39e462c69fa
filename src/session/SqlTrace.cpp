#include "session/SqlTrace.h"

namespace {
SqlTraceHook &hook()
{
    static SqlTraceHook instance;
    return instance;
}
} // namespace

void SetSqlTraceHook(SqlTraceHook newHook)
{
    hook() = std::move(newHook);
}

void TraceStatement(const TracedStatement &statement)
{
    if (hook())
        hook()(statement);
}
