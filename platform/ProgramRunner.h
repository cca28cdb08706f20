#pragma once
// Starting programs from a command text and waiting for them, without a shell.
//
// A command text is split into the program and its arguments as Windows splits a command line
// (no shell is involved, so ";", "|", "$" and the like stay plain text):
// - blanks separate words; double quotes group (the quotes themselves are dropped);
// - a quoted first word is the program;
// - an unquoted first word that names no program is grown word by word ("/opt/My Apps/tool
//   arg" finds "/opt/My Apps/tool") until it names an executable file; when none does, the
//   first word stays the program (and starting it fails);
// - a program without "/" is searched on PATH.
//
// Every child started here is remembered until it has been waited for; children nobody waits
// for are reaped on the next start or wait (never by a SIGCHLD handler, which would steal the
// statuses that QProcess and our own waits need), so none stays a zombie.

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace zv {

// The path of an executable regular file that name stands for: a name with "/" is taken as it
// is, a bare name is looked up on PATH. "" when there is none.
QString findExecutable(const QString& name);

// The command split into argv (argv[0] the program as the command names it). Empty for a
// command with no words.
QStringList splitCommandLine(const QString& command);

enum class WaitResult { Ended, TimedOut, Failed };

class ChildProcesses {
public:
    // The process's one registry of children.
    static ChildProcesses& instance();

    // Starts argv[0] (looked up on PATH when it has no "/") with the other elements as its
    // arguments, in the current folder, with this process's environment. The process id, or 0
    // with err set to the errno of the failure (ENOENT for a program that is not found).
    pid_t start(const QStringList& argv, int& err);

    // Blocks until the process ends or timeoutMs passes (-1: no limit). A process of ours that
    // ended earlier (and was reaped meanwhile, by whichever call) counts as ended; a process id
    // that names no process gives Failed.
    WaitResult wait(pid_t pid, qint64 timeoutMs);

    // True while the process runs. A child of ours that has ended is reaped here.
    bool isRunning(pid_t pid);

    // Reaps every child of ours that has ended.
    void reap();

private:
    // How many ended children are remembered for the waits that may still ask about them.
    static constexpr qsizetype kEndedKept = 64;

    ChildProcesses() = default;
    bool isChild(pid_t pid) const;
    // Reaps pid when it has ended; true when it has.
    bool reapIfEnded(pid_t pid);
    // The one place a reap is recorded (the status check, the periodic reap and the waits all
    // come here), so that every later wait and status check on pid knows it has ended.
    void recordEnd(pid_t pid);
    bool hasEnded(pid_t pid) const;

    QList<pid_t> running_; // started here, not reaped yet
    QList<pid_t> ended_;   // reaped, most recent last (a start that reuses the id drops it)
};

} // namespace zv
