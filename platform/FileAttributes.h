#pragma once
// File attributes as the language knows them (GetAttr): read-only 1, hidden 2, system 4,
// folder 16, archive 32. On Linux a file is read-only when its owner cannot write it (for a
// folder, as for hidden, system and archive, only the mark kept in the extended attribute
// "user.zelvyn.attrib", a decimal mask, counts). A file system without extended attributes
// simply has no such marks.

#include <QString>

namespace zv {

constexpr int kAttrReadOnly = 1;
constexpr int kAttrHidden = 2;
constexpr int kAttrSystem = 4;
constexpr int kAttrFolder = 16;
constexpr int kAttrArchive = 32;

// The extended attribute that keeps the marks Linux has no place for.
inline constexpr char kAttribXattr[] = "user.zelvyn.attrib";

// The attributes of path (links followed). Raises the run-time error of the failure: 53 for a
// missing file, 76 for a missing folder on the way, 70 no permission, ...
int readFileAttributes(const QString& path);

} // namespace zv
