// Result roads of the baccarat score board: the big road of one cycle of
// results and the three roads derived from it (big-eye, small, cockroach).
#pragma once

#include <cstddef>
#include <cstdint>

namespace BaccaratNew {

class CRecord
{
public:
    // Result codes as the board passes them.
    static constexpr uint8_t RESULT_ZHUANG = 1;  // banker point higher
    static constexpr uint8_t RESULT_PING = 2;    // equal points
    static constexpr uint8_t RESULT_XIAN = 3;    // player point higher

    // Big-road cells.
    static constexpr uint32_t CELL_EMPTY = 0;
    static constexpr uint32_t CELL_ZHUANG = 1;
    static constexpr uint32_t CELL_XIAN = 2;

    static constexpr size_t CYCLE_LENGTH = 68;
    static constexpr size_t BIG_ROAD_COLUMNS = 100;
    static constexpr size_t BIG_ROAD_ROWS = 30;
    static constexpr size_t ROAD_COUNT = 3;  // 0 big-eye, 1 small, 2 cockroach
    static constexpr size_t ROAD_COLUMNS = 100;
    static constexpr size_t ROAD_ROWS = 6;

    CRecord();

    // Adds one result and rebuilds the derived roads. The 69th result of a
    // cycle clears the record first. A code other than 1..3 changes no grid
    // but counts in the cycle.
    void AddResult(uint8_t result);
    void Clear();

    size_t GetHistoryCount() const { return m_historyCount; }

    // Cells by column and row; any place outside a grid reads as empty, so a
    // chart with more columns than the grid simply shows nothing there.
    uint32_t GetBigRoadCell(size_t column, size_t row) const;
    // road 0..2; 0 empty, 1 and 2 the two marks of a derived road.
    uint32_t GetRoadCell(size_t road, size_t column, size_t row) const;

private:
    size_t ColumnLength(size_t column) const;
    void PlaceInBigRoad(uint32_t cell);
    void RebuildRoad(size_t road);

    uint8_t m_history[CYCLE_LENGTH];
    size_t m_historyCount;
    uint32_t m_bigRoad[BIG_ROAD_COLUMNS][BIG_ROAD_ROWS];
    uint32_t m_roads[ROAD_COUNT][ROAD_COLUMNS * ROAD_ROWS];  // column * 6 + row
};

}  // namespace BaccaratNew
