#pragma once
// What the person sees of a shell file operation (copy, move, delete of files and trees): a
// progress window with a cancel button, the confirmations the operation may ask for, and the
// box that reports the error that stopped it. The file-operation engine calls it; the GUI layer
// shows dialogs; tests install HeadlessShellOperationUi.
//
// Order of calls for one operation: begin, then any number of progress / cancelRequested /
// confirmations, then end (also after an error or a cancel). begin comes first also when no
// progress is shown (silent mode), so the owner window is known to the confirmations.

#include "WindowHandle.h"

#include <QString>
#include <QStringList>

namespace zv {

enum class ShellOp { Move = 1, Copy = 2, Delete = 3, Rename = 4 };

// The answer to a confirmation. YesToAll also answers the same question for the rest of the
// operation (the engine stops asking); Cancel stops the operation.
enum class ShellConfirm { Yes, YesToAll, No, Cancel };

struct ShellProgressStart {
    ShellOp op = ShellOp::Copy;
    QString title;               // the caller's own progress title; "" for the standard one
    bool showProgress = true;    // false in silent mode: no progress window at all
    bool simpleProgress = false; // the title only, without the names of the files
    qint64 totalFiles = 0;
    qint64 totalBytes = 0;
    WindowHandle parent = 0;
};

class ShellOperationUi {
public:
    virtual ~ShellOperationUi() = default;

    virtual void begin(const ShellProgressStart& start) = 0;
    // One file (or folder) is being handled; to is "" for a delete.
    virtual void progress(const QString& from, const QString& to, qint64 filesDone,
                          qint64 bytesDone) = 0;
    // Whether the person asked to stop; the engine asks between files.
    virtual bool cancelRequested() = 0;
    virtual void end() = 0;

    // target exists: replace it with source?
    virtual ShellConfirm confirmReplace(const QString& source, const QString& target) = 0;
    // folder does not exist: create it?
    virtual ShellConfirm confirmMakeDir(const QString& folder) = 0;
    // Delete these items (into the trash when toTrash)?
    virtual ShellConfirm confirmDelete(const QStringList& items, bool toTrash) = 0;
    // The error that stops the operation, on path.
    virtual void reportError(const QString& path, const QString& message) = 0;
};

} // namespace zv
