// SupApp: the command line, the parameter file and the options file.

#include "SupApp.h"

#include "FicGlb.h"
#include "GlbVar.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

bool fileExists(const QString& path) {
    int res = 0;
    FicExi(path, res);
    return res == 1;
}

} // namespace

void SupApp::LcIni(const QString& defaultName) {
    LcArgSep(ArgPgm());
    commandText_ = args_.value(0);
    LcPrpFpa(defaultName);
    LcPrpAut();
    LcSwiLer();
}

void SupApp::LcArgSep(const QStringList& words) {
    args_ = QStringList{words.join(u' ')} + words;
}

int SupApp::LcExi(const QString& name) const {
    for (int i = 1; i <= LcNop(); ++i) {
        if (UCase(args_.at(i)) == name) return i;
    }
    return 0;
}

void SupApp::LcIxv(const QString& name, int& index, int& ok) const {
    const int position = LcExi(name);
    index = position > 0 ? position + 1 : -1;
    ok = index >= 1 && index <= LcNop() ? 1 : 0;
}

void SupApp::LcCon(const QString& name, Variant& value, int& ok) const {
    int index = 0;
    LcIxv(name, index, ok);
    LcCon(index, value, ok);
}

void SupApp::LcCon(int index, Variant& value, int& ok) const {
    ok = index >= 1 && index <= LcNop() ? 1 : 0;
    if (ok)
        VarAtr(Variant(args_.at(index)), value);
    else
        VarIniTip(value);
}

void SupApp::LcPrpFpa(const QString& defaultName) {
    Variant word{QString()};
    int ok = 0;
    LcCon(QStringLiteral("-FP"), word, ok);
    fpPath_ = word.rawString();
    if (fpPath_.isEmpty() && !defaultName.isEmpty())
        fpPath_ = FicPathJun(ProcessContext::current().programFolder(), defaultName);
}

void SupApp::LcPrpAut() {
    Variant word{QString()};
    int ok = 0;
    LcCon(QStringLiteral("-AUT"), word, ok);
    const QString name = word.rawString();
    autPath_.clear();
    if (name.isEmpty()) return;
    if (fileExists(name)) {
        autPath_ = name;
        return;
    }
    QString parameterFolder, parameterName;
    FicDirNom(fpPath_, parameterFolder, parameterName);
    const QString folders[] = {QString(), ProcessContext::current().programFolder(),
                               parameterFolder};
    const QString subFolders[] = {QString(), QStringLiteral("OpcAut"), QStringLiteral("Aut")};
    for (const QString& folder : folders) {
        for (const QString& sub : subFolders) {
            const QString candidate = FicPathJun(FicPathJun(folder, sub), name);
            if (fileExists(candidate)) {
                autPath_ = candidate;
                return;
            }
        }
    }
}

void SupApp::LcConFpa(QString& path, int& exists) const {
    path = fpPath_;
    exists = fileExists(path) ? 1 : 0;
}

void SupApp::LcConAut(QString& path, int& exists) const {
    path = autPath_;
    exists = fileExists(path) ? 1 : 0;
}

void SupApp::LcSwiLer() {
    if (!fileExists(autPath_)) return;
    options_ = std::make_unique<TdaOpc>();
    options_->ZonIni(autPath_);
    QString name, type, description;
    int count = 0;
    do {
        options_->ZonSeg(name, type, count, description);
    } while (!name.isEmpty());
    options_->ZonFim();
}

void SupApp::LcOpcCon(const QString& name, Variant& result, const QString& mode) {
    const int position = LcExi(name);
    QString value;
    if (position != 0) {
        Variant word{QString()};
        int ok = 0;
        LcCon(position + 1, word, ok);
        value = word.rawString();
    } else {
        options().OpcCon(name, value);
    }
    const QString m = TxMai(mode);
    if (m == u"IDX") {
        result = Variant(int16_t(position));
    } else if (m == u"IXV") {
        int index = 0, ok = 0;
        LcIxv(name, index, ok);
        result = Variant(int16_t(position != 0 ? index : 0));
    } else if (m == u"SN") {
        result = TxTipCnv(Variant(value), QStringLiteral("01"));
    } else if (m == u"EXI") {
        result =
            position != 0 ? Variant(int16_t(1)) : TxTipCnv(Variant(value), QStringLiteral("01"));
    } else {
        result = Variant(value);
    }
}

} // namespace zv
