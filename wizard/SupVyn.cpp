// SupVyn: life cycle, the window, the script host and the start of the wizard.

#include "SupVyn.h"

#include "Convert.h"
#include "DbgFx.h"
#include "GlbImg.h"
#include "SupVynVbs.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbsSupHost.h"
#include "WizardControls.h"
#include "WizardWindow.h"
#include "ZelVynGlb.h"

#include <optional>

namespace zv {

namespace {

constexpr int kMaxEntries = 32767; // the tables count in 16 bits

// A window measure of the definition that is given: a positive number of twips. "AUTO", a
// missing, empty or non-numeric value (read as 0) and a value not above 0 keep the designed
// size.
std::optional<double> givenMeasure(const Variant& measure) {
    if (measure.isString() || !measure.isNumber()) return std::nullopt;
    const double v = measure.numericValue();
    if (!(v > 0)) return std::nullopt;
    return v;
}

template <class T> int append(std::vector<T>& table, const T& entry) {
    if (int(table.size()) - 1 >= kMaxEntries) throw VbError(err::Overflow);
    table.push_back(entry);
    return int(table.size()) - 1;
}

// The index (from 1) of the first record of a table whose identifier is the same name as name
// (SupVyn::sameName); -1 when none is.
template <class Record>
int locate(const std::vector<Record>& table, QString Record::*ide, const QString& name) {
    for (int i = 1; i < int(table.size()); ++i)
        if (SupVyn::sameName(table[i].*ide, name)) return i;
    return -1;
}

} // namespace

SupVyn::SupVyn() {
    DbgObIni(objectName, instanceId);
    vbsFactory_ = [] { return std::make_shared<VbsSupHost>(); };
    vyn_ = std::make_shared<SupVynVbs>(this);
    vyn_->FxIni();
}

SupVyn::~SupVyn() {
    DbgObFim(objectName, instanceId);
    FxFim();
}

void SupVyn::FxIni() {}

void SupVyn::FxFim() {
    opcAtu_.reset();
    controls_.assign(controls_.size(), nullptr);
    vbTrap([&] { VbsFim(); }); // errors ignored: the engine lets go of everything all the same
    vyn_.reset();
    vbs_.reset();
    controlWindow_ = nullptr;
    window_.reset();
}

// ---- the window ----

void SupVyn::RegFrm(const std::shared_ptr<WizardWindow>& form) {
    window_ = form;
    controlWindow_ = dynamic_cast<WizardControls*>(form.get());
    if (const DispatchPtr obj = windowObject()) {
        designWidth_ = CDbl(obj->get(QStringLiteral("ScaleWidth")));
        designHeight_ = CDbl(obj->get(QStringLiteral("ScaleHeight")));
    }
    VbsFrmReg();
}

DispatchPtr SupVyn::windowObject() const {
    return controlWindow_ ? controlWindow_->windowObject() : nullptr;
}

DispatchPtr SupVyn::loadControl(const QString& array, int index) {
    // A window without control arrays cannot hold page controls.
    if (!controlWindow_) throw VbError(err::ObjectNotSet);
    return controlWindow_->loadControl(array, index);
}

double SupVyn::windowPixels(const QString& axis) const {
    int tx = 0, ty = 0;
    ScrTpp(tx, ty);
    const ZelVynGlbState& g = zelVynGlbState();
    if (axis == u"X") return givenMeasure(g.dimX).value_or(designWidth_) / tx;
    return givenMeasure(g.dimY).value_or(designHeight_) / ty;
}

void SupVyn::VynIni(const QString& file) {
    ParLer(file);
    // Nothing to show: the definition is at fault, and the person is told so.
    if (PagNum() == 0) FpaErr(noPagesFault(file), file);
    const ZelVynGlbState& g = zelVynGlbState();
    const DispatchPtr obj = windowObject();
    if (obj) obj->put(QStringLiteral("Caption"), Variant(g.TitVyn));
    if (window_) {
        ImgFun(*window_, g.imgFunPath);
        MnuIco(*window_, g.imgIcoPath);
    }
    if (obj) {
        if (auto w = givenMeasure(g.dimX)) obj->put(QStringLiteral("Width"), Variant(*w));
        if (auto h = givenMeasure(g.dimY)) obj->put(QStringLiteral("Height"), Variant(*h));
    }
    PagCmpPrp();
    // Page 1 is entered now: its entry procedure runs before the script's "FxIni".
    PagLst = {0};
    PagAtu = 1;
    PagVer(PagAtu);
}

void SupVyn::VynExe() {
    if (!window_) throw VbError(err::ObjectNotSet);
    window_->VynExe(*this);
}

// ---- the script host ----

VbsHost& SupVyn::vbs() {
    ++scriptUses_;
    if (!vbs_) {
        if (vbsFactory_) vbs_ = vbsFactory_();
        if (!vbs_) throw VbError(err::CannotCreateObject);
    }
    return *vbs_;
}

bool SupVyn::VbsVarDef(const QString& name, const Variant& value, int mode) {
    QString text;
    TxCnvPrp(value, text);
    if (mode == 1) text = TxVbsAsp(text);
    int ok = 0;
    vbs().ExeCmd(name + u'=' + text, ok);
    return ok == 1;
}

void SupVyn::VbsVarReg(const QString& name, const QString& value) {
    VbsVarDef(name, Variant(value), 1);
}

bool SupVyn::VbsPgmReg(const QStringList& lines) {
    VbsHost& host = vbs();
    host.VbsIni();
    int ok = 0;
    host.PgmRegArr(1, lines, ok);
    return ok == 1;
}

// ---- tables ----

int SupVyn::ZpoAdd(const ZpoDef& z) {
    return append(zpo_, z);
}

int SupVyn::PagAdd(const PagDef& p) {
    return append(pag_, p);
}

int SupVyn::CmpAdd(const CmpDef& c) {
    const int i = append(cmp_, c);
    controls_.resize(cmp_.size());
    PagDef& page = pag_.back(); // page 0 before the first "PAG" zone
    page.CmpFim = page.CmpNum == 0 ? page.CmpIni : int16_t(page.CmpFim + 1);
    ++page.CmpNum;
    return i;
}

bool SupVyn::sameName(QStringView a, QStringView b) {
    // As their trimmed upper-case texts compare, without making them.
    const auto trimmed = [](QStringView s) {
        while (!s.isEmpty() && s.front() == u' ')
            s = s.sliced(1);
        while (!s.isEmpty() && s.back() == u' ')
            s.chop(1);
        return s;
    };
    return equalsNoCase(trimmed(a), trimmed(b));
}

void SupVyn::ZpoLoc(const QString& name, int& index) const {
    index = locate(zpo_, &ZpoDef::Ide, name);
}

void SupVyn::PagLoc(const QString& name, int& number) const {
    number = locate(pag_, &PagDef::IDE, name);
}

DispatchPtr SupVyn::control(int i) const {
    return i >= 0 && i < int(controls_.size()) ? controls_[i] : nullptr;
}

} // namespace zv
