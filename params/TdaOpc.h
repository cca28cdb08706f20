#pragma once
// TdaOpc: the system's parameter files. It reads a file front to back one zone at a time and
// keeps the current zone in memory (entries with a key index, or text lines), answers option
// look-ups (special keys, fixed and user options, [name] references), and keeps its own copy
// of the command line.
//
// A walk: ZonIni(file), then ZonSeg until the zone name is "", then ZonFim; after each ZonSeg
// the Mem* operations read the current zone.
//
// The object is a façade over small parts: the line grammar (ParamLine), the logical line
// reader (LineReader), the stack of open files (HandleStack), the entry table (EntryTable),
// the options (OptionStore) and the command line (CommandLine).
//
// Results come back through reference arguments. Where a look-up fills "the caller's value in
// its own type", there are overloads: a QString receives the text, a double the number, a
// Variant the text when it holds a String and a Double otherwise. Nothing here raises: ends
// of files, absent keys and failed opens are reported through flags and empty values.

#include "CommandLine.h"
#include "EntryTable.h"
#include "HandleStack.h"
#include "LineReader.h"
#include "NameValueTable.h"
#include "OptionStore.h"
#include "TdaReg.h"
#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zv {

class TdaOpc {
public:
    TdaOpc();
    ~TdaOpc();
    TdaOpc(const TdaOpc&) = delete;
    TdaOpc& operator=(const TdaOpc&) = delete;

    void FxIni();
    void FxFim();

    // ---- State ----

    // The current file name (set by tboFic and tboPrp).
    const QString& NomFic() const { return fileName_; }
    void setNomFic(const QString& file) { fileName_ = file; }
    // The file type: header line 2 after its first ":", trimmed, upper case.
    const QString& TipFic() const { return fileType_; }
    void setTipFic(const QString& type) { fileType_ = type; }
    // The parameter-file path found on the command line (LcPrpFpa).
    const QString& PathFpa() const { return fpPath_; }
    void setPathFpa(const QString& path) { fpPath_ = path; }
    // The number of command-line words.
    int NumArg() const { return commandLine_.count(); }
    // Header line n (1..5) of the file opened last; "" outside.
    QString CabLin(int n) const;
    // The escape flag (expansion happens only when it is 1) and the current zone's options.
    int EspFlg() const { return reader_.escapeFlag(); }
    const QString& OpcEsp() const { return reader_.zoneOptions(); }
    // The current record (the last line read).
    const TdaReg& RegAtu() const { return reader_.record(); }

    // ---- Line grammar ----

    void ParTpp(const QString& line, QString& type, QString& key) const;
    void ParPrep(const QString& line, QString& label, QString& key, QString& value,
                 int32_t& column) const;
    void ParTipVar(const QString& key, QString& typePart, QString& namePart) const;
    // Knows only "TX" and "IDE" ("ZTX" too reads as "IDE"); the description keeps its options.
    void ZonIde(const QString& line, QString& name, QString& type, QString& description) const;

    // Zone options: escapes on and no options; the options split off a description (found 1
    // when it held "["); one option's value into value, left alone when absent.
    void OpcEspIni();
    void OpcEspUsa(QString& description, int& found);
    void OpcEspCon(const QString& name, Variant& value) const;

    // ---- Opening and walking a file ----

    void tboFic(const QString& file);
    // Opens file for reading (a failed open is reported, and the walk then finds no zone),
    // reads its header and sets the fixed options "ParDir" and "ParFic".
    void tboPrp(const QString& file, const QString& extra = {});
    void tboFim();
    void ZonIni(const QString& file, const QString& extra = {});
    // The first zone's name when the file exists, else "" without a report.
    QString ZonIniExi(const QString& file, const QString& extra = {});
    void ZonIniLer(const QString& file, const QString& extra = {});
    // The next zone: name "" when there is none.
    void ZonSeg(QString& name, QString& type, int& count, QString& description);
    void ZonFim();
    // The next entry line from the current position, across zones: its key and value.
    void LerPar(QString& value, QString& key);
    void LerPar(double& value, QString& key);

    // ---- The entry table ----

    void MemLpz();
    void MemFim();
    // Stores the current record as number count + 1 (with keepEmpty 0 not when its index key
    // is "").
    void MemReg(int& count, int keepEmpty);
    void MemIdxUsa(int number, int& index) const;
    void MemIdxUsa(const QString& key, int& index) const;
    void MemConTxp(int number, QString& text, int& ok) const;
    void MemConTxp(const QString& key, QString& text, int& ok) const;
    void MemConVop(int number, QString& value, QString& key) const;
    void MemConVop(const QString& key, QString& value, QString& keyAsWritten) const;
    void MemConVop(const QString& key, double& value, QString& keyAsWritten) const;
    void MemCmp(int number, QString& label, QString& key, QString& value, int& ok) const;
    void MemCmp(const QString& key, QString& label, QString& keyAsWritten, QString& value,
                int& ok) const;
    void MemCon(const QString& key, QString& value, int& ok, QString& type) const;
    void MemCon(const QString& key, double& value, int& ok, QString& type) const;
    void MemCon(const QString& key, Variant& value, int& ok, QString& type) const;
    void MemCon(const QString& key, QString& value, int& ok) const;
    void MemCon(const QString& key, double& value, int& ok) const;
    void MemConIdx(int index, QString& key, QString& value, QString& type, int& ok) const;
    void MemConIdx(int index, QString& key, double& value, QString& type, int& ok) const;
    void MemConIdx(int index, QString& key, Variant& value, QString& type, int& ok) const;
    // Yes/no of an entry: 1 or 0; a String Variant receives "Sim" or "Não".
    void MemSN(const QString& key, int& result) const;
    void MemSN(const QString& key, Variant& result) const;
    void MemPath(const QString& key, QString& text, int& ok, QString& type) const;
    void MemOpcPrp(const QString& line, int ok);
    void MemOpcReg(const QString& key, const QString& value);

    // The current zone as arrays, count = the zone's count:
    // "IDE" a new name-value table (key -> value, the last of a repeated key); modes above
    // "IDE" up to "IDEx" add to the table given.
    void ZonArr(const QString& mode, int count, NameValueTable& table) const;
    // "MUL": rows 0..2 (label, key, value), each with columns 0..count (column 0 "").
    void ZonArr(const QString& mode, int count, QList<QStringList>& rows) const;
    // "FIC": values 0..count with their references replaced; any other mode the zone's text
    // lines 0..count. Element 0 is "".
    void ZonArr(const QString& mode, int count, QStringList& values) const;
    // The lines of the current text zone as read (element 0 "").
    const QStringList& ZonTx() const { return table_.lines(); }

    // ---- Options ----

    // An option's value: the text, or the number its text reads as (Val with the input number
    // format): 0 for an absent option, no number, a value too small to hold (1e-400) or one too
    // large for a Double (6e401: the overflow is trapped, nothing is raised).
    void OpcCon(const QString& key, QString& value) const;
    void OpcCon(const QString& key, double& value) const;
    void OpcCon(const QString& key, Variant& value) const;
    void OpcSN(const QString& key, int& result) const;
    void OpcSN(const QString& key, Variant& result) const;
    void OpcVop(const QString& key, QString& value, int& found) const;
    void OpcFixCon(const QString& key, QString& value, int& found) const;
    void opcUsa(const QString& key, QString& value, int& found) const;
    void OpcFixAct(const QString& key, const QString& value);
    void OpcAct(const QString& key, const QString& value);
    // Empties the user options (every mode leaves an empty table).
    void OpcIni(const QString& mode);
    void OpcPrp(int count);
    void OpcArr(int count, QStringList& values) const;
    void OpcSbr(QString& text) const;
    void OpcSbr(const QString& text, QString& out) const;
    void OpcPath(const QString& key, QString& text) const;
    // The entry "DBG" & name of the current zone read as yes/no (flag 1 inverts): 1 or 0, or
    // "S" or "N" for a String Variant.
    void OpcDbg(const QString& name, Variant& result, int flag = 0) const;
    void OpcTabPrp(const QString& selector, int& count);
    void OpcTabCon(QString& label, QString& value, QString& name);

    // ---- Command line ----

    void LcIni(const QString& defaultName);
    // From a command text (words split at blanks) or from words already split.
    void LcPrpArg(const QString& text);
    void LcPrpArg(const QStringList& words);
    void LcPrpFpa(const QString& defaultName);
    void LcCon(int number, QString& value, int& found) const;
    void LcCon(int number, double& value, int& found) const;
    void LcCon(const QString& name, QString& value, int& found) const;
    void LcCon(const QString& name, double& value, int& found) const;
    void LcCon(const QString& name, Variant& value, int& found) const;
    void LcExi(const QString& name, int& position) const;
    void LcRegVar();

    // The parts, for callers that work on them directly.
    const EntryTable& entries() const { return table_; }
    const OptionStore& options() const { return options_; }
    const CommandLine& commandLine() const { return commandLine_; }

private:
    // Reading steps.
    void CabLer(const QString& extra);
    void RegLerLin() { reader_.readLogical(); }
    void RegLerTx() { reader_.readRaw(); }
    QString RegSeg() { return reader_.nextNonEmpty(); }
    QString RegSegVar() { return reader_.nextEntry(); }
    LineReader::ZoneHeader ZonCabLer() { return reader_.nextZoneHeader(); }

    // The handle stack.
    void FicNumNov(int& handle);
    void FicNumFim(int& handle);
    void FicNum(int& handle) const;
    void FicFim();
    // Opens a file on a new handle of the stack (mode "O" output, "A" append, any other
    // input), reporting a failure with the operation's tag.
    void openOnNewHandle(const QString& file, const QString& mode, const QString& extra,
                         const QString& operation);

    void OpcFixIni();
    void ZonDefPrp(int count);
    void ZonOpcPrp(int count);

    QString fileName_;
    QString fileType_;
    QString fpPath_;
    std::array<QString, 5> header_;
    QString instanceId_;
    LineReader reader_;
    HandleStack handles_;
    EntryTable table_;
    OptionStore options_;
    CommandLine commandLine_;
};

} // namespace zv
