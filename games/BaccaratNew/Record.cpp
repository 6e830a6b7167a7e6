#include "games/BaccaratNew/Record.h"

#include <cstring>

namespace BaccaratNew {

namespace {

// Lays derived-road marks into a 100 x 6 grid: a run of equal marks grows
// down its column and turns right along its last row when blocked.
class RoadLayout
{
public:
    explicit RoadLayout(uint32_t* grid) : m_grid(grid) {}

    void Lay(uint32_t mark)
    {
        if (!m_started)
        {
            m_started = true;
            Set(0, 0, mark);
            return;
        }
        if (mark != Get(m_runColumn, m_lastRow))
        {
            // A new run replaces whatever a turned run left at its top.
            ++m_runColumn;
            m_lastRow = 0;
            Set(m_runColumn, 0, mark);
            return;
        }
        if (m_lastRow < CRecord::ROAD_ROWS - 1 && Get(m_runColumn, m_lastRow + 1) == CRecord::CELL_EMPTY)
        {
            ++m_lastRow;
            Set(m_runColumn, m_lastRow, mark);
            return;
        }
        size_t column = m_runColumn + 1;
        if (m_runColumn < 29)
        {
            while (column <= 29 && Get(column, m_lastRow) != CRecord::CELL_EMPTY)
                ++column;
        }
        Set(column, m_lastRow, mark);
    }

private:
    uint32_t Get(size_t column, size_t row) const
    {
        return column < CRecord::ROAD_COLUMNS ? m_grid[column * CRecord::ROAD_ROWS + row] : CRecord::CELL_EMPTY;
    }
    // A mark that would fall past the last column has no place and is dropped.
    void Set(size_t column, size_t row, uint32_t mark)
    {
        if (column < CRecord::ROAD_COLUMNS)
            m_grid[column * CRecord::ROAD_ROWS + row] = mark;
    }

    uint32_t* m_grid;
    bool m_started = false;
    size_t m_runColumn = 0;
    size_t m_lastRow = 0;
};

}  // namespace

CRecord::CRecord() { Clear(); }

void CRecord::Clear()
{
    m_historyCount = 0;
    std::memset(m_history, 0, sizeof m_history);
    std::memset(m_bigRoad, 0, sizeof m_bigRoad);
    std::memset(m_roads, 0, sizeof m_roads);
}

uint32_t CRecord::GetBigRoadCell(size_t column, size_t row) const
{
    if (column >= BIG_ROAD_COLUMNS || row >= BIG_ROAD_ROWS)
        return CELL_EMPTY;
    return m_bigRoad[column][row];
}

uint32_t CRecord::GetRoadCell(size_t road, size_t column, size_t row) const
{
    if (road >= ROAD_COUNT || column >= ROAD_COLUMNS || row >= ROAD_ROWS)
        return CELL_EMPTY;
    return m_roads[road][column * ROAD_ROWS + row];
}

size_t CRecord::ColumnLength(size_t column) const
{
    size_t length = 0;
    while (length < BIG_ROAD_ROWS && m_bigRoad[column][length] != CELL_EMPTY)
        ++length;
    return length;
}

void CRecord::PlaceInBigRoad(uint32_t cell)
{
    size_t next = 0;
    while (next < BIG_ROAD_COLUMNS && m_bigRoad[next][0] != CELL_EMPTY)
        ++next;
    size_t target = next;
    if (next > 0 && m_bigRoad[next - 1][0] == cell)
        target = next - 1;
    if (target >= BIG_ROAD_COLUMNS)
        return;  // every column taken
    // A run longer than the column has no place: the column stays full.
    size_t row = ColumnLength(target);
    if (row < BIG_ROAD_ROWS)
        m_bigRoad[target][row] = cell;
}

void CRecord::AddResult(uint8_t result)
{
    if (m_historyCount >= CYCLE_LENGTH)
        Clear();
    if (result == RESULT_ZHUANG)
        PlaceInBigRoad(CELL_ZHUANG);
    else if (result == RESULT_XIAN)
        PlaceInBigRoad(CELL_XIAN);
    m_history[m_historyCount++] = result;
    for (size_t road = 0; road < ROAD_COUNT; ++road)
        RebuildRoad(road);
}

void CRecord::RebuildRoad(size_t road)
{
    uint32_t* grid = m_roads[road];
    std::memset(grid, 0, sizeof m_roads[road]);
    RoadLayout layout(grid);

    const size_t m = road + 1;  // distance to the compared column
    size_t startColumn = m, startRow = 1;
    if (m_bigRoad[m][1] == CELL_EMPTY)
    {
        startColumn = m + 1;
        startRow = 0;
    }
    for (size_t c = startColumn; c < BIG_ROAD_COLUMNS; ++c)
    {
        bool firstGapSeen = false;
        for (size_t r = (c == startColumn ? startRow : 0); r < BIG_ROAD_ROWS && m_bigRoad[c][r] != CELL_EMPTY; ++r)
        {
            uint32_t mark;
            if (r == 0)
            {
                mark = ColumnLength(c - 1) == ColumnLength(c - 1 - m) ? 2 : 1;
            }
            else if (m_bigRoad[c - m][r] != CELL_EMPTY)
            {
                mark = 2;
            }
            else
            {
                mark = firstGapSeen ? 2 : 1;
                firstGapSeen = true;
            }
            layout.Lay(mark);
        }
    }
}

}  // namespace BaccaratNew
