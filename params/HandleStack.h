#pragma once
// The stack of numbered files a parameter-file object has open. Every file it opens for
// reading or writing is pushed, the top one is in use, and closing pops in order, so nested
// opens close their own files and never the caller's.
//
// A failed open still takes its place on the stack (as a slot with no file): the close that
// the caller makes for it pops that slot and closes nothing, and reads from it find the end
// at once.
//
// A file written anew sits on the stack as a writer (without a file number): closing its slot
// puts the whole file in place.

#include "ParamWriter.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

namespace zv {

class HandleStack {
public:
    HandleStack() = default;
    HandleStack(const HandleStack&) = delete;
    HandleStack& operator=(const HandleStack&) = delete;
    ~HandleStack() { closeAll(); }

    // Takes a free file number and pushes it as a slot that is not open yet; 0 when no number
    // is free (the slot is pushed all the same).
    int pushFree();
    // Marks the top slot as open on its number (after a successful open).
    void setTopOpen(bool open);
    // Pushes a slot that writes a new file.
    void pushWriter(std::unique_ptr<ParamWriter> writer);
    // The writer of the top slot; nullptr when the top slot reads or the stack is empty.
    ParamWriter* topWriter() const;
    // The top number, -1 when the stack is empty.
    int top() const;
    bool topOpen() const;
    int depth() const { return int(slots_.size()); }

    // Closes the top file (when it is open) and pops it; the new top number, or -1 when the
    // stack was already empty (nothing closed then). Closing a writer puts its file in place:
    // *closed receives 0 or its error number (0 for any other slot).
    int pop(int* closed = nullptr);
    // Closes and pops every slot, top first.
    void closeAll();

    // The next line of the top file when it is open for reading; false at its end, for a slot
    // without a file and for an empty stack.
    bool readLine(QString& line);

private:
    struct Slot {
        int number = 0;
        bool open = false;
        std::unique_ptr<ParamWriter> writer;
    };
    std::vector<Slot> slots_;
};

} // namespace zv
