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

#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace zv::fsys {

// What setting attributes reads of an entry before it changes anything: its status and its
// marks, read ahead for a folder's entries (see EntryReader).
struct EntryState {
    int statError = 0; // the errno of reading the status; 0 when st holds it
    struct stat st {};
    bool marksRead = false; // false: the marks are read when the entry is acted on
    int marks = -1;         // the marks kept, -1 for none
};

// Sets the attributes of path to exactly mask (bits other than 1, 2, 4 and 32 are ignored).
// Raises the run-time error of a failure (53 missing, 70 no permission, 75 read-only file
// system, ...).
void setAttributes(const QString& path, int mask);
void setAttributes(const QByteArray& path, int mask);
// The same for the entry name of the folder open as dirFd (or AT_FDCWD) whose whole path is
// path: the entry is looked at and its mode changed through the folder, a short way for the
// walks; path names it in errors and for its marks.
// known, when given, is what was read of the entry ahead (an entry with several names is read
// again: acting on one of its names changes the others).
void setAttributesAt(int dirFd, const QByteArray& name, const QByteArray& path, int mask,
                     const EntryState* known = nullptr);

// Reads the status and marks of the entries of one folder ahead of acting on them, on a few
// threads at once for a folder of many entries: a walk that sets attributes (or counts what a
// copy will do) spends most of its time waiting on those calls for each entry, and they do not
// depend on one another. The threads are made on the first large folder and end with the
// reader.
class EntryReader {
public:
    EntryReader() = default;
    ~EntryReader();
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    // out[i] becomes the state of names[i] in the folder open as dirFd; with marks false, the
    // status alone (marksRead stays false).
    void read(int dirFd, const std::vector<QByteArray>& names, std::vector<EntryState>& out,
              bool marks = true);

private:
    void readFrom(); // takes entries until none is left
    void helper();

    std::mutex mutex_;
    std::condition_variable started_, finished_;
    std::vector<std::thread> helpers_;
    uint64_t round_ = 0; // one per folder read on the helpers
    int helping_ = 0;    // helpers still reading this round
    bool stop_ = false;
    int dirFd_ = -1;
    bool marks_ = true;
    const std::vector<QByteArray>* names_ = nullptr;
    std::vector<EntryState>* out_ = nullptr;
    size_t next_ = 0; // the next entry to read, under the mutex in chunks
};

// Copies the marks of the extended attribute from one entry to another; best effort, every
// failure ignored (a copy keeps hidden, system and archive where the file system allows).
void copyMarks(const QByteArray& from, const QByteArray& to);
// The same between two open files.
void copyMarks(int fromFd, int toFd);

// The write bits that new files get under the process's umask (0222 & ~umask).
unsigned umaskWriteBits();

} // namespace zv::fsys
