#pragma once

#include <string>
#include <vector>

namespace korvex {

// One cell of a grid: its text and an attached integer.
struct GridCell {
    std::string text;
    int value = 0;
    bool operator==(const GridCell&) const = default;
};

// A table of text cells with an integer per cell, as the yield tables and the visible table hold
// them. Resizing keeps the cells that remain; new cells are empty. Access outside the grid throws
// std::out_of_range.
class StringGrid {
public:
    StringGrid() : StringGrid(1, 1) {}
    StringGrid(int columns, int rows);

    int ColCount() const { return static_cast<int>(columns_.size()); }
    int RowCount() const { return rows_; }
    void SetColCount(int columns);
    void SetRowCount(int rows);

    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedCols(int count) { fixedCols_ = count < 0 ? 0 : count; }
    void SetFixedRows(int count) { fixedRows_ = count < 0 ? 0 : count; }

    const GridCell& Cell(int col, int row) const;
    GridCell& Cell(int col, int row);
    const std::string& Text(int col, int row) const { return Cell(col, row).text; }
    int Value(int col, int row) const { return Cell(col, row).value; }
    void SetText(int col, int row, std::string text) { Cell(col, row).text = std::move(text); }
    void SetValue(int col, int row, int value) { Cell(col, row).value = value; }
    void Set(int col, int row, std::string text, int value);

    // A whole column, top to bottom (RowCount() cells).
    const std::vector<GridCell>& Column(int col) const;
    std::vector<GridCell>& Column(int col);
    // Appends an empty column and returns its index.
    int AppendColumn();

    bool operator==(const StringGrid&) const = default;

private:
    void Check(int col, int row) const;

    std::vector<std::vector<GridCell>> columns_;
    int rows_ = 0;
    int fixedCols_ = 0;
    int fixedRows_ = 0;
};

} // namespace korvex
