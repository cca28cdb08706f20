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
//
// Files are also written: a new file front to back (CabCri or RegFicPrp, the Reg* writers,
// RegFim), or an existing one loaded whole, changed and written back (RegPrp, RegVarAlt ...,
// RegExe). Every file is written through the file layer's replacement: the new content goes to
// a temporary file beside the target and replaces it whole, so a failure keeps the old file.
// What the writers write reads back through the reader to the same zones, entries and values
// (see ParamFormat.h for the escapes of values). The writers and the edit session report
// through their results: 0, or the run-time error number (5 a refused text or call, 52 a
// name the system cannot use, 53 or 76 a missing file or folder, 61 disk full or file too
// large, 70 no permission, 75 a folder, device or pipe where a file should be); they show no
// message box.

#include "CommandLine.h"
#include "Encoding.h"
#include "EntryTable.h"
#include "HandleStack.h"
#include "LineReader.h"
#include "NameValueTable.h"
#include "OptionStore.h"
#include "ParamEdit.h"
#include "TdaReg.h"
#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace zv {

// One option row of a "TBO" zone: the entry's label, its key cut into the parts before and
// after ":" (of the key's part before ","), and its value.
struct OpcRow {
    QString label;
    QString a;
    QString b;
    QString value;

    bool operator==(const OpcRow&) const = default;
};

// The zone that the zone copy located last: its header line, name, type and description.
struct ZonLocRes {
    QString header;
    QString name;
    QString type;
    QString description;
};

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

    // ---- Writing a new file ----
    //
    // The file is written on the handle stack: CabCri or RegFicPrp opens it on top, the
    // writers below add lines to the file open on top (nothing while the top file reads), and
    // RegFim closes it, which puts the whole file in place. The first failure sticks: nothing
    // more is written and RegFim returns it (the old file stays). A file closed by FxFim (or
    // by the object's end) is put in place the same way.

    // The format of the files written from now on: the one set here; else, while a file is
    // loaded for editing, that file's own (so that copied lines keep their bytes); else the
    // target's own when it exists; else UTF-8 with LF. nullopt goes back to that rule.
    void setFmtNov(std::optional<TextFormat> format) { newFormat_ = std::move(format); }
    const std::optional<TextFormat>& FmtNov() const { return newFormat_; }

    // Header lines 1..5 from the current file's name and the texts (trimmed): type "" gives
    // "PAR", version "" gives "1.0", the date as CabOpcDt gives it.
    void CabPrp(const QString& type, const QString& date, const QString& version,
                const QString& description);
    // Opens the current file for writing and writes header lines 1..5 and one empty line;
    // close 1 closes it (the result is then RegFim's). Refused (5): a header line with CR or LF.
    int CabCri(int close);
    // Header line n (1..5), trimmed; mode "V" its text after the first ":" ("" without one).
    void CabCon(const QString& mode, int n, QString& text) const;
    // The current file's name (without its folder) when value is not "", else "".
    void CabOpcNfi(const QString& value, QString& name) const;
    // value, or "PAR" when it is "".
    void CabOpcTip(const QString& value, QString& type) const;
    // A text trimmed, a date number as yyyy/mm/dd; "", 0 (or no date) give today's date.
    void CabOpcDt(const Variant& value, QString& date) const;

    // Opens file (the loaded file's name when "") for writing.
    int RegFicPrp(const QString& file);
    // Closes the top file: a written file is put in place (0 or its failure).
    int RegFim();
    // One line (a text holding line ends: the lines it holds); n empty lines; a frame line of
    // style "-", "=" or "#" (an empty line for any other style).
    void RegTx(const QString& text);
    void RegNls(int n);
    void RegSep(const QString& style);
    // The version history's header (three lines), and one version record: linesBefore empty
    // lines, the record line, the text, two empty lines ("" takes the header's version and
    // date, and the text "Versao base").
    void RegGrpVer(const QString& version, const QString& date, const QString& text,
                   int linesBefore);
    void RegGrpCabVer();
    // A zone header between two "=" frames, and a zone end ("##" and two empty lines).
    // RegGrpCabDef: the zone "DEF", type "IDE", "Definicoes base".
    void RegGrpCab(const QString& name, const QString& type, const QString& description);
    void RegGrpCabDef();
    void RegGrpFim();
    // The option line "label [key]=value", "]" at character column when the label fits
    // (ParamFormat.h). Refused (5, line ""): a key with "[", "]", CR or LF or empty, or a line
    // that would not read back as that entry.
    int RegOpcPrp(const QString& key, const QString& label, const QString& value, int column,
                  QString& line) const;
    // Writes the option line, or the option line commented out ("'" in front); a refused line
    // is a failure of the file (5).
    int RegGrpOpc(const QString& key, const QString& label, const QString& value, int column);
    int RegGrpOpa(const QString& key, const QString& label, const QString& value, int column);
    // A whole zone: frame, "#" & nameType & " - " & description, frame, lines 1..size-1
    // (element 0, as in the arrays of this class, is not written), "##", two empty lines.
    void RegZon(const QString& nameType, const QStringList& lines, const QString& description);
    void RegZonIdt(const QString& name, const QString& type, const QStringList& lines,
                   const QString& description);

    // ---- Editing a file ----
    //
    // RegPrp loads a file whole (ParamEdit.h: its lines, encoding and line end, its entry
    // keys), the edits change it in memory, and RegExe writes it back whole in the encoding and
    // line end it was read with, then releases it. Nothing is written without a loaded file.

    // Loads file; count = its number of lines, -1 when it could not be read (the array then
    // holds nothing and RegExe writes nothing).
    int RegPrp(const QString& file, int& count);
    // The value of key's entry as the reader reads it ("" when no entry has the key); a number
    // target takes the value's leading number. ok is 1.
    void RegCon(const QString& key, QString& value, int& ok) const;
    void RegCon(const QString& key, double& value, int& ok) const;
    void RegCon(const QString& key, Variant& value, int& ok) const;
    // Line n of the loaded file ("" outside it).
    void RegConIdx(int n, QString& line) const;
    // A header field by code: "NOM" (line 1) the loaded file's name, "TIP" (2) CabOpcTip,
    // "DAT" (3) CabOpcDt, "VER" (4) the version stepped by value when value holds "+" (the
    // fixed-decimal rule, "1.9" with "+" gives "1.10"), "INF" (5) value. Another code or an
    // empty text changes nothing.
    int RegCabAct(const QString& code, const Variant& value);
    // Header line n (1..5) becomes its text before the first ":" & ": " & text; a line
    // without ":" stays. Refused: n outside 1..5, text with CR or LF.
    int RegCabAlt(int n, const QString& text);
    // Sets key's value; a key without an entry is added by mode: 1 after the last line, 2
    // before the "##" that ends the last entry zone, 0 (or other) not at all (ParamEdit.h).
    int RegVarAlt(const QString& key, const QString& value, int mode);
    // RegVarAlt on every entry line that holds key.
    int RegVarAltTod(const QString& key, const QString& value, int mode);
    // Marks key's entry line and its continuation lines deleted ("«»").
    int RegVarEli(const QString& key);
    // Writes the loaded lines to file (the loaded file when ""): mode 1 leaves out the lines
    // "«»", any other mode writes every line. Then the lines are released; a failure keeps
    // them (and the old file).
    int RegExe(const QString& file, int mode);

    // ---- Zone copy and templates (on the loaded lines; zones as the reader finds them) ----

    // The zone located last (by RegZonCtx, RegZonCop, RegZonMatPrp).
    const ZonLocRes& ZonLocAtu() const { return zonLoc_; }
    // count -1: restarts, name "" and the leading lines (up to the first zone's frame); each
    // further call: the next zone's name and its lines from its frame through "##"; past the
    // last zone, name "" and count 0. Lines 1..count (element 0 "").
    void RegZonCon(QString& name, QStringList& lines, int& count);
    // The names of the zones in order, 1..count.
    void RegZonIdz(QStringList& names, int& count);
    // Drops the lines "" at the end of lines(1..count).
    void RegZonRed(QStringList& lines, int& count) const;
    // The body of zone name (upper case) between its header block and "##", 1..count.
    void RegZonCtx(const QString& name, QStringList& lines, int& count);
    // Writes zone name from its frame through "##", then two empty lines; nothing when absent.
    void RegZonCop(const QString& name);
    // The head of the file being written: header lines 1..5 taken from the loaded lines; mode
    // "COP" writes the loaded file's leading lines and two empty lines, another mode lines
    // 1..6, the version header and a record "Versao " & version.
    void RegZonCab(const QString& mode);
    // Templates: the zone "_MAT" & name becomes the template; RegZonMatAct sets a value in it
    // (the rules of RegVarAlt); RegZonMatReg writes a zone made from it: named after the
    // template without "_MAT", its description's bracketed part replaced by index ("[?]"
    // when index is ""), its body and "##", then two empty lines.
    void RegZonMatPrp(const QString& name);
    int RegZonMatAct(const QString& key, const QString& value, int mode);
    void RegZonMatReg(const QString& index);

    // ---- Entry groups, option rows and file search ----

    // An entry group: rows 0..2 (key as written, value with its references replaced, label),
    // columns 0..n. GrpDirIni: column 0 only; GrpDirLib: nothing; GrpDirNum: n (unchanged for
    // an erased group).
    void GrpDirIni(QList<QStringList>& group) const;
    void GrpDirLib(QList<QStringList>& group) const;
    void GrpDirNum(const QList<QStringList>& group, int& n) const;
    // Columns 1..n from entries 1..n of the current zone; each key also becomes a user option
    // with its value. GrpDirReg: every column 1..n becomes a user option.
    void GrpDirCon(QList<QStringList>& group, int n);
    void GrpDirReg(const QList<QStringList>& group);

    // Option rows. tbOpcVob: the check flag. tbOpcPrp: the rows of the "TBO" zones of file,
    // selected: "" every row, "*" the rows whose A is "1", a ","-list the rows whose A is "1"
    // and whose B is one of its items; with the check flag 1 and the option "VOP" (of the
    // "DEF" zone) not "", no row. count = the rows kept (tbOpcRows 1..count, row 0 spare).
    void tbOpcVob(int flag) { rowCheck_ = flag; }
    void tbOpcPrp(const QString& file, const QString& selector, const QString& extra, int& count);
    const std::vector<OpcRow>& tbOpcRows() const { return rows_; }
    // Rows 0..n (row 0 empty; n at most the rows there are) of ten columns: 0 the label, 1 B,
    // 2 and 3 the folder and the file name of the value with its references replaced, 4..9 "".
    void tbOpcPro(QList<QStringList>& rows, int& n) const;

    // The files of folder that match pattern, each with the description of its header (line
    // 5): rows 1..count of (description, file name, path), row 0 empty. A file that cannot be
    // read (or is no regular file) keeps an empty description.
    void FpaPsq(const QString& folder, const QString& pattern, QList<QStringList>& table,
                int& count);

    // The parts, for callers that work on them directly.
    const ParamEdit& edited() const { return edit_; }
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

    // Writing: a writer for target pushed on the stack; the line to the top writer.
    int openWriter(const QString& target);
    void write(const QString& line);
    // Frame, zone header line, frame; a header that would not read back as that zone is a
    // failure of the file.
    void zoneHeader(const QString& nameType, const QString& description);
    // The option line, checked against the reader with the escape flag given.
    int optionLine(const QString& key, const QString& label, const QString& value, int column,
                   int escapeFlag, QString& line) const;
    // RegGrpOpc's steps: the option line, prefix before it, written to the innermost file.
    int writeOptionLine(const QString& key, const QString& label, const QString& value, int column,
                        const QString& prefix);
    // Locates zone name in the loaded lines ("" the leading part): its lines start..end, or
    // start = end = 0; fills zonLoc_.
    void ZonLoc(const QString& name, int& start, int& end);
    void writeLines(const QStringList& lines, int start, int end);

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

    std::optional<TextFormat> newFormat_;
    ParamEdit edit_;
    ParamEdit template_;
    ZonLocRes zonLoc_;
    int zoneCursor_ = 0;
    std::vector<OpcRow> rows_{OpcRow{}};
    int rowCheck_ = 0;
};

} // namespace zv
