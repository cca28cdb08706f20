#pragma once
// The listing of a parameter file as the reader sees it: header lines and file type, then
// zone by zone its name, type, count, description and zone options, with the entries of an
// entry zone (label, key, value, value column) or the lines of a text zone; then the values
// of the options asked for, as stored and with their references replaced.
//
// Texts are printed between double quotes; characters below U+0020 are written "\xHH".
//
// The other verbs: --set KEY=VALUE [--mode N] changes one entry through an edit session
// (RegPrp, RegVarAlt with mode N, 0 by default, RegExe) and prints what it did; --zones
// prints the zone names in order; --tbo PATTERN prints the option rows that PATTERN selects.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zv {

struct ParDumpRequest {
    enum class Verb { Dump, Set, Zones, Rows };
    Verb verb = Verb::Dump;
    QString file;
    QStringList options; // printed with OpcCon
    QStringList paths;   // printed with OpcPath
    QString key;         // --set
    QString value;
    int mode = 0;
    QString selector; // --tbo
};

// Reads the tool's own arguments (without the program name): "--opc KEY" and "--path KEY"
// any number of times, or one of the verbs, then the file; the words after the file are left
// to the parameter reader's command line. false with a message when they make no request.
bool parDumpArgs(const QStringList& args, ParDumpRequest& request, QString& error);

void parDump(const ParDumpRequest& request, QTextStream& out);

// Runs --set, --zones or --tbo: 0 when done, 1 with a message on err when not (a file that
// cannot be read, a refused change, a write that failed and kept the old file).
int parDumpVerb(const ParDumpRequest& request, QTextStream& out, QTextStream& err);

} // namespace zv
