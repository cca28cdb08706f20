// SupFrm: marker lines, their layout and the marker expressions.
#include "SupFrm.h"

#include "SupFrmState.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbForm.h"
#include "VbLine.h"

namespace zv {

namespace {

// The line, or 364 when it is gone.
VbLine& liveLine(const std::shared_ptr<VbLine>& line) {
    if (!line) throw VbError(err::ObjectNotSet);
    if (!line->isAlive()) throw err::ObjectUnloaded();
    return *line;
}

} // namespace

void SupFrm::MpoReg(const std::shared_ptr<VbLine>& line, const QString& anchors,
                    const QString& extra) {
    QString name;
    vbTrap([&] { name = UCase(Trim(liveLine(line).name())); });
    if (name.isEmpty()) return;

    MpoDef m;
    m.name = name;
    m.anchors = anchors;
    m.line = line;
    m.extra = extra;
    m.tokens = splitAnchors(anchors);
    m.x1 = line->x1();
    m.y1 = line->y1();
    m.x2 = line->x2();
    m.y2 = line->y2();

    std::optional<double> cw, ch;
    vbTrap([&] {
        const VbObjectRef container = VbObjectRef(std::shared_ptr<VbControl>(line)).container();
        vbTrap([&] { cw = container.width(); });
        vbTrap([&] { ch = container.height(); });
    });
    // A vertical marker keeps X1 = X2, a horizontal one Y1 = Y2. A token whose value cannot be
    // stored (no container size, a share of a size of 0) is never applied.
    for (Anchor& a : m.tokens) {
        const QString& t = a.text;
        const bool across = t == QLatin1String("PX") || t == QLatin1String("PX%");
        const bool down = t == QLatin1String("PY") || t == QLatin1String("PY%");
        if (!across && !down) continue;
        const std::optional<double>& size = across ? cw : ch;
        double& from = across ? m.x1 : m.y1;
        double& to = across ? m.x2 : m.y2;
        a.usable = false;
        vbTrap([&] {
            if (!size) return;
            if (t.endsWith(u'%')) {
                const int32_t whole_size = whole(*size);
                if (whole_size == 0) return;
                from = from / double(whole_size);
            } else {
                from = *size - from;
            }
            to = from;
            a.usable = true;
        });
    }
    if (s_->markers.empty()) s_->markers.resize(1);
    s_->markers.push_back(std::move(m));
}

void SupFrm::MpoAjt(int disable) {
    if (disable == 1) vbTrap([&] { s_->main.setEnabled(false); });
    // From the last to the first, by index: a step may run code that registers again.
    for (size_t i = s_->markers.size(); i-- > 1;) {
        if (i >= s_->markers.size()) continue;
        const MpoDef m = s_->markers[i];
        double cw = 0, ch = 0;
        if (vbTrap([&] {
                liveLine(m.line);
                s_->layoutArea(VbObjectRef(std::shared_ptr<VbControl>(m.line)).container(), cw, ch);
            }))
            continue;
        VbLine& line = *m.line;
        for (const Anchor& a : m.tokens) {
            if (!a.usable) continue;
            const QString& t = a.text;
            vbTrap([&] {
                liveLine(m.line);
                if (t == QLatin1String("PX")) {
                    line.setX1(cw - m.x1);
                    line.setX2(line.x1());
                } else if (t == QLatin1String("PX%")) {
                    line.setX1(m.x1 * cw);
                    line.setX2(line.x1());
                } else if (t == QLatin1String("PY")) {
                    line.setY1(ch - m.y1);
                    line.setY2(line.y1());
                } else if (t == QLatin1String("PY%")) {
                    line.setY1(m.y1 * ch);
                    line.setY2(line.y1());
                } else if (isMarkerToken(t, QStringLiteral("MPX"))) {
                    line.setX1(whole(MpoPosCalc(markerExpression(t))));
                    line.setX2(line.x1());
                } else if (isMarkerToken(t, QStringLiteral("MPY"))) {
                    line.setY1(whole(MpoPosCalc(markerExpression(t))));
                    line.setY2(line.y1());
                }
            });
        }
    }
    vbTrap([&] { s_->main.setEnabled(true); });
}

double SupFrm::MpoPosCalc(const QString& expression) const {
    QString rest = UCase(Trim(expression));
    QString kind;
    int found = 0;
    TxSep(rest, QStringLiteral("="), kind, found);
    if (!found) rest.clear();

    const QString bar = QStringLiteral("|");
    auto reference = [&] {
        QString ref;
        int hit = 0;
        TxSep(rest, bar, ref, hit);
        return MpoPos(ref);
    };
    auto offset = [&] {
        double n = 0;
        TxSepVal(rest, bar, n);
        return n;
    };
    if (kind == QLatin1String("PM")) {
        const double a = reference();
        const double b = reference();
        return (a + b) / 2 + offset();
    }
    if (kind >= QLatin1String("P%") && kind <= QLatin1String("P%z")) {
        const double p = Val(QStringView(kind).mid(2));
        const double a = reference();
        const double b = reference();
        return (a + b) * p / 100 + offset();
    }
    const double a = reference();
    return a + offset();
}

double SupFrm::MpoPos(const QString& reference) const {
    QString coord = UCase(Trim(reference));
    QString name;
    int found = 0;
    TxSep(coord, QStringLiteral(":"), name, found);
    const int index = MpoIdx(name);
    if (index == 0) return 0;
    VbLine& line = liveLine(s_->markers[size_t(index)].line);
    if (coord == QLatin1String("X1") || coord == QLatin1String("X")) return line.x1();
    if (coord == QLatin1String("Y1") || coord == QLatin1String("Y")) return line.y1();
    if (coord == QLatin1String("X2")) return line.x2();
    if (coord == QLatin1String("Y2")) return line.y2();
    return 0;
}

int SupFrm::MpoIdx(const QString& name) const {
    const QString key = UCase(Trim(name));
    for (size_t i = 1; i < s_->markers.size(); ++i)
        if (s_->markers[i].name == key) return int(i);
    return 0;
}

} // namespace zv
