#include "Frame.h"

namespace zv::vbs {

void SlotStack::nextChunk(size_t n) {
    // The chunks after the current one are all empty; take the first big enough.
    size_t i = cur_ ? current_ + 1 : 0;
    while (i < chunks_.size() && chunks_[i]->size < n)
        ++i;
    if (i >= chunks_.size()) {
        // A small first chunk: most engines never need more.
        size_t size = chunks_.empty() ? kFirstChunkSize : kChunkSize;
        chunks_.push_back(std::make_unique<Chunk>(std::max(n, size)));
        i = chunks_.size() - 1;
    }
    current_ = i;
    cur_ = chunks_[i].get();
    cur_->used = 0;
}

void SlotStack::releaseSlow(Mark m) {
    if (chunks_.empty()) return;
    for (size_t i = current_; i > m.chunk; --i) {
        Chunk& c = *chunks_[i];
        for (size_t j = 0; j < c.used; ++j) {
            c.data[j].value.clear();
            c.data[j].ref = &c.data[j].value;
        }
        c.used = 0;
    }
    current_ = m.chunk;
    cur_ = chunks_[m.chunk].get();
    for (size_t j = m.used; j < cur_->used; ++j) {
        cur_->data[j].value.clear();
        cur_->data[j].ref = &cur_->data[j].value;
    }
    cur_->used = m.used;
}

} // namespace zv::vbs
