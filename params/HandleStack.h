#pragma once
// The stack of numbered files a parameter-file object has open. Every file it opens for
// reading or writing is pushed, the top one is in use, and closing pops in order, so nested
// opens close their own files and never the caller's.
//
// A failed open still takes its place on the stack (as a slot with no file): the close that
// the caller makes for it pops that slot and closes nothing, and reads from it find the end
// at once.

#include <QString>
#include <QStringView>
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
    // The top number, -1 when the stack is empty.
    int top() const;
    bool topOpen() const;
    int depth() const { return int(slots_.size()); }

    // Closes the top file (when it is open) and pops it; the new top number, or -1 when the
    // stack was already empty (nothing closed then).
    int pop();
    // Closes and pops every slot, top first.
    void closeAll();

    // The next line of the top file when it is open for reading; false at its end, for a slot
    // without a file and for an empty stack.
    bool readLine(QString& line);

private:
    struct Slot {
        int number = 0;
        bool open = false;
    };
    std::vector<Slot> slots_;
};

} // namespace zv
