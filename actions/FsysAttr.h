#pragma once
// Setting the language's file attributes on Linux (the counterpart of the platform's reader,
// readFileAttributes): read-only 1, hidden 2, system 4, archive 32.
//
// - A file is read-only when nobody may write it: setting read-only removes every write bit,
//   clearing it gives back the write bits the process's umask allows (when the owner had none).
// - A folder keeps its read-only mark, like hidden, system and archive, in the extended
//   attribute "user.zelvyn.attrib" (a decimal mask): on Windows a read-only folder can still be
//   written into. Clearing read-only on a folder also makes it writable again, so a tree copied
//   from read-only media can be changed after "normal".
// - A symbolic link has no attributes of its own and its target is never changed.
// - A file system without user extended attributes ("not supported") simply keeps no marks: that
//   is never an error. A failing chmod (not the owner, a read-only file system) is.

#include <QByteArray>
#include <QString>

namespace zv::fsys {

// Sets the attributes of path to exactly mask (bits other than 1, 2, 4 and 32 are ignored).
// Raises the run-time error of a failure (53 missing, 70 no permission, 75 read-only file
// system, ...).
void setAttributes(const QString& path, int mask);
void setAttributes(const QByteArray& path, int mask);
// The same for the entry name of the folder open as dirFd (or AT_FDCWD) whose whole path is
// path: the entry is looked at and its mode changed through the folder, a short way for the
// walks; path names it in errors and for its marks.
void setAttributesAt(int dirFd, const QByteArray& name, const QByteArray& path, int mask);

// Copies the marks of the extended attribute from one entry to another; best effort, every
// failure ignored (a copy keeps hidden, system and archive where the file system allows).
void copyMarks(const QByteArray& from, const QByteArray& to);
// The same between two open files.
void copyMarks(int fromFd, int toFd);

// The write bits that new files get under the process's umask (0222 & ~umask).
unsigned umaskWriteBits();

} // namespace zv::fsys
