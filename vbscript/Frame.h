#pragma once
// Activation records. Every procedure call and every run of global code has a frame: a run of
// slots (parameters, function value, locals, implicit locals, hidden With objects) taken from
// a stack of fixed chunks, so a call allocates nothing and a slot never moves while its frame
// lives. Each slot is reached through its pointer: a by-reference parameter's pointer is the
// caller's variable, every other slot points at its own value.

#include "Ast.h"
#include "Variant.h"

#include <memory>
#include <vector>

namespace zv::vbs {

struct Slot {
    Variant value;
    Variant* ref = nullptr;
};

class SlotStack {
public:
    struct Mark {
        size_t chunk = 0;
        size_t used = 0;
    };

    SlotStack() { nextChunk(0); }

    Mark mark() const { return {current_, cur_->used}; }

    // n slots, each pointing at its own (Empty) value.
    Slot* take(size_t n) {
        if (cur_->size - cur_->used < n) nextChunk(n);
        Slot* p = cur_->data.get() + cur_->used;
        cur_->used += n;
        return p;
    }

    // Gives back every slot taken since m: values cleared, each slot pointing at its own
    // value again.
    void release(Mark m) {
        if (m.chunk == current_) {
            // The bounds are read once: the stores into the slots could otherwise alias them.
            Slot* d = cur_->data.get();
            for (Slot *s = d + m.used, *end = d + cur_->used; s != end; ++s) {
                s->value.clear();
                s->ref = &s->value;
            }
            cur_->used = m.used;
            return;
        }
        releaseSlow(m);
    }

private:
    static constexpr size_t kFirstChunkSize = 256;
    static constexpr size_t kChunkSize = 16384;
    struct Chunk {
        explicit Chunk(size_t n) : data(new Slot[n]), size(n) {
            for (size_t i = 0; i < n; ++i)
                data[i].ref = &data[i].value;
        }
        std::unique_ptr<Slot[]> data;
        size_t size = 0;
        size_t used = 0;
    };
    void nextChunk(size_t n);
    void releaseSlow(Mark m);

    std::vector<std::unique_ptr<Chunk>> chunks_;
    Chunk* cur_ = nullptr;
    size_t current_ = 0;
};

class ClassInstance;

struct Frame {
    Slot* base = nullptr;
    int count = 0;
    const Procedure* proc = nullptr; // null for global code
    const SourceText* source = nullptr;
    ClassInstance* me = nullptr; // the object whose method runs (kept alive by the caller)
    bool resumeNext = false;

    Variant& slot(int i) const { return *base[i].ref; }
};

// Takes the slots of one frame and gives them back (cleared) when it goes out of scope.
class FrameStorage {
public:
    FrameStorage(SlotStack& stack, int count) : stack_(stack), mark_(stack.mark()) {
        base = stack.take(size_t(count));
    }
    ~FrameStorage() { stack_.release(mark_); }
    FrameStorage(const FrameStorage&) = delete;
    FrameStorage& operator=(const FrameStorage&) = delete;

    Slot* base = nullptr;

private:
    SlotStack& stack_;
    SlotStack::Mark mark_;
};

} // namespace zv::vbs
