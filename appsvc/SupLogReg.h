#pragma once
// SupLogReg: plain-text log files that several programs write at once, and the error-reporting
// policy built on them.
//
// Kinds. A log kind has a code ("INI", "ERR", "ACE" from PrpReg, or any code a caller
// registers), a description, a file, a level 0..3 and an active flag. The file name may hold
// the tokens {MAQ} (machine), {UTZ} (user) and {DIA} (today, "yyyy_mm_dd"), expanded when the
// file is set. Codes are compared upper-cased and trimmed. Writers write only to a kind that
// exists and is active (Act = 1); GrpLpz and LogVer need only the kind.
//
// Records. Every write is one record: it takes the log's lock file (the log's path with the
// extension "lck"; see loglayout::lockPathOf), opens the log for appending, writes the whole
// record with one write and releases the lock, deleting the lock file while still holding it.
// The lock is tried 20 times, 100 ms apart (the event pump runs in each pause, never while the
// lock is held); a log that stays locked drops the record without a message. Whether a log gets
// its title block or the blank lines that separate records is decided on its length under the
// lock, so two programs never both write a title. A log that cannot be opened drops the record
// and shows "Não foi possivel registar informação no ficheiro : " and its path, after the lock
// is released. A record that cannot be written whole (a full disk) is taken back out of the log
// and reported as not written. Clearing a log takes the same lock (10 tries).
//
// Files. The log and its lock file must be regular files: a symbolic link or anything else at
// their path is refused, so in a shared folder nobody can send the records elsewhere. A new log
// is UTF-8 with LF line ends; a log that exists keeps the encoding and line end it has. Lines
// are written without their trailing blanks.
//
// The line buffer (cmpIni, Cmp*, cmpReg) belongs to the caller: the writers that build their
// own records (MsgGrpReg, ErrMsg, ...) never touch it. Each call keeps its file and lock in
// locals, so a call that runs inside another one's pause (through the event pump) cannot
// disturb it.
//
// Error policy (ErrInfPrp, ErrMsg). By the kind's level: 0 (or a kind inactive or missing)
// nothing; 1 an error record; 3 the record and an error box; 2 the record and a box asking
// "Terminar o programa imediatamente ?", whose Yes writes "Programa TERMINADO" and raises the
// run-time error 9999 to the caller. The box says the error was recorded in the file only when
// it was. VbError 9999 is the only error this class raises.

#include "AppIdentity.h"
#include "Dispatch.h"
#include "LogLayout.h"
#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

// One log kind.
struct RegLogTip {
    QString Cod;    // code, upper-cased and trimmed
    QString Des;    // description
    QString FicDef; // file name as given
    int Niv = 0;    // level 0..3
    int Act = 0;    // 1 active; -1 when the log's folder could not be made
    QString Fic;    // file path, tokens expanded
    QString Lck;    // lock file path
};

class SupLogReg {
public:
    static constexpr int kLockAttempts = 20;
    static constexpr int kClearAttempts = 10;
    static constexpr int kAttemptPauseMs = 100;

    SupLogReg();
    ~SupLogReg();
    SupLogReg(const SupLogReg&) = delete;
    SupLogReg& operator=(const SupLogReg&) = delete;

    // Life-cycle hooks (nothing to do).
    void FxIni() {}
    void FxFim() {}

    // ---- Set-up ----

    // The default kinds (any others are forgotten), each in the temporary folder that
    // DrvTmpPsq("V") finds (the bare file name when there is none): "INI" "LogIni.txt" level 1
    // active, "ERR" "LogErr.txt" and "ACE" "LogAce.txt" level 1 inactive. clear 1 then clears
    // the "INI" log without asking.
    void PrpReg(int clear);
    // The program's identity: name, comments, major, minor, revision; version "major.minor.
    // revision".
    void PrpApp(const AppIdentity& app);
    // Registers a kind, or updates the one with that code: description, file (PrpOpcFic), level
    // (PrpOpcMre) and active flag (PrpOpcUso), in this order.
    void PrpGrp(const QString& code, const QString& description, const QString& file,
                const Variant& level, const Variant& active);
    // A kind's file: tokens expanded, the lock path beside it, the folder made when missing
    // (when that fails the kind's Act becomes -1, so nothing is written until it is set again).
    void PrpOpcFic(const QString& code, const QString& file);
    // A kind's level: the number value; below 0 or above 3 gives 1.
    void PrpOpcMre(const QString& code, const Variant& level);
    // A kind's active flag: the value read as yes (1) or no (0).
    void PrpOpcUso(const QString& code, const Variant& active);
    void PrpTit(const QString& title) { title_ = title; }
    // count header lines (0..32767), each made width (0..32767) blanks; the log's width.
    void PrpCab(int count, int width);
    // Starts a column table whose titles go to header line `line`.
    void PrpCabCo(int line);
    // Adds a column that starts at character start, writes title over the column-title header
    // line from there (the line's length unchanged) and returns the column's number. A header
    // line or start outside the lines gets no title.
    int PrpCabCoReg(int start, const QString& title);
    // Changes header line `line` (1..count): a number column 1..width writes text over the line
    // from that column; a text column, or a number below 1, makes the line a separator of that
    // code (SepLin). A line outside 1..count, or a column above width, changes nothing.
    void PrpCabTx(int line, const Variant& column, const QString& text);
    void PrpCabCoRtx(int line, const Variant& column, const QString& text) {
        PrpCabTx(line, column, text);
    }

    // ---- Column line ----

    // Edits the column line (see loglayout::columnLineEdit).
    void MsgCoRtx(int column, const QString& text);
    // Writes the column line to the kind's log as one line.
    void MsgCoReg(const QString& kind);
    // Writes one line of values(1..n) placed at the columns of the column table.
    void MsgCoArr(const QString& kind, const Variant& values);

    // ---- Line buffer (no file access) ----

    void cmpIni() { buffer_.clear(); }
    void CmpRtx(const QString& line) { buffer_ << line; }
    // Elements 1..upper bound, each as a line (nothing for a value that is no array).
    void CmpArr(const Variant& values);
    void CmpPa(std::initializer_list<Variant> items);
    void CmpMhr(const QString& text, const QString& extra = {});
    void CmpIdv(const QString& id, const QString& text, const QString& text2 = {});
    // An identified line whose text is "OK" when flag reads as yes, else "ERRO".
    void CmpMhs(const QString& id, const Variant& flag, const QString& text2 = {});
    void CmpCab(const QString& type, const QString& text, const QString& mode);
    // A full header of type "INF".
    void CmpCabInf(const QString& text);
    // n blank lines (at most 20).
    void CmpLs(int n);
    // One separator line of code (SepLin).
    void CmpTxs(const Variant& code);
    // A separator of code n when n is below 1, else n blank lines.
    void CmpSep(int n);
    // The buffered lines at 1..count of a Variant array from 0.
    void CmpCon(Variant& lines, int& count) const;
    // Writes the buffered lines to the kind's log as one record. ok 1 when the buffer is empty
    // (nothing written) or every line was written; 0 when the kind is not active or the log
    // was locked, could not be opened or written. The buffer stays as it was.
    void cmpReg(const QString& kind, int& ok);
    const QStringList& bufferLines() const { return buffer_; }

    // ---- Writers (each one record) ----

    void MsgGrpReg(const QString& kind, const QString& text, const QString& extra = {});
    void MsgGrpRtx(const QString& kind, const QString& text);
    void MsgGrpIdv(const QString& kind, const QString& id, const QString& text,
                   const QString& text2 = {});
    void MsgGrpSit(const QString& kind, const QString& id, const Variant& flag,
                   const QString& text2 = {});
    void MsgGrpSep(const QString& kind, int n);
    // A header into the caller's buffer only (when the kind is active).
    void MsgGrpCab(const QString& kind, const QString& type, const QString& text,
                   const QString& mode);
    void MsgGrpCabReg(const QString& kind, const QString& type, const QString& text,
                      const QString& mode);
    // Two blank lines, a header of type "-" in mode, then the status line of label.
    void MsgGrpUtz(const QString& kind, const QString& label, const Variant& status,
                   const QString& mode);
    // Only into an empty log: a full header of type "INFO", then MsgGrpSep(n).
    void GrpCab(const QString& kind, int n);
    // The title block (title: the kind's description) into a log shorter than 5 bytes.
    void GrpIde(const QString& kind, int n);
    // When "INI" is active: clears its log, then writes a full "INF" header with its
    // description and an empty line.
    void RegIniLpz();
    void RegIniFim();
    void RegIniMsg(const QString& text, const QString& extra = {});
    void RegAceIni(const QString& kind);
    void RegAceFim(const QString& kind);
    // Elements 1..upper bound as lines.
    void RtxArr(const QString& kind, const Variant& values);
    void RtxPa(const QString& kind, std::initializer_list<Variant> items);
    void RtxLs(const QString& kind, int n);
    void RtxSep(const QString& kind, const Variant& code);
    // n blank lines into a log that is not empty.
    void RtxZonSep(const QString& kind, int n);
    // Clears the kind's log; ask 1 first asks "Limpar registo" (No leaves it). True when the log
    // is gone; false when the person said No, the kind is missing or the lock or the deletion
    // failed.
    bool GrpLpz(const QString& kind, int ask);
    // Shows the kind's log in the text viewer when it exists (GrpVer: when the kind is active).
    void LogVer(const QString& kind);
    void GrpVer(const QString& kind);

    // ---- Error policy ----

    void ErrInfPrp(const QString& source, const QString& operation, const Variant& number,
                   const QString& description);
    // Records the error stored by ErrInfPrp in the kind's log with the two information arrays
    // (a single value counts as element 1) and shows the box by the kind's level; level 2 and
    // Yes raise VbError 9999 after the "Programa TERMINADO" record.
    void ErrMsg(const QString& kind, const Variant& misc = Variant::missing(),
                const Variant& additional = Variant::missing());
    // Both information arrays back to element 0 only.
    void PrpRegInf();
    // which "E" the miscellaneous array, anything else the additional one: emptied when values
    // is missing, else made the list of values (foundation ArrAdiVar).
    void PrpInfArr(const QString& which, const Variant& values = Variant::missing());
    // Stores value at index of the array (index below 0: after its last element), growing it.
    void PrpInfVop(const QString& which, const Variant& value, int index);
    // The "Programa TERMINADO" record (with " - " reason) in the current kind's log.
    void pMsgPgmFim(const QString& reason);

    // The object the coded message box hands its silent messages to (its "MsgGrpReg"
    // operation). It reaches this object while it lives; afterwards it raises 91.
    DispatchPtr messageLog();

    // ---- State ----

    const RegLogTip* kind(const QString& code) const;
    int kindCount() const { return int(kinds_.size()); }
    const QString& title() const { return title_; }
    int width() const { return width_; }
    // Header lines 1..count at 0..count-1.
    const QStringList& headerLines() const { return header_; }
    const QString& columnLine() const { return columnLine_; }
    // Element 0 the column-title header line, 1..n the columns' starts.
    const QList<int>& columns() const { return columns_; }
    const QString& userName() const { return user_; }
    const QString& machineName() const { return machine_; }
    const QString& version() const { return version_; }
    const Variant& miscInfo() const { return misc_; }
    const Variant& additionalInfo() const { return additional_; }

private:
    // Builds a record's lines from the log's length in bytes, under the lock.
    using RecordBuilder = std::function<QStringList(qint64 logSize)>;

    int TipIdx(const QString& code) const;
    RegLogTip* TipReg(const QString& code, const QString& description, const QString& file,
                      const Variant& level, const Variant& active);
    // Selects the kind (current file, lock and index) and returns a copy of it when it is
    // active (a copy: the table may change while the call waits for the lock).
    std::optional<RegLogTip> TipActCon(const QString& code);
    // Selects the kind and returns its level, 0 when it is inactive or missing.
    int TipNivCon(const QString& code);
    void TipSel(int index);
    bool TipLpz(const QString& code, int ask);

    loglayout::LogStamp stamp() const;
    // One record into file under the lock file lock; true when it is in the log whole.
    bool RegGrv(const QString& file, const QString& lock, const RecordBuilder& build);
    // One record into an active kind's log.
    bool kindRecord(const QString& code, const RecordBuilder& build);
    bool kindLines(const QString& code, const QStringList& lines);
    // Tells the person that the log file cannot be opened.
    void FicErrMsg(const QString& file);
    // A message record: separation (2), a full header of type and text, the lines.
    void MsgReg(const QString& code, const QString& type, const QString& text,
                const QStringList& lines = {});
    Variant& infoArray(const QString& which);

    QString objectName_ = QStringLiteral("SupRegLog");
    QString instanceId_;
    // The current kind's file and lock (the last one selected), and its index from 1.
    QString fic_;
    QString lck_;
    int current_ = 0;
    QString title_ = QStringLiteral("Registo de LOG");
    QStringList header_;
    int width_ = 80;
    QString columnLine_;
    QList<int> columns_{0};
    QString program_;
    QString comments_;
    QString major_;
    QString minor_;
    QString revision_;
    QString version_;
    QString errSource_;
    QString errOperation_;
    int32_t errNumber_ = 0;
    QString errDescription_;
    Variant misc_;
    Variant additional_;
    QStringList buffer_;
    std::vector<RegLogTip> kinds_;
    QString user_;
    QString machine_;
    bool reportingOpenFailure_ = false;
    // Cleared when this object goes, so the silent-message object stops reaching it.
    std::shared_ptr<SupLogReg*> self_;
};

} // namespace zv
