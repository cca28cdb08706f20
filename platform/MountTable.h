#pragma once
// The machine's drives: on Linux a drive is a mounted file system, named by its mount point.
// They come from the mount table (/proc/self/mounts, or the file the process context names, in
// the mounts or the mountinfo layout), with the octal escapes of the table decoded and the
// pseudo file systems (proc, sysfs, cgroup, ...) left out, one drive per mount point (the last
// mount wins), sorted by mount point. A line that cannot be read is left out.

#include <QString>
#include <vector>

namespace zv {

// The kinds, numbered as the scripting file-system object numbers its drive types.
enum class DriveKind { Unknown = 0, Removable = 1, Fixed = 2, Remote = 3, CdRom = 4, RamDisk = 5 };

struct MountedDrive {
    QString source;     // the device or the remote name ("/dev/sda1", "//srv/share", "tmpfs")
    QString mountPoint; // "/", "/media/usb"
    QString fsType;     // "ext4", "iso9660", "cifs"
    DriveKind kind = DriveKind::Unknown;
};

// The kind of a file system: iso9660 and udf, or a /dev/sr* device, a CD; network file systems
// (nfs, cifs, smb3, 9p, sshfs, ...) remote; tmpfs and ramfs a RAM disk; a block device that
// sysBlock (normally /sys/block) marks removable, removable; the rest fixed.
DriveKind classifyMount(const QString& source, const QString& fsType,
                        const QString& sysBlock = QStringLiteral("/sys/block"));

// The drives of a mount table file; none when it cannot be read.
std::vector<MountedDrive> readMountTable(const QString& file,
                                         const QString& sysBlock = QStringLiteral("/sys/block"));

// The mount point of the drive that holds path (the longest mount point that is path or one of
// its folders); "" when path is not absolute, is a network path ("//server/share") or no drive
// holds it.
QString mountPointOf(const std::vector<MountedDrive>& drives, const QString& path);

} // namespace zv
