#pragma once
// The listing of a parameter file as the reader sees it: header lines and file type, then
// zone by zone its name, type, count, description and zone options, with the entries of an
// entry zone (label, key, value, value column) or the lines of a text zone; then the values
// of the options asked for, as stored and with their references replaced.
//
// Texts are printed between double quotes; characters below U+0020 are written "\xHH".

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zv {

struct ParDumpRequest {
    QString file;
    QStringList options; // printed with OpcCon
    QStringList paths;   // printed with OpcPath
};

// Reads the tool's own arguments (without the program name): "--opc KEY" and "--path KEY"
// any number of times, then the file; the words after the file are left to the parameter
// reader's command line. false with a message when the file is missing.
bool parDumpArgs(const QStringList& args, ParDumpRequest& request, QString& error);

void parDump(const ParDumpRequest& request, QTextStream& out);

} // namespace zv
