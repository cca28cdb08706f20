// SupFlx: in-cell editing: editable cells by colour, the walk to the next or previous editable
// cell, and the host's edit control laid over the current cell.

#include "SupFlx.h"

#include "Twips.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QWidget>
#include <algorithm>

namespace zv {

void SupFlx::EdiCorReg(qint32 color) {
    editColor_ = color;
}

void SupFlx::EdiPosOk(int row, int col, int& ok) {
    ok = 0;
    vbTrap([&] {
        if (gr().cellBackColorAt(row, col) == editColor_) ok = 1;
    });
}

int SupFlx::EdiPos(const QString& code, int& row, int& col) {
    GridWidget& g = gr();
    const QString k = TxMai(code);
    int r = 1, c = 0, ok = 0;
    bool forward = true;
    if (k == u"S" || k == u"A") {
        r = row;
        c = col - 1;
        forward = k == u"S";
    } else if (k == u"SC" || k == u"AC") {
        r = g.row();
        c = g.col();
        forward = k == u"SC";
    } else if (k == u"LC+" || k == u"LC-") {
        r = k == u"LC+" ? std::min(g.row() + 1, lastUsed_) : std::max(g.row() - 1, 1);
        c = g.col();
        EdiPosOk(r, c, ok);
        if (ok == 1) {
            row = r;
            col = c;
        }
        return ok;
    }
    const int cols = g.cols();
    while (true) {
        if (forward) {
            if (++c > cols - 1) {
                c = 0;
                ++r;
            }
            if (r > lastUsed_) return 0;
        } else {
            if (--c < 0) {
                c = cols - 1;
                --r;
            }
            if (r < 1 || c < 0) return 0;
        }
        EdiPosOk(r, c, ok);
        if (ok == 1) {
            row = r;
            col = c;
            return 1;
        }
    }
}

void SupFlx::EdiObPrp(QWidget* ctl, int show) {
    if (!ctl) throw VbError(err::ObjectNotSet);
    GridWidget& g = gr();
    const double left = g.cellLeft(), top = g.cellTop();
    const double width = g.cellWidth(), height = g.cellHeight();
    // The cell's place is the grid's; the control is placed in its own parent's coordinates.
    QPoint at(twipsToPixels(left), twipsToPixels(top));
    if (QWidget* parent = ctl->parentWidget(); parent && parent != &g)
        at = parent->mapFromGlobal(g.mapToGlobal(at));
    ctl->setGeometry(at.x(), at.y(), twipsToPixels(width), twipsToPixels(height));
    if (show == 0)
        ctl->setVisible(false);
    else if (show == 1)
        ctl->setVisible(true);
}

void SupFlx::EdiObFim(QWidget* ctl) {
    if (!ctl) throw VbError(err::ObjectNotSet);
    ctl->setVisible(false);
}

} // namespace zv
