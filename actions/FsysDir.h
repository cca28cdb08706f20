#pragma once
// Reading one folder for the tree walks and the shell file operations: the entries are read in
// one go and the folder is closed before anyone goes deeper, so a deep tree never holds one
// open descriptor per level. Names stay the bytes the file system holds (a name that is no valid
// UTF-8 is still copied and deleted exactly); QString forms are made for matching and display.

#include <QByteArray>
#include <QString>
#include <vector>

namespace zv::fsys {

struct Entry {
    QByteArray name;
    // A real folder. A symbolic link is never a folder here, whatever it points to: walks do
    // not follow links, and copies copy the link itself.
    bool folder = false;
};

// The entries of dir without "." and "..", sorted by name without regard to case (then by the
// exact bytes), the order the walks and copies act in. Returns 0, or the errno of the failure.
int readFolder(const QByteArray& dir, std::vector<Entry>& entries);

// dir & "/" & name, with no separator doubled ("/" & name for the root, name alone for "").
QByteArray join(const QByteArray& dir, const QByteArray& name);

// The text of a file name or path as the rest of the system sees it.
inline QString text(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

} // namespace zv::fsys
