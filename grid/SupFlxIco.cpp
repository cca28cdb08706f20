// SupFlx: pictures from the row image list in cells, the hidden data of cells, the two-state use
// icon and notes. Columns are 1-based here.

#include "SupFlx.h"

#include "Convert.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

void SupFlx::IcoImg(ImageList* list) {
    rowImages_ = nullptr;
    rowImages_ = list;
}

void SupFlx::showImage(int row, int col, int index) {
    if (!rowImages_) throw VbError(err::ObjectNotSet);
    const QPixmap picture = rowImages_->picture(index);
    gr().setCellPicture(row, gridCol(col), picture);
}

void SupFlx::AdiCon(int row, int col, Variant& value) {
    vbTrap([&] { VarAtr(Variant(gr().cellData(row, gridCol(col))), value); });
}

void SupFlx::AdiReg(int row, int col, const Variant& value) {
    vbTrap([&] { gr().setCellData(row, gridCol(col), TxCnv(value)); });
}

void SupFlx::IcoVer(int row, int col, const Variant& idx) {
    const double n = NumDbl(idx);
    if (n > 0) showImage(row, col, CLng(Variant(n)));
}

void SupFlx::IcoEli(int row, int col) {
    gr().setCellPicture(row, gridCol(col), QPixmap());
}

void SupFlx::IcoMap(int row, int col, const Variant& key) {
    AdiReg(row, col, key);
    IcoVer(row, col, key);
}

void SupFlx::IcoVop(int row, int col, Variant& key) {
    AdiCon(row, col, key);
}

void SupFlx::IcoUsaIdx(int off, int on) {
    useOffIdx_ = off;
    useOnIdx_ = on;
}

void SupFlx::IcoUsaMap(int row, int col, const Variant& state) {
    AdiReg(row, col, state);
    IcoUsaVer(row, col);
}

void SupFlx::IcoUsaVer(int row, int col) {
    Variant state{0.0};
    AdiCon(row, col, state);
    IcoVer(row, col, Variant(state.rawDouble() == 1 ? useOnIdx_ : useOffIdx_));
}

void SupFlx::IcoUsaInv(int row, int col) {
    Variant state{0.0};
    AdiCon(row, col, state);
    IcoUsaMap(row, col, Variant(int32_t(state.rawDouble() == 1 ? 0 : 1)));
}

void SupFlx::NotIcoIdx(int idx) {
    noteIdx_ = idx;
}

void SupFlx::NotIco(int row, int col) {
    if (noteIdx_ <= 0) return;
    showImage(row, col, noteIdx_);
    notePicture_ = gr().cellPictureId(row, gridCol(col));
}

void SupFlx::NotReg(int row, int col, const QString& text) {
    AdiReg(row, col, text);
    NotIco(row, col);
}

void SupFlx::NotEli(int row, int col) {
    AdiReg(row, col, QString());
    IcoEli(row, col);
}

int SupFlx::NotCon(int row, int col, QString& text) {
    int found = 0;
    text.clear();
    vbTrap([&] {
        const GridWidget& g = gr();
        // A cell without a picture shows no note, whatever was drawn before.
        const qint64 picture = g.cellPictureId(row, gridCol(col));
        if (picture != 0 && picture == notePicture_) {
            text = g.cellData(row, gridCol(col));
            found = 1;
        }
    });
    return found;
}

} // namespace zv
