// SupLogReg: kinds, set-up, header and column lines, and the line buffer.

#include "SupLogReg.h"

#include "ApiDec.h"
#include "ApiFsys.h"
#include "DbgFx.h"
#include "FicGlb.h"
#include "NumFxd.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cmath>

namespace zv {

using namespace loglayout;

namespace {

// Counts and widths are Integers.
constexpr int kMaxInteger = 32767;

int clampInteger(int n) {
    return qBound(0, n, kMaxInteger);
}

// The number value of a value (a text's leading number); 0 for one without a number.
double numberOf(const Variant& value) {
    Variant n;
    if (vbTrap([&] { NumVal(value, n); })) return 0;
    return n.isNumber() ? n.numericValue() : 0;
}

} // namespace

SupLogReg::SupLogReg() : self_(std::make_shared<SupLogReg*>(this)) {
    DbgObIni(objectName_, instanceId_);
    PrpCab(0, 80);
    PrpCabCo(0);
    PrpRegInf();
    int ok = 0;
    SopUsrNom(user_, ok);
    SopPcNom(machine_, ok);
    FxIni();
}

SupLogReg::~SupLogReg() {
    *self_ = nullptr;
    FxFim();
    header_.clear();
    columns_.clear();
    DbgObFim(objectName_, instanceId_);
}

// ---- Kinds ----

int SupLogReg::TipIdx(const QString& code) const {
    const QString c = TxMai(code);
    for (size_t i = 0; i < kinds_.size(); ++i)
        if (kinds_[i].Cod == c) return int(i) + 1;
    return 0;
}

const RegLogTip* SupLogReg::kind(const QString& code) const {
    const int i = TipIdx(code);
    return i ? &kinds_[size_t(i) - 1] : nullptr;
}

void SupLogReg::TipSel(int index) {
    const RegLogTip& k = kinds_[size_t(index) - 1];
    fic_ = k.Fic;
    lck_ = k.Lck;
    current_ = index;
}

std::optional<RegLogTip> SupLogReg::TipActCon(const QString& code) {
    const int i = TipIdx(code);
    if (!i) return std::nullopt;
    TipSel(i);
    const RegLogTip& k = kinds_[size_t(i) - 1];
    if (k.Act != 1) return std::nullopt;
    return k;
}

int SupLogReg::TipNivCon(const QString& code) {
    const std::optional<RegLogTip> k = TipActCon(code);
    return k ? k->Niv : 0;
}

RegLogTip* SupLogReg::TipReg(const QString& code, const QString& description, const QString& file,
                             const Variant& level, const Variant& active) {
    int i = TipIdx(code);
    if (!i) {
        kinds_.emplace_back();
        i = int(kinds_.size());
    }
    RegLogTip& k = kinds_[size_t(i) - 1];
    k.Cod = TxMai(code);
    k.Des = description;
    PrpOpcFic(code, file);
    PrpOpcMre(code, level);
    PrpOpcUso(code, active);
    return &k;
}

void SupLogReg::PrpReg(int clear) {
    kinds_.clear();
    current_ = 0;
    fic_.clear();
    lck_.clear();
    QString drive, folder;
    DrvTmpPsq(QStringLiteral("V"), drive, folder);
    const auto file = [&](const char* name) {
        return FicPathJun(folder, QString::fromLatin1(name));
    };
    const Variant one(int16_t(1)), zero(int16_t(0));
    TipReg(QStringLiteral("INI"), QStringLiteral("Registo de Inicialização"), file("LogIni.txt"),
           one, one);
    TipReg(QStringLiteral("ERR"), QStringLiteral("Registo de Erros"), file("LogErr.txt"), one,
           zero);
    TipReg(QStringLiteral("ACE"), QStringLiteral("Registo de Acessos"), file("LogAce.txt"), one,
           zero);
    if (clear == 1) TipLpz(QStringLiteral("INI"), 0);
}

void SupLogReg::PrpApp(const AppIdentity& app) {
    program_ = app.exeName;
    comments_ = app.comments;
    major_ = QString::number(app.major);
    minor_ = QString::number(app.minor);
    revision_ = QString::number(app.revision);
    version_ = major_;
    TxJun(version_, QStringLiteral("."), Variant(minor_));
    TxJun(version_, QStringLiteral("."), Variant(revision_));
}

void SupLogReg::PrpGrp(const QString& code, const QString& description, const QString& file,
                       const Variant& level, const Variant& active) {
    TipReg(code, description, file, level, active);
}

void SupLogReg::PrpOpcFic(const QString& code, const QString& file) {
    const int i = TipIdx(code);
    if (!i) return;
    RegLogTip& k = kinds_[size_t(i) - 1];
    const QString day = dateText(ProcessContext::current().now()).replace(u'/', u'_');
    k.Fic = FicNomExp(file, machine_, user_, day);
    k.Lck = lockPathOf(k.Fic);
    int res = 0;
    DirCriPath(k.Fic, res);
    if (res != 0) k.Act = -1;
    k.FicDef = file;
}

void SupLogReg::PrpOpcMre(const QString& code, const Variant& level) {
    const int i = TipIdx(code);
    if (!i) return;
    const double n = std::nearbyint(numberOf(level));
    kinds_[size_t(i) - 1].Niv = n < 0 || n > 3 ? 1 : int(n);
}

void SupLogReg::PrpOpcUso(const QString& code, const Variant& active) {
    const int i = TipIdx(code);
    if (!i) return;
    kinds_[size_t(i) - 1].Act = int(TxTipCnv(active, QStringLiteral("01")).numericValue());
}

// ---- Header and column lines ----

void SupLogReg::PrpCab(int count, int width) {
    width_ = clampInteger(width);
    header_ = QStringList(clampInteger(count), QString(width_, u' '));
}

void SupLogReg::PrpCabCo(int line) {
    columns_ = QList<int>{line};
}

int SupLogReg::PrpCabCoReg(int start, const QString& title) {
    columns_ << start;
    const int line = columns_[0];
    if (line >= 1 && line <= header_.size())
        header_[line - 1] = overwrite(header_[line - 1], start, title);
    return int(columns_.size()) - 1;
}

void SupLogReg::PrpCabTx(int line, const Variant& column, const QString& text) {
    if (line < 1 || line > header_.size()) return;
    QString& target = header_[line - 1];
    if (column.isNumber() && column.numericValue() >= 1) {
        const double c = column.numericValue();
        if (c <= width_) target = overwrite(target, int(c), text);
        return;
    }
    target = SepLin(column, width_);
}

void SupLogReg::MsgCoRtx(int column, const QString& text) {
    columnLine_ = columnLineEdit(columnLine_, column, text, width_);
}

void SupLogReg::MsgCoReg(const QString& kind) {
    MsgGrpRtx(kind, columnLine_);
}

void SupLogReg::MsgCoArr(const QString& kind, const Variant& values) {
    MsgGrpRtx(kind, columnValues(columns_, values, width_));
}

// ---- Line buffer ----

void SupLogReg::CmpArr(const Variant& values) {
    if (!values.isArray() || values.array().dimensions() != 1) return;
    const VArray& a = values.array();
    for (int i = qMax(1, a.lbound(1)); i <= a.ubound(1); ++i)
        buffer_ << TxCnv(a.at1(i));
}

void SupLogReg::CmpPa(std::initializer_list<Variant> items) {
    for (const Variant& item : items)
        buffer_ << TxCnv(item);
}

void SupLogReg::CmpMhr(const QString& text, const QString& extra) {
    buffer_ << timedLine(stamp().when, text, extra);
}

void SupLogReg::CmpIdv(const QString& id, const QString& text, const QString& text2) {
    buffer_ << identifiedLines(stamp().when, id, text, text2);
}

void SupLogReg::CmpMhs(const QString& id, const Variant& flag, const QString& text2) {
    CmpIdv(id, SitTx(flag), text2);
}

void SupLogReg::CmpCab(const QString& type, const QString& text, const QString& mode) {
    buffer_ << CabReg(stamp(), type, text, mode);
}

void SupLogReg::CmpCabInf(const QString& text) {
    CmpCab(QStringLiteral("INF"), text, QStringLiteral("*"));
}

void SupLogReg::CmpLs(int n) {
    buffer_ << LinLpz(n);
}

void SupLogReg::CmpTxs(const Variant& code) {
    buffer_ << SepLin(code, width_);
}

void SupLogReg::CmpSep(int n) {
    buffer_ << separatorOrBlanks(n, width_);
}

void SupLogReg::CmpCon(Variant& lines, int& count) const {
    count = int(buffer_.size());
    lines = Variant::array({{0, count}});
    VArray& a = lines.arrayMut();
    a.at1(0) = Variant(QString());
    for (int i = 1; i <= count; ++i)
        a.at1(i) = Variant(buffer_[i - 1]);
}

LogStamp SupLogReg::stamp() const {
    return LogStamp{
        ProcessContext::current().now(), user_, machine_, program_, version_, comments_};
}

} // namespace zv
