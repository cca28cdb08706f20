#include "MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace zv {

namespace {

const QSet<QString>& pseudoFileSystems() {
    static const QSet<QString> names{
        QStringLiteral("proc"),
        QStringLiteral("sysfs"),
        QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),
        QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"),
        QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),
        QStringLiteral("pstore"),
        QStringLiteral("bpf"),
        QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"),
        QStringLiteral("configfs"),
        QStringLiteral("fusectl"),
        QStringLiteral("binfmt_misc"),
        QStringLiteral("autofs"),
        QStringLiteral("rpc_pipefs"),
        QStringLiteral("nsfs"),
        QStringLiteral("efivarfs"),
        QStringLiteral("squashfs"),
        QStringLiteral("selinuxfs"),
        QStringLiteral("nfsd"),
        QStringLiteral("devfs"),
        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),
    };
    return names;
}

const QSet<QString>& remoteFileSystems() {
    static const QSet<QString> names{
        QStringLiteral("nfs"),
        QStringLiteral("nfs4"),
        QStringLiteral("cifs"),
        QStringLiteral("smb3"),
        QStringLiteral("smbfs"),
        QStringLiteral("9p"),
        QStringLiteral("ceph"),
        QStringLiteral("glusterfs"),
        QStringLiteral("afs"),
        QStringLiteral("fuse.sshfs"),
        QStringLiteral("sshfs"),
        QStringLiteral("davfs"),
        QStringLiteral("fuse.davfs2"),
        QStringLiteral("ncpfs"),
        QStringLiteral("fuse.glusterfs"),
    };
    return names;
}

// The fields of the mount table escape blanks, tabs, line feeds and backslashes as "\ooo".
QString unescapeField(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            for (char d : digits)
                ok = ok && d >= '0' && d <= '7';
            if (ok) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QFile::decodeName(out);
}

bool readsOne(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(1).startsWith('1');
}

// The disk a block device belongs to: sda1 -> sda, nvme0n1p2 -> nvme0n1, mmcblk0p1 -> mmcblk0.
QString diskOf(QString name) {
    int end = int(name.size());
    while (end > 0 && name[end - 1].isDigit())
        --end;
    if (end == int(name.size()) || end == 0) return name;
    if (name[end - 1] == u'p' && end >= 2 && name[end - 2].isDigit()) --end;
    return name.left(end);
}

bool isRemovableDevice(const QString& source, const QString& sysBlock) {
    if (!source.startsWith(QLatin1String("/dev/"))) return false;
    // Names under /dev/disk/by-* are links to the device itself.
    const QString target = QFileInfo(source).canonicalFilePath();
    const QString name = QFileInfo(target.isEmpty() ? source : target).fileName();
    if (name.isEmpty()) return false;
    for (const QString& n : {name, diskOf(name)}) {
        const QString flag = sysBlock + u'/' + n + QStringLiteral("/removable");
        if (QFileInfo::exists(flag)) return readsOne(flag);
    }
    return false;
}

} // namespace

DriveKind classifyMount(const QString& source, const QString& fsType, const QString& sysBlock) {
    const QString type = fsType.toLower();
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf") ||
        source.startsWith(QLatin1String("/dev/sr")) ||
        source.startsWith(QLatin1String("/dev/cdrom")))
        return DriveKind::CdRom;
    if (remoteFileSystems().contains(type) || source.startsWith(QLatin1String("//")))
        return DriveKind::Remote;
    if (type == QLatin1String("tmpfs") || type == QLatin1String("ramfs")) return DriveKind::RamDisk;
    if (isRemovableDevice(source, sysBlock)) return DriveKind::Removable;
    return DriveKind::Fixed;
}

std::vector<MountedDrive> readMountTable(const QString& file, const QString& sysBlock) {
    std::vector<MountedDrive> drives;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return drives;
    // /proc files report size 0: read until the end rather than by size.
    const QByteArray all = f.readAll();
    for (const QByteArray& raw : all.split('\n')) {
        const QList<QByteArray> fields = raw.simplified().split(' ');
        if (fields.size() < 3 || fields[0].startsWith('#')) continue;
        MountedDrive d;
        d.source = unescapeField(fields[0]);
        d.mountPoint = unescapeField(fields[1]);
        d.fsType = unescapeField(fields[2]);
        if (!d.mountPoint.startsWith(u'/') || pseudoFileSystems().contains(d.fsType)) continue;
        d.kind = classifyMount(d.source, d.fsType, sysBlock);
        // A later mount on the same point hides the earlier one.
        auto same = std::find_if(drives.begin(), drives.end(), [&](const MountedDrive& x) {
            return x.mountPoint == d.mountPoint;
        });
        if (same != drives.end()) drives.erase(same);
        drives.push_back(d);
    }
    std::sort(drives.begin(), drives.end(), [](const MountedDrive& a, const MountedDrive& b) {
        return a.mountPoint < b.mountPoint;
    });
    return drives;
}

QString mountPointOf(const std::vector<MountedDrive>& drives, const QString& path) {
    // A network path ("//server/share") is on no local drive.
    if (!path.startsWith(u'/') || path.startsWith(QLatin1String("//"))) return {};
    QString best;
    for (const MountedDrive& d : drives) {
        const QString& m = d.mountPoint;
        const bool holds = m == QLatin1String("/") || path == m ||
                           (path.startsWith(m) && path.size() > m.size() && path[m.size()] == u'/');
        if (holds && m.size() > best.size()) best = m;
    }
    return best;
}

} // namespace zv
