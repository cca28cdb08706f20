#include "HandleStack.h"

#include "FileHandles.h"
#include "VbError.h"

namespace zv {

int HandleStack::pushFree() {
    int number = 0; // 0 when every number is taken
    vbTrap([&] { number = FreeFile(); });
    slots_.push_back(Slot{number, false, nullptr});
    return number;
}

void HandleStack::pushWriter(std::unique_ptr<ParamWriter> writer) {
    slots_.push_back(Slot{0, false, std::move(writer)});
}

ParamWriter* HandleStack::topWriter() const {
    return slots_.empty() ? nullptr : slots_.back().writer.get();
}

void HandleStack::setTopOpen(bool open) {
    if (!slots_.empty()) slots_.back().open = open && slots_.back().number > 0;
}

int HandleStack::top() const {
    return slots_.empty() ? -1 : slots_.back().number;
}

bool HandleStack::topOpen() const {
    return !slots_.empty() && slots_.back().open;
}

int HandleStack::pop(int* closed) {
    if (closed) *closed = 0;
    if (slots_.empty()) return -1;
    Slot slot = std::move(slots_.back());
    slots_.pop_back();
    if (slot.writer) {
        const int result = slot.writer->close();
        if (closed) *closed = result;
    } else if (slot.open) {
        // A number that is no longer open needs no closing.
        vbTrap([&] { Close(slot.number); });
    }
    return top();
}

void HandleStack::closeAll() {
    while (!slots_.empty())
        pop();
}

bool HandleStack::readLine(QString& line) {
    if (!topOpen()) return false;
    const int number = slots_.back().number;
    bool read = false;
    vbTrap([&] {
        if (!isFileNumberOpen(number) || fileNumberMode(number) != FileMode::Input || Eof(number))
            return;
        line = LineInput(number);
        read = true;
    });
    return read;
}

} // namespace zv
