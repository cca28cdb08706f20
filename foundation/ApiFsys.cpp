#include "ApiFsys.h"

#include "FicGlb.h"
#include "ModuleState.h"
#include "MountTable.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

std::vector<MountedDrive> drives() {
    return readMountTable(ProcessContext::current().mountTableFile(),
                          apiFsysState().sysBlockFolder);
}

// The mount point a drive root stands for.
QString mountOfRoot(const QString& root) {
    const QString sep = ficSep();
    if (root == sep || root == QLatin1String("/")) return QStringLiteral("/");
    QString m = root;
    if (m.endsWith(sep)) m.chop(sep.size());
    return m;
}

} // namespace

ApiFsysState& apiFsysState() {
    return moduleState<ApiFsysState>();
}

void apiFsysReset() {
    resetModuleState<ApiFsysState>();
}

QString DirSisWin() {
    return ProcessContext::current().windowsFolder();
}

QString DirSisSys() {
    return ProcessContext::current().systemFolder();
}

void DirSis(QString& winDir, QString& sysDir) {
    winDir = DirSisWin();
    sysDir = DirSisSys();
}

QString DirTmp() {
    return FicPathJun(ProcessContext::current().tempFolder(), QString());
}

QString DrvLet(const Variant& drive) {
    const QString sep = ficSep();
    QString root;
    if (drive.isNumber()) {
        const double n = drive.numericValue();
        if (n >= 1 && n <= 26 && n == double(int(n))) root = QChar(u'A' + int(n) - 1) + u':';
    } else {
        root = TxCnv(drive);
        if (root.size() == 1 && root[0].isLetter()) root += u':';
    }
    if (!root.endsWith(sep)) root += sep;
    return root;
}

void DrvTip(const Variant& drive, int& type, QString& text) {
    const QString mount = mountOfRoot(DrvLet(drive));
    type = 1;
    for (const MountedDrive& d : drives()) {
        if (d.mountPoint != mount) continue;
        switch (d.kind) {
        case DriveKind::Removable:
            type = 2;
            break;
        case DriveKind::Fixed:
            type = 3;
            break;
        case DriveKind::Remote:
            type = 4;
            break;
        case DriveKind::CdRom:
            type = 5;
            break;
        case DriveKind::RamDisk:
            type = 6;
            break;
        default:
            type = 0;
            break;
        }
    }
    switch (type) {
    case 0:
        text = QStringLiteral("?");
        break;
    case 1:
        text = QStringLiteral("Inválido");
        break;
    case 2:
        text = QStringLiteral("Amovivél");
        break;
    case 3:
        text = QStringLiteral("Fixo");
        break;
    case 4:
        text = QStringLiteral("Remoto");
        break;
    case 5:
        text = QStringLiteral("CD-ROM");
        break;
    case 6:
        text = QStringLiteral("RAM Disk");
        break;
    default:
        type = -1;
        text = QStringLiteral("???");
        break;
    }
}

void DrvTipTx(int driveType, QString& code, QString& text) {
    switch (driveType) {
    case 1:
        code = QStringLiteral("A");
        text = QStringLiteral("Amovivel");
        break;
    case 2:
        code = QStringLiteral("F");
        text = QStringLiteral("Fixed");
        break;
    case 3:
        code = QStringLiteral("R");
        text = QStringLiteral("Remoto");
        break;
    case 4:
        code = QStringLiteral("CD");
        text = QStringLiteral("CD-Rom");
        break;
    case 5:
        code = QStringLiteral("RAM");
        text = QStringLiteral("RAM Disk");
        break;
    default:
        code = QStringLiteral("?");
        text = QStringLiteral("Desconhecido");
        break;
    }
}

void DrvLst(QString& list, const QString& filter) {
    list = QString();
    static const QStringList single{QStringLiteral("A"), QStringLiteral("F"), QStringLiteral("R"),
                                    QStringLiteral("CD"), QStringLiteral("RAM")};
    for (const MountedDrive& d : drives()) {
        QString code, text;
        DrvTipTx(int(d.kind), code, text);
        bool keep;
        if (single.contains(filter))
            keep = code == filter;
        else if (filter == QLatin1String("HD"))
            keep = code == QLatin1String("F") || code == QLatin1String("R");
        else
            keep = true;
        if (keep) TxJun(list, QStringLiteral(","), Variant(d.mountPoint));
    }
}

void DrvTmpPsq(const QString& mode, QString& drive, QString& dir) {
    const QString m = UCase(Trim(mode));
    drive = QString();
    dir = QString();
    // The drives in their order take the place of the letters C to Z.
    const std::vector<MountedDrive> all = drives();
    for (size_t i = 0; i < all.size() && i < 24; ++i) {
        int type = 0;
        QString text;
        DrvTip(Variant(all[i].mountPoint), type, text);
        if (type != 3) continue;
        const QString tmp = FicPathJun(all[i].mountPoint, QStringLiteral("Tmp"));
        if (m != QLatin1String("V")) {
            drive = all[i].mountPoint;
            dir = tmp;
            return;
        }
        const QString probe = FicPathJun(tmp, QStringLiteral("Tmp.xxx"));
        int ok = 0;
        FicCriTst(probe, ok);
        if (!ok) continue;
        int res = 0;
        FicEli(probe, res);
        if (res == 0) {
            drive = all[i].mountPoint;
            dir = tmp;
            return;
        }
    }
}

} // namespace zv
