#pragma once
// One parameter file written front to back. Its lines go to a temporary file beside the target
// (the file layer's Replacement), and only closing puts the whole new file in the target's
// place: a failure at any point keeps the old file as it was and leaves no temporary file.
//
// The first failure sticks: later lines are not written, and close abandons the file and
// returns that failure.
//
// Results: 0, or the run-time error number: 5 a line the file's encoding cannot hold or a
// refused line, 52 a name the system cannot use, 61 disk full or file too large, 70 no
// permission, 75 a target that is a folder, a device or a pipe, 76 a missing folder.

#include "Encoding.h"
#include "FileLayer.h"

#include <QString>

namespace zv {

// What stands at a path (links followed): nothing, a regular file, or anything else (a
// folder, a device, a pipe, a socket). Asks the file system only; never opens the path.
enum class PathKind { Missing, Regular, Other };
PathKind pathKind(const QString& path);

class ParamWriter {
public:
    explicit ParamWriter(const QString& target) : target_(target), out_(target) {}
    ParamWriter(const ParamWriter&) = delete;
    ParamWriter& operator=(const ParamWriter&) = delete;

    // Starts the file. The format is the one given, else the target's own when it is a file,
    // else UTF-8 with LF.
    int open(const TextFormat* format);
    const QString& target() const { return target_; }
    const TextFormat& format() const { return format_; }
    // 0 while nothing failed, else the first failure.
    int error() const { return error_; }
    // Records a failure (the first one sticks).
    void fail(int number);

    // Writes one line; a text holding line ends is written as the lines it holds.
    void line(const QString& text);
    // The escape flag of the zone being written: 1, or what the options of the last zone
    // header written set (back to 1 after a zone end).
    int escapeFlag() const { return escapeFlag_; }

    // Puts the file in the target's place (abandons it after a failure).
    int close();

private:
    void writeBytes(const QByteArray& bytes);

    QString target_;
    file::Replacement out_;
    TextFormat format_;
    int error_ = 0;
    bool lineEndDue_ = false;
    int escapeFlag_ = 1;
};

} // namespace zv
