// SupLogReg: writing records under the log's lock, the writers, clearing and viewing a log.

#include "SupLogReg.h"

#include "Encoding.h"
#include "FicGlb.h"
#include "FileLayer.h"
#include "GlbMsg.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

using namespace loglayout;

namespace {

// How much of a log is read to learn its encoding and line end.
constexpr qint64 kFormatProbeBytes = 65536;

// What runs in the pauses between two tries of a lock: the event pump, so the program's
// windows stay alive. No lock is held then.
void pauseForLock() {
    ProcessContext::current().pump().pump();
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// How a record is appended to the open log of size bytes: a new log is UTF-8 with LF; a log that
// has lines keeps its encoding and line end. breakFirst: the log's last line has no line end
// yet, so the record starts on a line of its own.
TextFormat appendFormat(int fd, qint64 size, bool& breakFirst) {
    TextFormat format;
    breakFirst = false;
    if (size <= 0) return format;
    QByteArray probe(qMin(size, kFormatProbeBytes), Qt::Uninitialized);
    const ssize_t n = ::pread(fd, probe.data(), size_t(probe.size()), 0);
    if (n <= 0) return format;
    probe.truncate(n);
    // Judge whole lines only, so that a character cut at the probe's end does not count.
    qsizetype last = probe.size() - 1;
    while (last >= 0 && !isLineEnd(probe[last]))
        --last;
    if (last >= 0) probe.truncate(last + 1);
    const TextFormat found = detectFormat(probe);
    format.encoding = found.encoding;
    format.lineEnd = found.lineEnd;
    char tail = 0;
    if (::pread(fd, &tail, 1, size - 1) == 1) breakFirst = !isLineEnd(tail);
    return format;
}

} // namespace

bool SupLogReg::RegGrv(const QString& file, const QString& lock, const RecordBuilder& build) {
    if (file.isEmpty() || lock.isEmpty() || !file::validName(file) || !file::validName(lock))
        return false;
    int res = 0;
    DirCriPath(lock, res);
    file::FileLock held;
    if (held.tryLockFile(file::nativeName(lock), kLockAttempts, kAttemptPauseMs, pauseForLock))
        return false;

    file::Fd log;
    if (file::openAppend(file::nativeName(file), log)) {
        // Nobody waits for this program's box: the lock goes first.
        held.unlockAndRemove();
        FicErrMsg(file);
        return false;
    }
    struct stat st {};
    if (::fstat(log.get(), &st) != 0) {
        log.reset();
        held.unlockAndRemove();
        return false;
    }
    const qint64 size = st.st_size;
    bool breakFirst = false;
    const TextFormat format = appendFormat(log.get(), size, breakFirst);

    QStringList lines = build(size);
    for (QString& line : lines)
        line = RTrim(line);
    QByteArray bytes;
    if (breakFirst && !lines.isEmpty())
        bytes = encodeText(lineEndText(format.lineEnd), format.encoding);
    bytes += encodeLines(lines, format);

    int failed = file::writeAll(log.get(), bytes);
    // A record written in part is taken back out: the log holds whole records only.
    if (failed && ::ftruncate(log.get(), off_t(size)) != 0) failed = errno;
    if (const int closed = log.reset(); closed && !failed) failed = closed;
    held.unlockAndRemove();
    return failed == 0;
}

void SupLogReg::FicErrMsg(const QString& file) {
    // The box may itself be handed to a log (the silent message box); it is not reported again.
    if (reportingOpenFailure_) return;
    reportingOpenFailure_ = true;
    vbTrap([&] {
        MsgErr(QStringLiteral("Mensagem de Erro"),
               QStringLiteral("Não foi possivel registar informação no ficheiro : ") + file);
    });
    reportingOpenFailure_ = false;
}

bool SupLogReg::kindRecord(const QString& code, const RecordBuilder& build) {
    const std::optional<RegLogTip> k = TipActCon(code);
    return k && RegGrv(k->Fic, k->Lck, build);
}

bool SupLogReg::kindLines(const QString& code, const QStringList& lines) {
    if (lines.isEmpty()) return TipActCon(code).has_value();
    return kindRecord(code, [&](qint64) { return lines; });
}

void SupLogReg::cmpReg(const QString& kind, int& ok) {
    // The caller's lines as they are now: nothing that runs during the lock's pauses changes
    // what this call writes.
    const QStringList lines = buffer_;
    if (lines.isEmpty()) {
        ok = 1;
        return;
    }
    ok = kindLines(kind, lines) ? 1 : 0;
}

void SupLogReg::MsgReg(const QString& code, const QString& type, const QString& text,
                       const QStringList& lines) {
    const LogStamp now = stamp();
    kindRecord(code, [&](qint64 size) {
        return FicTitVer(size, 2) << CabReg(now, type, text, QStringLiteral("*")) << lines;
    });
}

// ---- Writers ----

void SupLogReg::MsgGrpReg(const QString& kind, const QString& text, const QString& extra) {
    kindLines(kind, {timedLine(stamp().when, text, extra)});
}

void SupLogReg::MsgGrpRtx(const QString& kind, const QString& text) {
    kindLines(kind, {text});
}

void SupLogReg::MsgGrpIdv(const QString& kind, const QString& id, const QString& text,
                          const QString& text2) {
    kindLines(kind, identifiedLines(stamp().when, id, text, text2));
}

void SupLogReg::MsgGrpSit(const QString& kind, const QString& id, const Variant& flag,
                          const QString& text2) {
    MsgGrpIdv(kind, id, SitTx(flag), text2);
}

void SupLogReg::MsgGrpSep(const QString& kind, int n) {
    kindLines(kind, separatorOrBlanks(n, width_));
}

void SupLogReg::MsgGrpCab(const QString& kind, const QString& type, const QString& text,
                          const QString& mode) {
    if (TipActCon(kind)) buffer_ << CabReg(stamp(), type, text, mode);
}

void SupLogReg::MsgGrpCabReg(const QString& kind, const QString& type, const QString& text,
                             const QString& mode) {
    kindLines(kind, CabReg(stamp(), type, text, mode));
}

void SupLogReg::MsgGrpUtz(const QString& kind, const QString& label, const Variant& status,
                          const QString& mode) {
    kindLines(kind, QStringList(2) << CabReg(stamp(), QStringLiteral("-"), QString(), mode)
                                   << SitCnv(label, TxCnv(status)));
}

void SupLogReg::GrpCab(const QString& kind, int n) {
    const LogStamp now = stamp();
    const int width = width_;
    kindRecord(kind, [&](qint64 size) {
        if (size > 0) return QStringList();
        return CabReg(now, QString(), QString(), QStringLiteral("*"))
               << separatorOrBlanks(n, width);
    });
}

void SupLogReg::GrpIde(const QString& kind, int n) {
    const int i = TipIdx(kind);
    if (!i) return;
    const QString title = kinds_[size_t(i) - 1].Des;
    const QStringList header = header_;
    kindRecord(kind, [&](qint64 size) { return FicTitReg(size, title, header, n); });
}

void SupLogReg::RegIniLpz() {
    const QString ini = QStringLiteral("INI");
    const std::optional<RegLogTip> k = TipActCon(ini);
    if (!k) return;
    TipLpz(ini, 0);
    MsgReg(ini, QStringLiteral("INF"), k->Des, {QString()});
}

void SupLogReg::RegIniFim() {
    MsgReg(QStringLiteral("INI"), QStringLiteral("INF"), QStringLiteral("Fim de Inicialização"));
}

void SupLogReg::RegIniMsg(const QString& text, const QString& extra) {
    MsgGrpReg(QStringLiteral("INI"), text, extra);
}

void SupLogReg::RegAceIni(const QString& kind) {
    MsgReg(kind, QStringLiteral("INF"), QStringLiteral("Inicio de acesso"));
}

void SupLogReg::RegAceFim(const QString& kind) {
    MsgReg(kind, QStringLiteral("INF"), QStringLiteral("Fim de acesso"));
}

void SupLogReg::RtxArr(const QString& kind, const Variant& values) {
    if (!values.isArray() || values.array().dimensions() != 1) return;
    const VArray& a = values.array();
    QStringList lines;
    for (int i = qMax(1, a.lbound(1)); i <= a.ubound(1); ++i)
        lines << TxCnv(a.at1(i));
    kindLines(kind, lines);
}

void SupLogReg::RtxPa(const QString& kind, std::initializer_list<Variant> items) {
    QStringList lines;
    for (const Variant& item : items)
        lines << TxCnv(item);
    kindLines(kind, lines);
}

void SupLogReg::RtxLs(const QString& kind, int n) {
    kindLines(kind, LinLpz(n));
}

void SupLogReg::RtxSep(const QString& kind, const Variant& code) {
    MsgGrpRtx(kind, SepLin(code, width_));
}

void SupLogReg::RtxZonSep(const QString& kind, int n) {
    kindRecord(kind, [&](qint64 size) { return FicTitVer(size, n); });
}

// ---- Clearing and viewing ----

bool SupLogReg::TipLpz(const QString& code, int ask) {
    const int i = TipIdx(code);
    if (!i) return false;
    const RegLogTip k = kinds_[size_t(i) - 1];
    if (ask == 1) {
        int answer = 0;
        if (vbTrap([&] { MsgCnf(title_, QStringLiteral("Limpar registo"), answer); })) return false;
        if (answer != 1) return false;
    }
    if (k.Fic.isEmpty() || k.Lck.isEmpty() || !file::validName(k.Fic) || !file::validName(k.Lck))
        return false;
    file::FileLock held;
    if (held.tryLockFile(file::nativeName(k.Lck), kClearAttempts, kAttemptPauseMs, pauseForLock))
        return false;
    const bool gone = ::unlink(file::nativeName(k.Fic).constData()) == 0 || errno == ENOENT;
    held.unlockAndRemove();
    return gone;
}

bool SupLogReg::GrpLpz(const QString& kind, int ask) {
    return TipLpz(kind, ask);
}

void SupLogReg::LogVer(const QString& kind) {
    const RegLogTip* k = this->kind(kind);
    if (!k) return;
    const QString file = k->Fic;
    int res = 0;
    FicExi(file, res);
    if (res == 1) FicVerNotepad(file, 1);
}

void SupLogReg::GrpVer(const QString& kind) {
    const std::optional<RegLogTip> k = TipActCon(kind);
    if (k) FicVerNotepad(k->Fic, 1);
}

} // namespace zv
