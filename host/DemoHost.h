#pragma once
// The demo host: a window holding one comAccountDetail1, as a host
// application would place it, plus options that drive the ledger window
// without a person (filters, rebuild, screenshot, grid dump).

#include <QCommandLineParser>
#include <QString>

namespace DemoHost {
void addOptions(QCommandLineParser &parser);
int run(const QCommandLineParser &parser, const QString &connectionText);
}
