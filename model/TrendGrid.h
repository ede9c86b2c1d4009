#pragma once
// The options a fixed trend computed, laid out over the values of its one or two trend processes: with
// one process element i is the option with value i; with two, element (i, j) the option with value i of the
// first process and value j of the second. All 0-based.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/Errors.h"

namespace korvel {

class FieldCollection;

class TrendGrid {
public:
    // Dimensions: 0 for a grid never filled, 1 or 2.
    int dimensions() const { return dimensions_; }
    std::size_t rows() const { return rows_; }
    // 1 for a one-dimensional grid.
    std::size_t columns() const { return columns_; }

    // An empty grid of rows × columns cells (two dimensions when twoDimensions, else columns is 1).
    void resize(std::size_t rows, std::size_t columns, bool twoDimensions)
    {
        dimensions_ = twoDimensions ? 2 : 1;
        rows_ = rows;
        columns_ = twoDimensions ? columns : 1;
        cells_.assign(rows_ * columns_, nullptr);
    }

    // Element (i) of a one-dimensional grid or (i, j) of a two-dimensional one; throws IndexError outside it.
    const std::shared_ptr<FieldCollection>& at(std::size_t i, std::size_t j = 0) const { return cells_[index(i, j)]; }
    std::shared_ptr<FieldCollection>& at(std::size_t i, std::size_t j = 0) { return cells_[index(i, j)]; }

private:
    std::size_t index(std::size_t i, std::size_t j) const
    {
        if (i >= rows_ || j >= columns_)
            throw IndexError("the trend grid has no element (" + std::to_string(i) + ", " + std::to_string(j) + ")");
        return i * columns_ + j;
    }

    int dimensions_ = 0;
    std::size_t rows_ = 0;
    std::size_t columns_ = 0;
    std::vector<std::shared_ptr<FieldCollection>> cells_;
};

} // namespace korvel
