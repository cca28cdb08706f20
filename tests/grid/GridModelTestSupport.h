#pragma once
// Helpers of the grid model's tests: texts, the error number of a call, a recording observer.

#include "GridModel.h"

#include <functional>
#include <string>
#include <vector>

namespace gridtest {

inline std::u16string u(const char* s) {
    std::u16string out;
    for (; *s; ++s)
        out += char16_t(static_cast<unsigned char>(*s));
    return out;
}

// The grid error number a call raises, 0 when it raises none.
inline int errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const zv::GridError& e) {
        return e.number();
    }
    return 0;
}

// The texts of column c, rows first..last, joined with ",".
inline std::string column(const zv::GridModel& g, int c, int first, int last) {
    std::string out;
    for (int r = first; r <= last; ++r) {
        if (r > first) out += ',';
        for (char16_t ch : g.textMatrix(r, c))
            out += char(ch);
    }
    return out;
}

// Every notification as a short line.
struct Recorder : zv::GridObserver {
    std::vector<std::string> events;
    void add(const std::string& e) { events.push_back(e); }
    static std::string span(int a, int b) { return std::to_string(a) + "-" + std::to_string(b); }
    void rowsAboutToBeInserted(int a, int b) override { add("+rows? " + span(a, b)); }
    void rowsInserted(int a, int b) override { add("+rows " + span(a, b)); }
    void rowsAboutToBeRemoved(int a, int b) override { add("-rows? " + span(a, b)); }
    void rowsRemoved(int a, int b) override { add("-rows " + span(a, b)); }
    void colsInserted(int a, int b) override { add("+cols " + span(a, b)); }
    void colsRemoved(int a, int b) override { add("-cols " + span(a, b)); }
    void rowsMoved() override { add("moved"); }
    void cursorChanged() override { add("cursor"); }
    void topRowChanged() override { add("top"); }
    void gridReset() override { add("reset"); }
};

} // namespace gridtest
