// SupFlx: the cursor and the selection, sorting with the header marks, and the commands of a
// press on the header row (sort, font dialog).

#include "SupFlx.h"

#include "Convert.h"
#include "SupFon.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>

namespace zv {

namespace {

// The sign of a number: -1, 0 or 1.
int sgn(int n) {
    return (n > 0) - (n < 0);
}

// The keys of the font option text that the grid passes.
const QString kFontKeys = QStringLiteral("NOM,TAM,BLD,ITA");

// Shows the hourglass for the whole application while it lives.
class HourGlass {
public:
    HourGlass() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~HourGlass() { QApplication::restoreOverrideCursor(); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;
};

// A header's leading sort mark: "[+]" or "[-]" and the blanks after it. Gives the mark's
// direction and the length to strip, or an empty direction when the header has no mark.
QString leadingMark(const QString& header, qsizetype& length) {
    length = 0;
    if (header.size() < 3 || header[0] != u'[' || header[2] != u']') return {};
    if (header[1] != u'+' && header[1] != u'-') return {};
    length = 3;
    while (length < header.size() && header[length] == u' ')
        ++length;
    return QString(header[1]);
}

} // namespace

// ---- Cursor and selection ----

void SupFlx::GrCurLC(int& row, int& col, int base) {
    GridWidget& g = gr();
    row = g.row() + ((base == 1 || base == 3) ? 1 : 0);
    col = g.col() + ((base == 2 || base == 3) ? 1 : 0);
}

void SupFlx::MouLC(int& row, int& col, int base) {
    GridWidget& g = gr();
    row = g.mouseRow() + ((base == 1 || base == 3) ? 1 : 0);
    col = g.mouseCol() + ((base == 2 || base == 3) ? 1 : 0);
}

void SupFlx::GrCurLi(int& row) {
    row = gr().row();
}

void SupFlx::SelMou() {
    int r = 0, c = 0;
    MouLC(r, c, 0);
    GrCurPos(r, c);
    SelLC(r, c);
}

void SupFlx::SelLC(int row, int col) {
    pump();
    GridWidget& g = gr();
    g.setRowSel(row);
    g.setColSel(col);
    pump();
}

void SupFlx::SelLin(int row) {
    GridWidget& g = gr();
    g.select(row, g.fixedCols(), row, g.cols() - 1);
    pump();
}

void SupFlx::SelConZon(int& r1, int& c1, int& r2, int& c2) {
    vbTrap([&] {
        const GridRange s = gr().selection();
        r1 = s.row1;
        c1 = s.col1;
        r2 = s.row2;
        c2 = s.col2;
    });
}

void SupFlx::SelConLi(int& r1, int& r2) {
    int c1 = 0, c2 = 0;
    SelConZon(r1, c1, r2, c2);
}

void SupFlx::SelConCo(int& c1, int& c2) {
    int r1 = 0, r2 = 0;
    SelConZon(r1, c1, r2, c2);
}

// ---- Sorting ----

template <class F> void SupFlx::onUsedRows(F&& f) {
    GridWidget& g = gr();
    const int kept = g.rows();
    if (kept - 1 > lastUsed_) g.setRows(lastUsed_ + 1);
    struct GiveBack {
        GridWidget& g;
        int rows;
        ~GiveBack() {
            if (g.rows() != rows) g.setRows(rows);
        }
    } giveBack{g, kept};
    if (lastUsed_ > 0) f();
}

void SupFlx::OrdCol(int base, int col, std::optional<QString> dir) {
    onUsedRows([&] { OrdColExe(base, col, dir); });
}

void SupFlx::OrdColExe(int base, int col, std::optional<QString> dir) {
    const int c = col - sgn(base);
    QString d;
    if (dir)
        d = TxMai(*dir);
    else
        OrdTipUsa(c, d);
    const int code = d == u"-" ? kSortDescending : kSortAscending;
    GridWidget& g = gr();
    g.setColSort(c, code);
    // The mark shows the direction sorted in.
    OrdColVer(c, code == kSortDescending ? QStringLiteral("-") : QStringLiteral("+"));
    g.select(1, c);
    g.sort(code);
    CxVer(1, c);
}

void SupFlx::OrdMcPrp() {
    sortList_ = Variant::array({{0, 1}, {0, 0}});
}

void SupFlx::OrdMcReg(int base, int col, const QString& dir) {
    VArray& a = sortList_.arrayMut();
    const int n = a.ubound(2) + 1;
    a.redim({ArrayDim{0, 2}, ArrayDim{0, n + 1}}, true);
    a.at(std::array<int32_t, 2>{0, 0}) = Variant(int16_t(base));
    a.at(std::array<int32_t, 2>{0, n}) = Variant(dir);
    a.at(std::array<int32_t, 2>{1, n}) = Variant(int32_t(col));
}

void SupFlx::OrdMcVer() {
    const Variant list = sortList_;
    OrdMcExe(CInt(list.array().at(std::array<int32_t, 2>{0, 0})), list);
}

void SupFlx::OrdMcExe(int base, const Variant& list) {
    GridWidget& g = gr();
    OrdTipLpz();
    for (int c = 0; c < g.cols(); ++c)
        g.setColSort(c, kSortNone);
    const VArray& a = list.array();
    if (a.ubound(2) < 1) return;
    int first = 9999, last = -1;
    for (int i = 1; i <= a.ubound(2); ++i) {
        const int c = CLng(a.at(std::array<int32_t, 2>{1, i})) - sgn(base);
        first = std::min(first, c);
        last = std::max(last, c);
        const QString mark = TxCnv(a.at(std::array<int32_t, 2>{0, i}));
        const int code = mark == u"+" ? kSortAscending : mark == u"-" ? kSortDescending : kSortNone;
        g.setColSort(c, code);
        if (code != kSortNone) OrdTipVer(c, mark);
    }
    onUsedRows([&] {
        pump();
        g.select(1, first, 1, last);
        g.sort(kSortByColSort);
        LiVer(1);
        pump();
    });
}

void SupFlx::OrdColVer(int col, const QString& mark) {
    OrdTipLpz();
    OrdTipVer(col, mark);
}

void SupFlx::OrdTipLpz() {
    GridWidget& g = gr();
    for (int c = 0; c < g.cols(); ++c) {
        const QString header = g.textMatrix(0, c);
        qsizetype length = 0;
        if (!leadingMark(header, length).isEmpty()) g.setTextMatrix(0, c, header.mid(length));
    }
}

void SupFlx::OrdTipCon(int col, QString& mark, QString& title) {
    const QString header = gr().textMatrix(0, col);
    qsizetype length = 0;
    mark = leadingMark(header, length);
    title = header.mid(length);
}

void SupFlx::OrdTipUsa(int col, QString& dir) {
    QString mark, title;
    OrdTipCon(col, mark, title);
    dir = mark == u"+" ? QStringLiteral("-") : QStringLiteral("+");
}

void SupFlx::OrdTipVer(int col, const QString& mark) {
    QString old, title;
    OrdTipCon(col, old, title);
    gr().setTextMatrix(0, col, u'[' + mark + QStringLiteral("] ") + title);
}

// ---- Header commands ----

void SupFlx::CabPos(const QString& kind, int row, int button, QString& res) {
    if (row != 0) {
        res = QStringLiteral("N");
    } else if (TxMai(kind) != u"TB") {
        res = QStringLiteral("S");
    } else {
        switch (button) {
        case 1:
            res = QStringLiteral("E");
            break;
        case 2:
            res = QStringLiteral("D");
            break;
        case 4:
            res = QStringLiteral("C");
            break;
        default:
            res = QStringLiteral("S");
            break;
        }
    }
}

void SupFlx::CabFx(int row, int button, QString& action) {
    QString res;
    CabPos(QStringLiteral("TB"), row, button, res);
    action.clear();
    if (res == u"D") {
        int fon = 0;
        UsaFon(fon);
        if (fon == 1) action = QStringLiteral("FON");
    } else if (res != u"N" && usaOrd_ == 1) {
        action = QStringLiteral("ORD");
    }
}

void SupFlx::CabFx_Fon() {
    FonSel();
}

void SupFlx::CabFx_Ord(int col) {
    HourGlass hourGlass;
    OrdCol(0, col - 1);
}

void SupFlx::gridMouseDown(int button, int /*shift*/, double /*x*/, double /*y*/,
                           bool& /*cancel*/) {
    int row = 0, col = 0;
    MouLC(row, col, 2);
    QString action;
    CabFx(row, button, action);
    if (action == u"FON")
        CabFx_Fon();
    else if (action == u"ORD")
        CabFx_Ord(col);
}

void SupFlx::UsaFon(int& res) {
    const int resizing = gr().allowUserResizing();
    res = (resizing == 1 || resizing == 3 || resizing == 4 || opcUsaFon_ == 1) ? 1 : 0;
}

void SupFlx::FonSel() {
    GridWidget& g = gr();
    SupFon font;
    QString opt;
    font.FonObCon(kFontKeys, &g, opt);
    font.FonOpcReg(kFontKeys, opt);
    int ok = 0;
    font.SelFon(ok);
    if (ok != 1) return;
    font.FonOpcCon(kFontKeys, opt);
    font.FonObReg(kFontKeys, &g, opt);
    font.FonObCon(kFontKeys, &g, opt);
    FonAspExe(opt);
}

void SupFlx::FonAspExe(const QString& opt) {
    Variant size{0.0};
    int found = 0;
    PrmCon(opt, QStringLiteral("TAM"), size, found);
    const double points = CDbl(size);
    if (points <= 0) return;
    GridWidget& g = gr();
    g.setRow(0);
    for (int c = 0; c < g.cols(); ++c) {
        g.setCol(c);
        g.setCellFontBold(true);
        g.setCellFontSize(points);
    }
}

// ---- The host's grid events ----

void SupFlx::GrEveKeyDown(int /*key*/, int /*shift*/) {}

void SupFlx::GrEveBeforeInsert(int& /*cancel*/) {}

void SupFlx::GrEveAfterInsert() {
    vbTrap([&] {
        if (!records_) return;
        records_->moveLast();
        if (callback_ && ColTab(1).kind == u"CBK")
            callback_->GrvVl(QStringLiteral("VDEF"), records_);
    });
}

void SupFlx::GrEveAfterUpdate() {
    if (dataKind_ == u"TAB") gr().viewport()->update();
}

void SupFlx::GrEveFormatText(int col, Variant& value) {
    vbTrap([&] {
        const ColDef& def = ColTab(col + 1);
        if (def.kind == u"CBK") {
            if (!callback_) throw VbError(err::ObjectNotSet);
            callback_->FrmVl(def.type, def.number, value);
        } else {
            Variant v = value;
            TxTipFmt(def.type, QString::number(def.number), v);
            value = v;
        }
    });
}

} // namespace zv
