// ApiDec: the operating system's identity, the user and computer names.

#include "ApiDec.h"

#include "GlbVar.h"
#include "ModuleState.h"
#include "OsIdentity.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

// The code and name of the first flag set; no flag: "WNT" with this system's own name (the
// distribution's) when the record is no Windows one, else "Windows NT".
void sopCod(QString& code, QString& name) {
    const ApiDecState& s = apiDecState();
    const SopIdeFlags& f = s.SopIdeSit;
    struct Known {
        bool set;
        const char* code;
        const char* name;
    };
    const Known known[] = {
        {f.W95, "W95", "Windows 95"},       {f.W98, "W98", "Windows 98"},
        {f.W2000, "W2000", "Windows 2000"}, {f.WXP, "WXP", "Windows XP"},
        {f.WVI, "WVI", "Windows Vista"},    {f.W7, "W7", "Windows 7"},
    };
    for (const Known& k : known) {
        if (k.set) {
            code = QString::fromLatin1(k.code);
            name = QString::fromLatin1(k.name);
            return;
        }
    }
    code = QStringLiteral("WNT");
    name = s.SopVerInf.platformId == 0 ? osPrettyName(ProcessContext::current().osReleaseFile())
                                       : QStringLiteral("Windows NT");
}

QString familyOf(const QString& code) {
    static const QStringList nineX{QStringLiteral("W95"), QStringLiteral("W98")};
    static const QStringList nt{QStringLiteral("W2000"), QStringLiteral("WXP"),
                                QStringLiteral("WNT"), QStringLiteral("WVI"), QStringLiteral("W7")};
    if (nineX.contains(code)) return QStringLiteral("9X");
    if (nt.contains(code)) return QStringLiteral("WNT");
    return QStringLiteral("?");
}

} // namespace

ApiDecState& apiDecState() {
    return moduleState<ApiDecState>();
}

void apiDecReset() {
    resetModuleState<ApiDecState>();
}

void SopVerLer() {
    ApiDecState& s = apiDecState();
    SopVerInfo v;
    if (s.versionOverride) {
        v = *s.versionOverride;
    } else {
        // This system reports no Windows platform id; the numbers are the kernel's.
        const KernelVersion k = parseKernelRelease(ProcessContext::current().unameInfo().release);
        v.major = k.major;
        v.minor = k.minor;
        v.build = k.build;
        v.platformId = 0;
    }
    v.size = 148;
    const qsizetype nul = v.servicePack.indexOf(QChar(0));
    if (nul >= 0) v.servicePack.truncate(nul);
    s.SopVerInf = v;

    SopIdeFlags& f = s.SopIdeSit;
    if (v.platformId == 1) {
        if (v.minor < 10)
            f.W95 = true;
        else
            f.W98 = true;
    } else if (v.platformId == 2) {
        if (v.major == 5 && v.minor == 0) f.W2000 = true;
        if (v.major == 5 && v.minor >= 1) f.WXP = true;
        if (v.major == 6 && v.minor == 0) f.WVI = true;
        if (v.major == 6 && v.minor >= 1) f.W7 = true;
    }
}

void SopIdeLer(QString& name, QString& code) {
    SopVerLer();
    sopCod(code, name);
}

void SopVerTx(QString& text, QString& number) {
    QString name, code;
    SopIdeLer(name, code);
    const SopVerInfo& v = apiDecState().SopVerInf;
    const QString build = QString::number(NuI2Cnv(v.build));
    text = name + QStringLiteral(" v") + QString::number(v.major) + u'.' +
           QString::number(v.minor) + QStringLiteral(", Build ") + build;
    number = QString::number(v.platformId) + u'.' + QString::number(v.major) + u'.' +
             QString::number(v.minor) + u'.' + build;
}

void SopPrpCon(const QString& key, Variant& target) {
    QString text, number, name, code;
    SopVerTx(text, number);
    sopCod(code, name);
    const SopVerInfo& v = apiDecState().SopVerInf;
    Variant value;
    if (key == QLatin1String("P"))
        value = Variant(v.platformId);
    else if (key == QLatin1String("V+"))
        value = Variant(v.major);
    else if (key == QLatin1String("V-"))
        value = Variant(v.minor);
    else if (key == QLatin1String("VB"))
        value = Variant(int32_t(NuI2Cnv(v.build)));
    else if (key == QLatin1String("VC"))
        value = Variant(Trim(v.servicePack));
    else if (key == QLatin1String("VER"))
        value = Variant(number);
    else if (key == QLatin1String("IDE"))
        value = Variant(name);
    else if (key == QLatin1String("COD"))
        value = Variant(code);
    else if (key == QLatin1String("FAM"))
        value = Variant(familyOf(code));
    else
        value = Variant(text);
    VarAtr(value, target);
}

void SopIdeFam(QString& generation, QString& family, QString& code) {
    QString name;
    SopIdeLer(name, code);
    Variant fam{QString()};
    SopPrpCon(QStringLiteral("FAM"), fam);
    family = TxCnv(fam);
    if (code == QLatin1String("W95") || code == QLatin1String("W98"))
        generation = QStringLiteral("9X");
    else if (code == QLatin1String("WNT"))
        generation = QStringLiteral("WNT");
    else if (code == QLatin1String("W2000") || code == QLatin1String("WXP"))
        generation = QStringLiteral("W2K");
    else if (code == QLatin1String("WVI") || code == QLatin1String("W7"))
        generation = QStringLiteral("WVI");
    else
        generation = QStringLiteral("?");
}

int NuI2Cnv(int64_t n) {
    return int(int16_t(uint16_t(uint64_t(n) & 0xFFFF)));
}

void ApiStrAjt(const QString& buffer, QString& text, int& ok, const QString& def) {
    QString clean;
    TxChrFil(0, buffer, QStringLiteral(" ") + QChar(0), clean);
    if (clean.isEmpty()) {
        text = UCase(def);
    } else {
        text = UCase(clean);
        ok = 1;
    }
}

void SopUsrNom(QString& name, int& ok) {
    ApiStrAjt(ProcessContext::current().userName(), name, ok, QStringLiteral("ROOT"));
}

void SopPcNom(QString& name, int& ok) {
    ApiStrAjt(ProcessContext::current().computerName(), name, ok, QStringLiteral("ROOT"));
}

} // namespace zv
