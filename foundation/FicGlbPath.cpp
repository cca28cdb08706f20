// FicGlb: path text (folders, names, extensions, drives and network prefixes).

#include "FicGlb.h"

#include "Convert.h"
#include "ModuleState.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

FicGlbState& ficGlbState() {
    return moduleState<FicGlbState>();
}

void ficGlbReset() {
    resetModuleState<FicGlbState>();
}

QString ficSep() {
    const QString& sep = ficGlbState().FicSepDir;
    return sep.isEmpty() ? QStringLiteral("/") : sep;
}

void FicSepIni(const QString& sep) {
    ficGlbState().FicSepDir = sep.isEmpty() ? QStringLiteral("/") : sep;
}

void FicDirNom(const QString& path, QString& dir, QString& name) {
    const QString p = Trim(path);
    const QString sep = ficSep();
    for (qsizetype i = p.size() - 1; i >= 0; --i) {
        if (p.mid(i, sep.size()) == sep) {
            dir = p.left(i);
            name = p.mid(i + sep.size());
            return;
        }
        if (p[i] == u']') {
            dir = p.left(i + 1);
            name = p.mid(i + 1);
            return;
        }
    }
    dir = QString();
    name = p;
}

void FicDrvSep(const QString& path, QString& drive, QString& rest) {
    const QString sep = ficSep();
    if (Mid(path, 2, 1) == QLatin1String(":")) {
        drive = Left(path, 1);
        rest = Mid(path, 3);
    } else {
        drive = QString();
        rest = path;
    }
    if (path.startsWith(sep + sep)) {
        QString text = path.mid(2 * sep.size());
        if (text.contains(sep)) {
            QString after;
            TxSepTip(QStringLiteral("PE"), text, sep, after);
            drive = sep + sep + text;
            rest = after;
        } else {
            // Only a server: all of it is the drive.
            drive = path;
            rest = QString();
        }
    }
}

void FicUniSep(const QString& path, QString& drive, QString& rest) {
    const QString sep = ficSep();
    if (Mid(path, 2, 1) == QLatin1String(":")) {
        drive = Left(path, 1);
        rest = Mid(path, 3);
        return;
    }
    if (path.startsWith(sep + sep)) {
        const qsizetype from = 2 * sep.size();
        const qsizetype serverEnd = path.indexOf(sep, from);
        const qsizetype shareEnd = serverEnd < 0 ? -1 : path.indexOf(sep, serverEnd + sep.size());
        if (shareEnd < 0) {
            // The path ends at the share (or at the server): all of it is the drive.
            drive = path;
            rest = QString();
        } else {
            drive = path.left(shareEnd);
            rest = path.mid(shareEnd + sep.size());
        }
        return;
    }
    drive = QString();
    rest = path;
}

void FicExtPos(const QString& name, int& pos) {
    TxPsq(QStringLiteral("R"), name, QStringLiteral("."), pos);
    if (pos < 2) pos = 0;
}

void FicNomSepExe(const QString& name, QString& base, QString& ext, int flag) {
    int pos = 0;
    FicExtPos(name, pos);
    if (flag == 1 && pos == 0) pos = InStr(name, u" ");
    if (pos == 0) pos = Len(name) + 1;
    base = Trim(Left(name, pos - 1));
    ext = Trim(Mid(name, pos + 1));
}

void FicNomSep(const QString& name, QString& base, QString& ext) {
    FicNomSepExe(name, base, ext, 1);
}

void FicExtAjt(const QString& base, const QString& ext, QString& out) {
    out = ext.isEmpty() ? base : base + u'.' + ext;
}

void FicExtSbs(const QString& name, const QString& ext, QString& out, int flag) {
    QString base, oldExt;
    FicNomSepExe(name, base, oldExt, flag);
    FicExtAjt(base, ext, out);
}

void FicPathJun(const QString& dir, const QString& name, QString& out) {
    const QString sep = ficSep();
    QString d = dir;
    if (!d.isEmpty() && !d.endsWith(sep)) d += sep;
    QString n = name;
    if (n.startsWith(sep) && !dir.isEmpty()) n = n.mid(sep.size());
    QString r = d + n;
    if (r.endsWith(sep) && r.size() > sep.size()) r.chop(sep.size());
    if (r.size() == 2 && r[1] == u':') r += sep;
    out = r;
}

QString FicPathJun(const QString& dir, const QString& name) {
    QString out;
    FicPathJun(dir, name, out);
    return out;
}

QString FicPathJunLis(const Variant& parts) {
    QString path;
    if (!parts.isArray()) {
        FicPathJun(path, toText(parts), path);
        return path;
    }
    const VArray& a = parts.array();
    if (a.dimensions() < 1) return path;
    for (int32_t i = a.lbound(1); i <= a.ubound(1); ++i)
        FicPathJun(path, toText(a.at1(i)), path);
    return path;
}

void FicPathPrt(const QString& path, QStringList& parts) {
    while (parts.size() < 6)
        parts << QString();
    QString dir, name, drive, folder, base, ext;
    FicDirNom(path, dir, name);
    FicDrvSep(dir, drive, folder);
    FicNomSepExe(name, base, ext, 1);
    parts[0] = path;
    parts[1] = drive;
    parts[2] = folder;
    parts[3] = name;
    parts[4] = base;
    parts[5] = ext;
}

void FicPathLst(const QString& path, QStringList& levels, int& count) {
    const QString sep = ficSep();
    const bool network = path.startsWith(sep + sep);
    // The network prefix would split into two empty levels: keep it with the server.
    const QString work = network ? QStringLiteral("||") + path.mid(2 * sep.size()) : path;
    count = 0;
    TxArrSep(work, sep, levels, count);
    if (network && count >= 1) levels[1] = sep + sep + levels[1].mid(2);
}

} // namespace zv
