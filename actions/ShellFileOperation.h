#pragma once
// The shell's file operation on Linux: copy, move, delete and rename of files, name patterns and
// whole folder trees, with a progress window, confirmations and the error box going through the
// platform's ShellOperationUi. SupShf builds a request from its options and lists and runs it.
//
// What the operation does:
// - A source is a path, or a path whose last name holds the wildcards "*" and "?" (matched as
//   Windows does, without regard to case; "*.*" and "*" match every name, dot-files too). With
//   FilesOnly a pattern takes files only.
// - One destination: the folder that receives the sources when there are several, when the
//   source is a pattern or when it names an existing folder (it is created, after the
//   confirmation unless NoConfirmMkDir or NoConfirmation); otherwise the new name of the single
//   source. With MultiDestFiles every source has its own destination, in order.
// - Folders are copied level by level: an existing target folder is merged into, new folders get
//   the usual permissions (a read-only source folder does not make the copy unwritable), files
//   keep their permission bits, time and marks, and are written beside the target and then put
//   in its place (the file layer's Replacement), so a failed copy never leaves a half file nor
//   loses the file it was to replace, and a read-only target is replaced. Only a folder that
//   takes no new file, or lets no one replace another user's file, has a writable target
//   written in place.
//   Symbolic links are copied as links and never followed; pipes and devices are refused.
// - A destination inside the source folder, or a file copied onto itself, is refused.
// - An existing target is replaced after the confirmation (NoConfirmation: always), or given a
//   free name "name - Copy.ext", "name - Copy (2).ext", ... with RenameOnCollision.
// - A move renames; across file systems it copies and then deletes the source.
// - A delete removes files and whole trees; with AllowUndo every item goes into the trash and an
//   item the trash cannot take stays (the operation fails).
// - The first error stops the operation (reported through the UI unless Silent); so does Cancel
//   in the progress window or in a confirmation. What was done before stays done. Answering No
//   to a confirmation skips that item and marks the operation as not fully carried out.

#include "ShellOperationUi.h"
#include "WindowHandle.h"

#include <QString>
#include <QStringList>

namespace zv {

// The option bits of the operation, with the values of the shell's own record.
namespace fof {
constexpr int MultiDestFiles = 0x1;
constexpr int Silent = 0x4;
constexpr int RenameOnCollision = 0x8;
constexpr int NoConfirmation = 0x10;
constexpr int AllowUndo = 0x40;
constexpr int FilesOnly = 0x80;
constexpr int SimpleProgress = 0x100;
constexpr int NoConfirmMkDir = 0x200;
} // namespace fof

struct ShellFileRequest {
    ShellOp op = ShellOp::Copy;
    QStringList from;
    QStringList to;
    int flags = 0;
    QString title; // the progress title of SimpleProgress
    WindowHandle parent = 0;
};

struct ShellFileResult {
    bool aborted = false; // cancelled, or an item skipped by a No answer
    int error = 0;        // the run-time error number that stopped the operation; 0 none
    QString errorPath;
    QString errorText;
    qint64 filesDone = 0;
    qint64 bytesDone = 0;
    // Carried out whole: no error, nothing aborted.
    bool ok() const { return error == 0 && !aborted; }
};

ShellFileResult runShellFileOperation(const ShellFileRequest& request, ShellOperationUi& ui);

// Refuses, before anything is created, a copy of the folder source into target when target is
// that folder or lies inside it (links, "." and ".." resolved as far as they exist): the result
// carries error 75 and the reason, reported through ui unless flags hold Silent. A result that
// is ok() when the copy may go on.
ShellFileResult refuseCopyIntoItself(const QString& source, const QString& target, int flags,
                                     ShellOperationUi& ui);

// The name a copy gets in folder when name is taken: "base - Copy.ext", then
// "base - Copy (2).ext", ... (a folder or a name without extension has no ".ext").
QString collisionName(const QString& folder, const QString& name, bool isFolder);

} // namespace zv
