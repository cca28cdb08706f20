// SupApp: identity, captions and variables.

#include "SupApp.h"

#include "DbgFx.h"
#include "FicGlb.h"
#include "GlbVar.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

constexpr int kAppInfIdeMax = 1000;

// The comment text's property key as text; "" when it has none.
QString property(const QString& comments, const QString& key) {
    Variant value{QString()};
    int found = 0;
    PrmCon(comments, key, value, found);
    return value.isString() ? value.rawString() : QString();
}

bool isTokenPart(const QString& part) {
    return StrComp(part, u"[") >= 0 && StrComp(part, u"[z") <= 0;
}

} // namespace

SupApp::SupApp() {
    DbgObIni(objectName_, instanceId_);
    template_ = kDefaultTemplate;
    FxIni();
}

SupApp::~SupApp() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

void SupApp::FxIni() {
    DbgFxIni(objectName_, instanceId_);
    variables();
}

void SupApp::FxFim() {
    DbgFxFim(objectName_, instanceId_);
    variables_.reset();
    options_.reset();
}

SupDat& SupApp::variables() {
    if (!variables_) variables_ = std::make_unique<SupDat>();
    return *variables_;
}

TdaOpc& SupApp::options() {
    if (!options_) options_ = std::make_unique<TdaOpc>();
    return *options_;
}

// ---- Identity and captions ----

void SupApp::AppCapAsp(const QString& captionTemplate) {
    template_ = captionTemplate == u"PGM" ? kProgramTemplate : captionTemplate;
}

void SupApp::AppInfPrp(const AppIdentity& app) {
    comments_ = RTrim(app.comments);
    program_ = app.exeName;
    product_ = RTrim(app.productName);
    TxSepRes(product_, QStringLiteral(" - "), productHead_, productTail_);
    version_ = Trim(QString::number(app.major)) + u'.' + Trim(QString::number(app.minor)) + u'.' +
               Trim(QString::number(app.revision));
    const QString extra = property(comments_, QStringLiteral("VER_X"));
    if (!extra.isEmpty()) version_ += u'.' + extra;
    company_ = app.company;
    caption_ = AppCapFmt(template_);
}

void SupApp::AppInfCon(const QString& token, QString& value) const {
    const QString t = TxMai(token);
    if (t == u"TIT")
        value = title_;
    else if (t == u"PGM")
        value = program_;
    else if (t == u"IDE")
        value = product_;
    else if (t == u"EMP")
        value = company_;
    else if (t == u"EMP+")
        value = UCase(company_);
    else if (t == u"VER")
        value = version_;
    else if (t == u"VER_SP")
        value = u'[' + version_ + u']';
    else if (t == u"CAP+")
        value = UCase(company_) + QStringLiteral(" - ") + product_ + u' ' + version_;
    else
        value = property(comments_, t);
}

void SupApp::AppInfIde(const QString& text, QString& result) const {
    result = text;
    for (int round = 0; round < kAppInfIdeMax; ++round) {
        QString before, inside, after;
        TxDlmSep(result, QStringLiteral("[]"), before, inside, after);
        if (inside.isEmpty()) return;
        QString value;
        AppInfCon(inside, value);
        result = before + value + after;
    }
}

void SupApp::AppInfPgm(const QString& extra, QString& result) const {
    QString program, version;
    AppInfCon(QStringLiteral("PGM"), program);
    AppInfCon(QStringLiteral("VER"), version);
    result = program + QStringLiteral(" (") + version + u')';
    if (!extra.isEmpty()) result += QStringLiteral(" - ") + extra;
}

void SupApp::AppTitIni(const CaptionTarget& form) {
    // a window that is gone leaves the title as it was
    vbTrap([&] { title_ = form.caption(); });
}

void SupApp::AppTitVer(CaptionTarget& form, const QString& text) {
    // a window that is gone has no caption to set
    vbTrap([&] { form.setCaption(text); });
}

void SupApp::AppCapIni(QString& target, const QString& extra) const {
    target = caption_;
    if (!extra.isEmpty()) target += QStringLiteral(" - ") + extra;
}

void SupApp::AppCapIni(CaptionTarget& form, const QString& extra) {
    QString text;
    AppCapIni(text, extra);
    AppTitVer(form, text);
}

QString SupApp::AppCapFmt(const QString& captionTemplate) const {
    QString caption;
    QString rest = captionTemplate;
    while (!rest.isEmpty()) {
        QString part;
        int found = 0;
        TxSep(rest, QStringLiteral("|"), part, found);
        if (!isTokenPart(part)) {
            caption += part;
            continue;
        }
        QString before, inside, after, value;
        TxDlmSep(part, QStringLiteral("[]"), before, inside, after);
        AppInfCon(inside, value);
        caption += value;
    }
    return caption;
}

// ---- Variables ----

void SupApp::VarReg(const QString& name, const Variant& value) {
    int ok = 0;
    variables().DtaAct(name, value, ok);
}

Variant SupApp::VarCon(const QString& name) {
    Variant value{QString()};
    int ok = 0;
    variables().DtaCon(name, value, ok);
    return value;
}

Variant SupApp::VarSbr(const QString& name) {
    QString text = VarCon(name).rawString();
    variables().DatSbr(text);
    return Variant(text);
}

void SupApp::VarPath(const QString& name, const Variant& parts, QString& result) {
    result = VarSbr(name).rawString();
    if (!parts.isArray()) {
        FicPathJun(result, TxCnv(parts), result);
        return;
    }
    const VArray& a = parts.array();
    if (a.dimensions() != 1) return;
    for (int32_t i = a.lbound(1); i <= a.ubound(1); ++i)
        FicPathJun(result, TxCnv(a.at1(i)), result);
}

} // namespace zv
