#pragma once
// What the palette's grid operations (SupFrm::CorRegGr, CorRepGrLi, GrdFlxCorLin) need of a
// grid: its whole-grid colours, its fixed columns and column count, and the current cell with
// its colours. Colours are 0x00BBGGRR; rows and columns are 0-based, row 0 and the first
// FixedCols columns being the fixed (header) cells. The grid control implements it.
//
// Errors: a row or column outside the grid raises 381 (the grid's own rule); a value that is
// no colour raises 380.

#include <cstdint>

namespace zv {

class PaletteGrid {
public:
    virtual ~PaletteGrid() = default;

    // The lines between the cells.
    virtual void setGridColor(int32_t colour) = 0;
    // The fixed cells.
    virtual void setBackColorFixed(int32_t colour) = 0;
    virtual void setForeColorFixed(int32_t colour) = 0;
    // The other cells; BackColor is the colour of odd rows when BackColorAlternate is set.
    virtual int32_t gridBackColor() const = 0;
    virtual void setGridBackColor(int32_t colour) = 0;
    virtual void setGridForeColor(int32_t colour) = 0;
    // The background of even rows.
    virtual int32_t backColorAlternate() const = 0;
    virtual void setBackColorAlternate(int32_t colour) = 0;

    virtual int32_t fixedCols() const = 0;
    virtual int32_t cols() const = 0;
    // The current cell, and the colours of that one cell.
    virtual void setRow(int32_t row) = 0;
    virtual void setCol(int32_t col) = 0;
    virtual void setCellBackColor(int32_t colour) = 0;
    virtual void setCellForeColor(int32_t colour) = 0;
};

} // namespace zv
