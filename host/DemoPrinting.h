#pragma once
// Printing and export in unattended demo runs: the template picker answered
// from the command line, the report written to a PDF file instead of the
// preview or the printer, and the exported workbook copied to a chosen path
// instead of being opened.

#include <QCommandLineParser>

namespace DemoPrinting {
void addOptions(QCommandLineParser &parser);
// True when an option asks for a report or a workbook file: the run then
// ends after its steps, as with the dumps.
bool writesFiles(const QCommandLineParser &parser);
// Installs what the options ask for; answers the picker only in unattended runs.
void install(const QCommandLineParser &parser, bool unattended);
}
