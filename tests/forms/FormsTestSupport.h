#pragma once
// Helpers of the form support tests: a form that counts its resize events, the fixed screens
// the tests place forms on, and geometry read back in twips as one comparable value.

#include "ScreenInfo.h"
#include "SupFrm.h"
#include "TestSupport.h"
#include "VbControl.h"
#include "VbForm.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace zvtest {

// The offscreen test screen, and a 3840 x 2160 one (wider than 32767 twips).
constexpr zv::ScreenInfo kScreen1024{15360, 11520, 15, 15};
constexpr zv::ScreenInfo kScreen4k{57600, 32400, 15, 15};

class TestForm : public zv::VbForm {
public:
    // A form of that outer size in twips.
    TestForm(double width, double height) {
        setWidth(width);
        setHeight(height);
    }
    void resizeTo(double width, double height) {
        setWidth(width);
        setHeight(height);
    }
    int resizes = 0;
    std::function<void()> resized;

protected:
    void onResize() override {
        ++resizes;
        if (resized) resized();
    }
};

// Left, Top, Width, Height in twips.
struct Geo {
    double left, top, width, height;
    bool operator==(const Geo&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Geo& g) {
    return os << '(' << g.left << ", " << g.top << ", " << g.width << ", " << g.height << ')';
}
inline Geo geo(const zv::VbControl& c) {
    return {c.left(), c.top(), c.width(), c.height()};
}
inline Geo geo(const zv::VbForm& f) {
    return {f.left(), f.top(), f.width(), f.height()};
}
inline void place(zv::VbControl& c, const Geo& g) {
    c.move(g.left, g.top, g.width, g.height);
}

// Shows a form and lets the window system settle (the X server answers later than offscreen).
inline void showAndSettle(QWidget& w) {
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    QApplication::processEvents();
}

} // namespace zvtest
