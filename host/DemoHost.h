#pragma once
// The demo host: a window holding one comAccountDetail1, as a host
// application would place it, plus options that drive the ledger window
// without a person (filters, rebuild, --do steps, screenshot, grid and state
// dumps). A dump that cannot be written is an error, as is an unknown step.

#include <QCommandLineParser>
#include <QString>

namespace DemoHost {
void addOptions(QCommandLineParser &parser);
int run(const QCommandLineParser &parser, const QString &connectionText);
}
