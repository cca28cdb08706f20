// SupVynVbs: the actions on programs, drives and paths, files and folders, components and
// printers.

#include "SupVynVbs.h"

#include "ApiDec.h"
#include "ApiFsys.h"
#include "ApiPrt.h"
#include "Convert.h"
#include "FicGlb.h"
#include "FsysAttr.h"
#include "MountTable.h"
#include "ProcessContext.h"
#include "SupFsys.h"
#include "SupShf.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"
#include "VynArgs.h"
#include "VynEngineAccess.h"

namespace zv {

namespace {

using vynargs::argText;
using vynargs::integer;

std::vector<MountedDrive> mountedDrives() {
    return readMountTable(ProcessContext::current().mountTableFile(),
                          apiFsysState().sysBlockFolder);
}

// Whether a drive belongs to a drive type code, as the drive list filters: "A", "F", "R",
// "CD" and "RAM" that type only, "HD" fixed and remote drives, anything else every drive.
bool driveOfType(const MountedDrive& d, const QString& filter) {
    QString code, text;
    DrvTipTx(int(d.kind), code, text);
    if (filter == QLatin1String("HD"))
        return code == QLatin1String("F") || code == QLatin1String("R");
    static const QStringList single{QStringLiteral("A"), QStringLiteral("F"), QStringLiteral("R"),
                                    QStringLiteral("CD"), QStringLiteral("RAM")};
    return single.contains(filter) ? code == filter : true;
}

} // namespace

// ---- Programs, drives and paths ----

Variant SupVynVbs::FxPgmExe(const Variant& cmd) {
    int result = 0;
    const QString command = argText(cmd);
    if (command.isEmpty()) {
        result = -1;
    } else {
        vbTrap([&] {
            // A command with arguments is started as a command line; a single word is opened
            // (a program is started, a document goes to its associated program).
            QString rest = command;
            QString first;
            int found = 0;
            zv::TxSep(rest, QStringLiteral(" "), first, found);
            int ok = 0;
            if (!Trim(rest).isEmpty())
                PgmExe(command, ok);
            else
                PgmAbr(command, ok);
            result = ok;
        });
    }
    vbTrap([&] { debugResult(QStringLiteral("FxPgmExe ") + command, integer(result)); });
    return integer(result);
}

Variant SupVynVbs::FxShell(const Variant& cmd, const Variant& mode) {
    if (!engine_) return integer(0);
    const Variant status = engine_->PgmExeEsp(argText(cmd), mode);
    return integer(status.isNumber() && status.numericValue() == 1 ? 1 : 0);
}

Variant SupVynVbs::FxDrvUsa(const Variant& type) {
    const QString filter = TxMai(argText(type));
    QString drive;
    for (const MountedDrive& d : mountedDrives()) {
        if (driveOfType(d, filter)) {
            drive = d.mountPoint;
            break;
        }
    }
    debugResult(QStringLiteral("FxDrvUsa ") + argText(type), Variant(drive));
    return Variant(drive);
}

Variant SupVynVbs::FxPgm(const Variant& part) {
    const QString folder = ProcessContext::current().programFolder();
    const QString what = TxMai(argText(part));
    if (what == QLatin1String("DRV")) {
        // A drive letter or the server and share of a network folder; for a folder of this
        // system the mount point that holds it.
        QString drive, rest;
        FicUniSep(folder, drive, rest);
        if (drive.isEmpty()) drive = mountPointOf(mountedDrives(), folder);
        return Variant(drive);
    }
    if (what == QLatin1String("DIR") || what == QLatin1String("NOM")) {
        QString dir, name;
        FicDirNom(folder, dir, name);
        return Variant(what == QLatin1String("DIR") ? dir : name);
    }
    return Variant(folder);
}

Variant SupVynVbs::FxFicLoc(const Variant& parts) {
    const QString path = FicPathJunLis(parts);
    debugResult(QStringLiteral("FxFicLoc"), Variant(path));
    return Variant(path);
}

// ---- Files and folders ----

template <class F>
Variant SupVynVbs::pathToPath(const QString& name, const Variant& src, const Variant& dst,
                              F&& work) {
    const QString from = argText(src);
    const QString to = argText(dst);
    int result = 0;
    if (from.isEmpty() || to.isEmpty())
        result = -1;
    else
        work(from, to, result);
    vbTrap(
        [&] { debugResult(name + u' ' + from + QStringLiteral(" para ") + to, integer(result)); });
    return integer(result);
}

Variant SupVynVbs::FxDirCop(const Variant& src, const Variant& dst) {
    return pathToPath(QStringLiteral("FxDirCop"), src, dst,
                      [this](const QString& from, const QString& to, int& result) {
                          vbTrap([&] {
                              QString type;
                              int attr = 0;
                              FicTip(from, type, attr);
                              if (type != QLatin1String("D")) return;
                              SupShf shell;
                              shell.AspExe(1, 0);
                              const Variant copied = shell.FxCopDfi(from, to);
                              result = copied.isInteger16() && copied.rawInteger() == -1 ? -1 : 0;
                          });
                          // Whether or not the copy worked, the target tree is made normal.
                          if (attributes_ == 1)
                              vbTrap([&] {
                                  walker_->ProFsysAtrb(to, QStringLiteral("+N"),
                                                       QStringLiteral("*.*"));
                              });
                      });
}

Variant SupVynVbs::FxFicCop(const Variant& src, const Variant& dst) {
    return pathToPath(QStringLiteral("FxFicCop"), src, dst,
                      [this](const QString& from, const QString& to, int& result) {
                          vbTrap([&] { FicCop(from, to, result); });
                          if (attributes_ == 1) vbTrap([&] { fsys::setAttributes(to, 0); });
                      });
}

Variant SupVynVbs::FxFicRen(const Variant& oldPath, const Variant& newPath) {
    return pathToPath(QStringLiteral("FxFicRen"), oldPath, newPath,
                      [](const QString& from, const QString& to, int& result) {
                          vbTrap([&] { FicRen(from, to, result); });
                      });
}

Variant SupVynVbs::FxFicEli(const Variant& file) {
    const QString path = argText(file);
    int result = 0;
    if (path.isEmpty())
        result = -1;
    else
        vbTrap([&] { FicEli(path, result); });
    vbTrap([&] { debugResult(QStringLiteral("FxFicEli ") + path, integer(result)); });
    return integer(result);
}

Variant SupVynVbs::FxFicTip(const Variant& path) {
    const QString p = argText(path);
    QString type;
    int attr = 0;
    FicTip(p, type, attr);
    debugResult(QStringLiteral("FxFicTip ") + p, Variant(type));
    return Variant(type);
}

// ---- Components ----

Variant SupVynVbs::FxCmpRegFic(const Variant& mode, const Variant& file) {
    const QString m = TxMai(argText(mode));
    const QString path = argText(file);
    int result = -1;
    // Each registration call has a flag of its own: the unregistering's success must not
    // pass for the registering's.
    if (m == QLatin1String("R")) {
        int removed = 0;
        CmpRegFic(QStringLiteral("R"), path, removed);
        int registered = 0;
        CmpRegFic(QStringLiteral("I"), path, registered);
        result = registered;
    } else if (m == QLatin1String("E")) {
        int removed = 0;
        CmpRegFic(QStringLiteral("R"), path, removed);
        result = removed;
    }
    debugResult(QStringLiteral("FxCmpRegFic ") + m + u' ' + path, integer(result));
    return integer(result);
}

Variant SupVynVbs::FxCmpRegDir(const Variant& mode, const Variant& dir, const Variant& ext) {
    const QString m = TxMai(argText(mode));
    const QString e = TxMai(argText(ext));
    const QString folder = argText(dir);
    int result = -1;
    if (m == QLatin1String("R")) {
        // Every file unregistered and registered again.
        CmpRegDir(QStringLiteral("A"), folder, e);
        result = 1;
    } else if (m == QLatin1String("E")) {
        CmpRegDir(QStringLiteral("R"), folder, e);
        result = 1;
    }
    debugResult(QStringLiteral("FxCmpRegDir ") + m + QStringLiteral(" [") + e +
                    QStringLiteral("] ") + folder,
                integer(result));
    return integer(result);
}

// ---- Printers ----

Variant SupVynVbs::FxPrtPdfIns(const Variant& printer, const Variant& port, const Variant& driver) {
    QString result = QStringLiteral("OK");
    QString name, portName, model;
    vbTrap([&] {
        name = argText(printer);
        portName = argText(port);
        model = argText(driver);
    });
    // A port named by a file path gets its folder.
    vbTrap([&] {
        int res = 0;
        DirCriPath(portName, res);
    });
    // A port that cannot be added is not reported: the printer's add then tells.
    vbTrap([&] {
        int found = 0;
        PorExi(portName, found);
        if (found == 0) {
            int ok = 0;
            PorIns(portName, ok);
        }
    });
    int exists = 0;
    vbTrap([&] { PrtExi(name, exists); });
    if (exists == 1) return Variant(QStringLiteral("PR_VT_EXI"));
    // Attributes 66: a local printer that prints directly.
    int added = 0;
    vbTrap([&] { PrtIns(name, model, portName, Variant(int16_t(66)), added); });
    if (added == 0) result = QStringLiteral("PR_VT_KO");
    return Variant(result);
}

} // namespace zv
