#include "core/views/StringGrid.h"

#include <stdexcept>

namespace korvex {

StringGrid::StringGrid(int columns, int rows)
{
    SetRowCount(rows);
    SetColCount(columns);
}

void StringGrid::SetColCount(int columns)
{
    columns_.resize(static_cast<std::size_t>(columns < 0 ? 0 : columns),
                    std::vector<GridCell>(static_cast<std::size_t>(rows_)));
}

void StringGrid::SetRowCount(int rows)
{
    rows_ = rows < 0 ? 0 : rows;
    for (auto& column : columns_)
        column.resize(static_cast<std::size_t>(rows_));
}

void StringGrid::Check(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= rows_)
        throw std::out_of_range("Grid index out of range");
}

const GridCell& StringGrid::Cell(int col, int row) const
{
    Check(col, row);
    return columns_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

GridCell& StringGrid::Cell(int col, int row)
{
    Check(col, row);
    return columns_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

void StringGrid::Set(int col, int row, std::string text, int value)
{
    GridCell& cell = Cell(col, row);
    cell.text = std::move(text);
    cell.value = value;
}

const std::vector<GridCell>& StringGrid::Column(int col) const
{
    if (col < 0 || col >= ColCount())
        throw std::out_of_range("Grid index out of range");
    return columns_[static_cast<std::size_t>(col)];
}

std::vector<GridCell>& StringGrid::Column(int col)
{
    if (col < 0 || col >= ColCount())
        throw std::out_of_range("Grid index out of range");
    return columns_[static_cast<std::size_t>(col)];
}

int StringGrid::AppendColumn()
{
    columns_.emplace_back(static_cast<std::size_t>(rows_));
    return ColCount() - 1;
}

} // namespace korvex
