// ZelVynGlb: starting programs by a numeric mode, and the registry key path and values that the
// scripts work with.

#include "ZelVynGlb.h"

#include "ApiDec.h"
#include "Convert.h"
#include "GlbReg.h"
#include "ProcessContext.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

// The mode as a number; a value that is no number counts as 0 (open without waiting).
double modeNumber(const Variant& mode) {
    double n = 0;
    vbTrap([&] { n = toDouble(mode); });
    return n;
}

bool endedNormally(const Variant& status) {
    return status.isString() && toText(status) == QLatin1String("NOR");
}

} // namespace

Variant PgmExeEsp(const QString& cmd, const Variant& mode) {
    EventPump& pump = ProcessContext::current().pump();
    pump.pump();
    const double m = modeNumber(mode);
    constexpr int kNormalWindow = 1;
    bool ok = false;
    if (m == -1) {
        ok = endedNormally(PgmShellEsp(QStringLiteral("B"), cmd, kNormalWindow));
    } else if (m == -2) {
        ok = endedNormally(PgmShellEsp(QStringLiteral("N"), cmd, kNormalWindow));
    } else if (m > 0) {
        ok = endedNormally(PgmShellEsp(QStringLiteral("B"), cmd, kNormalWindow, m));
    } else {
        int opened = 0;
        PgmAbr(cmd, opened);
        ok = opened == 1;
    }
    pump.pump();
    return Variant(int16_t(ok ? 1 : 0));
}

void RegChvPrp(const QString& mode, QString& key) {
    if (mode == QLatin1String("A"))
        zelVynGlbState().regKeyPath = key;
    else
        key = zelVynGlbState().regKeyPath;
}

void RegValPrp(const QString& mode, const QString& name, QString& value, int& found) {
    found = 1;
    QString keyPath;
    RegChvPrp(QStringLiteral("C"), keyPath);
    const Variant& root = zelVynGlbState().regRoot;
    glbRegState().RegRaiz = root.isEmpty() ? 0 : CLng(root);
    const int32_t rootKey = glbRegState().RegRaiz;
    if (mode == QLatin1String("A")) {
        found = RegValGra(rootKey, keyPath, name, value);
        return;
    }
    // NUL characters go wherever they are (a value written with its terminator, or padded);
    // blanks only at both ends, so that a folder with a blank in its name comes back whole.
    QString withoutNul;
    TxChrFil(0, RegValLer(rootKey, keyPath, name), QString(QChar(0)), withoutNul);
    TxChrFil(3, withoutNul, QStringLiteral(" "), value);
    if (value.isEmpty()) found = 0;
}

} // namespace zv
