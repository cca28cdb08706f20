#include "MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <libmount.h>

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
    // libmount reads both the mounts and the mountinfo layouts, decodes the "\ooo" escapes of
    // blanks, tabs and backslashes, and skips comments.
    libmnt_table* table = mnt_new_table();
    if (!table) return drives;
    // A line it cannot read is left out; the rest of the table still counts.
    mnt_table_set_parser_errcb(table, [](libmnt_table*, const char*, int) { return 1; });
    libmnt_iter* iter = mnt_new_iter(MNT_ITER_FORWARD);
    if (iter && mnt_table_parse_file(table, QFile::encodeName(file).constData()) == 0) {
        const auto field = [](const char* text) { return QFile::decodeName(text ? text : ""); };
        libmnt_fs* fs = nullptr;
        while (mnt_table_next_fs(table, iter, &fs) == 0) {
            MountedDrive d;
            d.source = field(mnt_fs_get_source(fs));
            d.mountPoint = field(mnt_fs_get_target(fs));
            d.fsType = field(mnt_fs_get_fstype(fs));
            if (!d.mountPoint.startsWith(u'/') || pseudoFileSystems().contains(d.fsType)) continue;
            d.kind = classifyMount(d.source, d.fsType, sysBlock);
            // A later mount on the same point hides the earlier one.
            auto same = std::find_if(drives.begin(), drives.end(), [&](const MountedDrive& x) {
                return x.mountPoint == d.mountPoint;
            });
            if (same != drives.end()) drives.erase(same);
            drives.push_back(d);
        }
    }
    mnt_free_iter(iter);
    mnt_unref_table(table);
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
