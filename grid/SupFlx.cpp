// SupFlx: life cycle, binding, the column registry, cells as an array and the cursor. Rows are
// in SupFlxLin.cpp, sizing and scrolling in SupFlxDim.cpp, icons and notes in SupFlxIco.cpp.

#include "SupFlx.h"

#include "Convert.h"
#include "DbgFx.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QApplication>

namespace zv {

SupFlx::SupFlx() {
    setObjectName(className_);
    DbgObIni(className_, instanceId_);
    IcoUsaIdx(1, 2);
    noteIdx_ = 0;
    useMode_ = QStringLiteral("CON");
    OrdMcPrp();
    FxIni();
}

SupFlx::~SupFlx() {
    DbgObFim(className_, instanceId_);
    FxFim();
    columns_.clear();
    records_ = nullptr;
    grid_.clear();
    callback_ = nullptr;
    rowImages_ = nullptr;
}

void SupFlx::FxIni() {
    DbgFxIni(className_, instanceId_);
}

void SupFlx::FxFim() {
    DbgFxFim(className_, instanceId_);
}

GridWidget& SupFlx::gr() const {
    if (!grid_) throw VbError(err::ObjectNotSet);
    return *grid_;
}

void SupFlx::pump() {
    ProcessContext::current().pump().pump();
}

// ---- Binding ----

void SupFlx::IniUsoGr(GridWidget* grid, RecordSource* records, const QString& mode) {
    useMode_ = mode;
    if (grid_) disconnect(grid_, nullptr, this, nullptr);
    grid_ = grid;
    records_ = records;
    if (grid_) connect(grid_, &GridWidget::beforeMouseDown, this, &SupFlx::gridMouseDown);
}

void SupFlx::IniGda(const QString& kind, const QString& setup1, const QString& sql,
                    const QString& setup2) {
    dataKind_ = kind;
    setup1_ = setup1;
    sql_ = sql;
    setup2_ = setup2;
    ColRegIni();
}

void SupFlx::GdaSqlUsa(const QString& sql) {
    sql_ = sql;
}

void SupFlx::IniCbk(FlxCallback* callback) {
    callback_ = callback;
}

namespace {

// 1 for a yes value, 0 for any other.
int yesNo(const Variant& yes) {
    Variant flag{int32_t(0)};
    VarAtrSN(yes, flag);
    return NumDbl(flag) == 1 ? 1 : 0;
}

} // namespace

void SupFlx::setUsaOrd(const Variant& yes) {
    usaOrd_ = yesNo(yes);
}

void SupFlx::setOpcUsaFon(const Variant& yes) {
    opcUsaFon_ = yesNo(yes);
}

void SupFlx::GdoCfcGrIni(int rows) {
    minRows_ = rows;
    visibleRows_ = rows;
    lastUsed_ = 0;
    GrDimIni(1, colCount());
    gr().setExtendLastCol(true);
    ColAspIni();
    GrDimIni(rows, colCount());
}

// ---- Column registry ----

void SupFlx::ColRegIni() {
    columns_.clear();
}

void SupFlx::ColReg(int width, const QString& text, const QString& align, const QString& def) {
    ColDef col;
    col.width = width;
    col.text = text;
    col.align = align;
    // "kind:type,number": the kind up to the first ":" (all of it without one), the type up to
    // the first "," of the rest, the number from what is left.
    QString rest = def;
    int found = 0;
    TxSep(rest, QStringLiteral(":"), col.kind, found);
    TxSep(rest, QStringLiteral(","), col.type, found);
    col.number = NumDbl(Variant(rest));
    NumMscVal(Variant(col.number), col.mask);
    columns_.push_back(std::move(col));
}

const SupFlx::ColDef& SupFlx::ColTab(int c) const {
    if (c < 1 || c > colCount()) throw VbError(err::SubscriptOutOfRange);
    return columns_[size_t(c - 1)];
}

int SupFlx::AliCod(const QString& code) {
    const QString c = Trim(code);
    if (c == u"<") return kAlignLeftCenter;
    if (c == u"|") return kAlignCenterCenter;
    if (c == u">") return kAlignRightCenter;
    // "?" and codes the registry does not know: the grid's own rule (numbers right, texts left).
    return kAlignGeneral;
}

void SupFlx::ColAspIni() {
    for (int c = 1; c <= colCount(); ++c)
        ColAspDef(c);
}

void SupFlx::ColAspDef(int c) {
    const ColDef& col = ColTab(c);
    GridWidget& g = gr();
    const int gc = gridCol(c);
    g.setRow(0);
    g.setColAlignment(gc, AliCod(col.align));
    g.setColWidth(gc, std::max(col.width, 0));
    if (col.text != u"*") g.setTextMatrix(0, gc, col.text);
    if (!col.kind.isEmpty()) {
        QString mask;
        NumMscVal(Variant(col.kind), mask);
        g.setColFormat(gc, mask);
    }
    g.setCol(gc);
    g.setCellAlignment(kAlignCenterCenter);
    g.setCellFontBold(true);
}

void SupFlx::GrColLrg(int& total) {
    const GridWidget& g = gr();
    int64_t sum = 0;
    for (int c = 0; c < g.cols(); ++c)
        sum += g.colWidth(c);
    if (sum > INT32_MAX) throw VbError(err::Overflow);
    total = int(sum);
}

void SupFlx::RstColVar(int base, int col, QString& name) {
    vbTrap([&] {
        if (!records_) throw VbError(err::ObjectNotSet);
        name = TxMai(records_->fieldName(col - base));
    });
}

void SupFlx::RecNum(int& n) {
    vbTrap([&] {
        if (!records_) throw VbError(err::ObjectNotSet);
        const long count = records_->recordCount();
        if (count > INT32_MAX || count < INT32_MIN) throw VbError(err::Overflow);
        n = int(count);
    });
}

// ---- Cells as an array ----

void SupFlx::ArrVpo(const QString& mode, int row, int col, Variant& value) {
    vbTrap([&] {
        if (TxMai(mode) == u"A")
            gr().setTextMatrix(row, gridCol(col), TxCnv(value));
        else
            VarAtr(Variant(gr().textMatrix(row, gridCol(col))), value);
    });
}

void SupFlx::ArrCon(int row, int col, Variant& value) {
    ArrLcCon(row, gridCol(col), value);
}

void SupFlx::ArrReg(int row, int col, const Variant& value) {
    ArrLcReg(row, gridCol(col), value);
}

void SupFlx::ArrLcCon(int row, int col, Variant& value) {
    vbTrap([&] {
        const QString text = gr().textMatrix(row, col);
        if (value.isString()) {
            value = text;
        } else {
            double number = 0;
            NumTxDbl(text, number);
            value = number;
        }
    });
}

void SupFlx::ArrLcReg(int row, int col, const Variant& value) {
    vbTrap([&] { gr().setTextMatrix(row, col, TxCnv(value)); });
}

void SupFlx::ArrLiCon(int row, Variant& values) {
    const GridWidget& g = gr();
    Variant arr = Variant::array({{1, colCount()}});
    VArray& a = arr.arrayMut();
    for (int c = 1; c <= colCount(); ++c)
        a.at1(c) = g.textMatrix(row, gridCol(c));
    values = std::move(arr);
}

void SupFlx::ArrNumLin(int& n) {
    n = gr().rows() - 1;
}

void SupFlx::ArrReDim(int rows, Variant& arr) {
    arr = Variant::array({{1, rows}, {0, colCount() - 1}});
}

void SupFlx::GrLstCmp(const Variant& values) {
    GrLinCri();
    const VArray& in = values.array();
    Variant line = Variant::array({{0, int(in.ubound() - in.lbound() + 1)}});
    VArray& out = line.arrayMut();
    out.at1(0) = lastUsed_;
    for (int i = in.lbound(); i <= in.ubound(); ++i)
        out.at1(i - in.lbound() + 1) = in.at1(i);
    GrLstLin(line, 0);
}

void SupFlx::GrLstLin(const Variant& values, int isNew) {
    if (isNew == 1) GrLinCri();
    GridWidget& g = gr();
    const VArray& a = values.array();
    const int last = std::min(int(a.ubound()), g.cols() - 1);
    for (int c = 0; c <= last; ++c) {
        g.setCol(c);
        g.setText(TxCnv(a.at1(c)));
    }
    pump();
}

// ---- Cursor ----

void SupFlx::GrCurPos(int row, int col) {
    GridWidget& g = gr();
    g.setRow(row);
    g.setCol(col);
    g.showCell(row, col);
}

void SupFlx::GrLinPos(int row) {
    vbTrap([&] { GrCurPos(row, gr().col()); });
}

} // namespace zv
