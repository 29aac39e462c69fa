#pragma once
// The benchmarks of ledger-bench. Each subcommand is one function taking the
// arguments after its name and returning the process exit code; main()
// dispatches on the first argument. Results are printed one per line as
// "name value unit".

#include <QStringList>

int RunFillBenchmark(const QStringList &args);
int RunViewBenchmark(const QStringList &args);

// Shared helpers.
double PeakResidentMegabytes(); // VmHWM of this process
void PrintFigure(const char *name, double value, const char *unit);
