#pragma once
// Deleting into the desktop's trash (the freedesktop.org trash layout), so that a delete can be
// undone from the file manager: the entry is moved into a trash folder's "files" and a
// ".trashinfo" file in its "info" records where it came from and when.
//
// - An entry on the file system of the home trash ($XDG_DATA_HOME/Trash, else
//   ~/.local/share/Trash) goes there.
// - An entry on another file system goes to the trash at the top of its own mount:
//   $topdir/.Trash/$uid when the administrator made a sticky ".Trash" there, else
//   $topdir/.Trash-$uid.
// - When no trash can take it, the entry stays where it is and the failure is reported: a delete
//   into the trash never turns into a permanent delete.

#include <QByteArray>
#include <QString>

namespace zv::fsys {

// Moves path (a file, a link or a whole folder) into the trash. Returns 0, or the run-time error
// number of the failure (53 when path does not exist). trashedAs receives the entry's new path.
int moveToTrash(const QByteArray& path, QByteArray* trashedAs = nullptr);

// The home trash folder: $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
QByteArray homeTrashFolder();

} // namespace zv::fsys
