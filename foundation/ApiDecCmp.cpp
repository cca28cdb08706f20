// ApiDec: registering and unregistering components.

#include "ApiDec.h"

#include "ComponentLoader.h"
#include "FicGlb.h"
#include "GlbMsg.h"
#include "Text.h"
#include "VbError.h"

namespace zv {

int CmpRegExe(const QString& file, int op) {
    int result = CmpRegNone;
    if (file.isEmpty()) return result;
    const VbTrapped failed = vbTrap([&] {
        if (op != 1 && op != 2) {
            // No entry point to look for; the module still has to load.
            const ComponentCall call = callComponentEntry(file, "", std::chrono::milliseconds(0));
            result = call.outcome == ComponentCall::Outcome::LoadFailed ? CmpRegLoadFailed
                                                                        : CmpRegNoEntry;
            return;
        }
        const char* symbol = op == 1 ? "DllRegisterServer" : "DllUnregisterServer";
        const ComponentCall call = callComponentEntry(file, symbol, apiDecState().cmpRegWait);
        switch (call.outcome) {
        case ComponentCall::Outcome::LoadFailed:
            result = CmpRegLoadFailed;
            break;
        case ComponentCall::Outcome::NoEntryPoint:
            result = CmpRegNoEntry;
            break;
        case ComponentCall::Outcome::NoThread:
            result = CmpRegNone;
            break;
        case ComponentCall::Outcome::TimedOut:
            result = CmpRegTimedOut;
            break;
        case ComponentCall::Outcome::Returned:
            // A failure code from the entry point is no registration.
            if (call.result < 0)
                result = CmpRegEntryFailed;
            else
                result = op == 1 ? CmpRegRegistered : CmpRegUnregistered;
            break;
        }
    });
    if (failed) MsgErr(QStringLiteral("ERRO REG DLL"), failed->description() + u'|' + file);
    return result;
}

void CmpRegFic(const QString& mode, const QString& file, int& ok) {
    vbTrap([&] {
        if (mode == QLatin1String("I")) {
            const QString title = QStringLiteral("Instalar Componente");
            int exists = 0;
            FicExi(file, exists);
            if (exists == 0) {
                int answer = 0;
                MsgExe(QStringLiteral("!CNF"), title,
                       Variant(QStringLiteral("O Componente |") + file +
                               QStringLiteral("| Não existe!")),
                       answer);
            } else if (CmpRegExe(file, 1) == CmpRegRegistered) {
                ok = 1;
            }
        } else if (mode == QLatin1String("R")) {
            if (CmpRegExe(file, 2) == CmpRegUnregistered) ok = 1;
        }
    });
}

void FicLstExt(const QString& dir, const QString& ext, QStringList& files, int& n) {
    int res = 0;
    n = 0;
    DirLst(QStringLiteral("F"), dir, QStringLiteral("*.") + ext, files, n, res);
    while (files.size() > n + 1)
        files.removeLast();
}

void CmpRegLst(const QString& mode, const QString& dir, const QStringList& files) {
    const QString m = UCase(Trim(mode));
    for (qsizetype i = 1; i < files.size(); ++i) {
        const QString path = FicPathJun(dir, files[i]);
        int ok = 0;
        if (m == QLatin1String("I")) {
            CmpRegFic(QStringLiteral("I"), path, ok);
        } else if (m == QLatin1String("R")) {
            CmpRegFic(QStringLiteral("R"), path, ok);
        } else {
            CmpRegFic(QStringLiteral("R"), path, ok);
            int again = 0;
            CmpRegFic(QStringLiteral("I"), path, again);
        }
    }
}

void CmpRegExt(const QString& mode, const QString& ext, const QString& dir) {
    QStringList files;
    int n = 0;
    FicLstExt(dir, ext, files, n);
    CmpRegLst(mode, dir, files);
}

void CmpRegDir(const QString& mode, const QString& dir, const QString& ext) {
    const QString e = UCase(Trim(ext));
    if (e == QLatin1String("DLL")) {
        CmpRegExt(mode, QStringLiteral("DLL"), dir);
    } else if (e == QLatin1String("OCX")) {
        CmpRegExt(mode, QStringLiteral("OCX"), dir);
    } else {
        CmpRegExt(mode, QStringLiteral("DLL"), dir);
        CmpRegExt(mode, QStringLiteral("OCX"), dir);
    }
}

} // namespace zv
