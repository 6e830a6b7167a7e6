#include "games/BaccaratNew/Record.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using BaccaratNew::CRecord;

namespace {

constexpr uint8_t B = CRecord::RESULT_ZHUANG, T = CRecord::RESULT_PING, P = CRecord::RESULT_XIAN;
constexpr size_t BIG_EYE = 0, SMALL = 1, COCKROACH = 2;

void Add(CRecord& record, std::initializer_list<uint8_t> results)
{
    for (uint8_t r : results)
        record.AddResult(r);
}

void AddRun(CRecord& record, uint8_t result, int times)
{
    for (int i = 0; i < times; ++i)
        record.AddResult(result);
}

// A road drawn as text, one line per row of the first `columns` columns.
std::string Road(const CRecord& record, size_t road, size_t columns)
{
    std::string text;
    for (size_t row = 0; row < CRecord::ROAD_ROWS; ++row)
    {
        for (size_t column = 0; column < columns; ++column)
            text += static_cast<char>('0' + record.GetRoadCell(road, column, row));
        text += '\n';
    }
    return text;
}

bool RoadEmpty(const CRecord& record, size_t road)
{
    for (size_t column = 0; column < CRecord::ROAD_COLUMNS; ++column)
        for (size_t row = 0; row < CRecord::ROAD_ROWS; ++row)
            if (record.GetRoadCell(road, column, row) != 0)
                return false;
    return true;
}

size_t BigRoadCells(const CRecord& record)
{
    size_t cells = 0;
    for (size_t column = 0; column < CRecord::BIG_ROAD_COLUMNS; ++column)
        for (size_t row = 0; row < CRecord::BIG_ROAD_ROWS; ++row)
            cells += record.GetBigRoadCell(column, row) != 0;
    return cells;
}

}  // namespace

TEST(BaccaratBigRoad, TiesTakeNoCell)
{
    CRecord record;
    Add(record, {T, T, T});
    EXPECT_EQ(record.GetHistoryCount(), 3u);
    EXPECT_EQ(BigRoadCells(record), 0u);
    for (size_t road = 0; road < CRecord::ROAD_COUNT; ++road)
        EXPECT_TRUE(RoadEmpty(record, road));

    Add(record, {B, B, P, T, P});
    EXPECT_EQ(record.GetBigRoadCell(0, 0), CRecord::CELL_ZHUANG);
    EXPECT_EQ(record.GetBigRoadCell(0, 1), CRecord::CELL_ZHUANG);
    EXPECT_EQ(record.GetBigRoadCell(1, 0), CRecord::CELL_XIAN);
    EXPECT_EQ(record.GetBigRoadCell(1, 1), CRecord::CELL_XIAN);
    EXPECT_EQ(BigRoadCells(record), 4u);
    EXPECT_EQ(record.GetHistoryCount(), 8u);

    // Codes other than 1..3 count in the cycle and change no grid.
    Add(record, {0, 4, 255});
    EXPECT_EQ(record.GetHistoryCount(), 11u);
    EXPECT_EQ(BigRoadCells(record), 4u);
}

TEST(BaccaratDerivedRoads, EachRoadStartsAtItsOwnCell)
{
    CRecord record;
    Add(record, {B, P});  // two columns, no (1, 1)
    EXPECT_TRUE(RoadEmpty(record, BIG_EYE));
    Add(record, {P});  // (1, 1) now exists
    EXPECT_FALSE(RoadEmpty(record, BIG_EYE));
    EXPECT_TRUE(RoadEmpty(record, SMALL));
    Add(record, {B});  // a third column
    EXPECT_TRUE(RoadEmpty(record, SMALL));
    Add(record, {P});  // a fourth column
    EXPECT_FALSE(RoadEmpty(record, SMALL));
    EXPECT_TRUE(RoadEmpty(record, COCKROACH));
    Add(record, {B});  // a fifth column
    EXPECT_FALSE(RoadEmpty(record, COCKROACH));

    CRecord deep;
    Add(deep, {B, P, B, B, P, P});  // columns of 1, 1, 2, 2: (2, 1) and (3, 1) exist
    EXPECT_FALSE(RoadEmpty(deep, SMALL));
    EXPECT_FALSE(RoadEmpty(deep, COCKROACH));
}

TEST(BaccaratDerivedRoads, FirstCellOfAColumnComparesLengths)
{
    CRecord equal;
    Add(equal, {B, B, P, P, B});  // lengths 2 and 2, then a new column
    // (1, 1) beside (0, 1) gives 2; the new column's first cell then 2 as well.
    EXPECT_EQ(Road(equal, BIG_EYE, 2), "20\n20\n00\n00\n00\n00\n");

    CRecord differ;
    Add(differ, {B, B, B, P, B});  // lengths 3 and 1, then a new column
    EXPECT_EQ(Road(differ, BIG_EYE, 2), "10\n00\n00\n00\n00\n00\n");
}

TEST(BaccaratDerivedRoads, WorkedExampleOfNineResults)
{
    CRecord record;
    Add(record, {B, B, B, P, B, B, P, P, B});
    EXPECT_EQ(Road(record, BIG_EYE, 3), "120\n120\n100\n000\n000\n000\n");
    EXPECT_EQ(Road(record, SMALL, 3), "210\n010\n010\n000\n000\n000\n");
    EXPECT_EQ(Road(record, COCKROACH, 3), "210\n000\n000\n000\n000\n000\n");
}

TEST(BaccaratDerivedRoads, MarksDownAColumn)
{
    CRecord record;
    Add(record, {B, B});
    AddRun(record, P, 5);
    // Beside a column of two: 2, then 1 at the first row past it, then 2 again.
    EXPECT_EQ(Road(record, BIG_EYE, 4), "2120\n0020\n0000\n0000\n0000\n0000\n");
}

TEST(BaccaratDerivedRoads, RunsTurnRightWhenBlocked)
{
    CRecord record;
    AddRun(record, B, 8);
    AddRun(record, P, 8);  // seven equal big-eye marks
    EXPECT_EQ(Road(record, BIG_EYE, 3), "200\n200\n200\n200\n200\n220\n");
    Add(record, {B});  // an eighth goes along row 5
    EXPECT_EQ(Road(record, BIG_EYE, 4), "2000\n2000\n2000\n2000\n2000\n2220\n");

    // A change of mark starts column 1 from the top, grows down to the
    // turned cell at (1, 5) and then turns along row 4.
    Add(record, {P, P, B, P, P, B});
    EXPECT_EQ(Road(record, BIG_EYE, 4), "2100\n2100\n2100\n2100\n2110\n2220\n");
}

TEST(BaccaratDerivedRoads, CycleOfSixtyEightResults)
{
    CRecord record;
    for (int i = 0; i < 68; ++i)
        record.AddResult(i % 2 ? P : B);
    EXPECT_EQ(record.GetHistoryCount(), 68u);
    EXPECT_EQ(record.GetBigRoadCell(67, 0), CRecord::CELL_XIAN);  // the 68th is placed normally

    record.AddResult(B);  // the 69th starts a new cycle
    EXPECT_EQ(record.GetHistoryCount(), 1u);
    EXPECT_EQ(record.GetBigRoadCell(0, 0), CRecord::CELL_ZHUANG);
    EXPECT_EQ(BigRoadCells(record), 1u);
    for (size_t road = 0; road < CRecord::ROAD_COUNT; ++road)
        EXPECT_TRUE(RoadEmpty(record, road));

    CRecord ties;
    AddRun(ties, B, 68);
    ties.AddResult(T);
    EXPECT_EQ(ties.GetHistoryCount(), 1u);
    EXPECT_EQ(BigRoadCells(ties), 0u);

    record.Clear();
    EXPECT_EQ(record.GetHistoryCount(), 0u);
    EXPECT_EQ(BigRoadCells(record), 0u);
}

TEST(BaccaratDerivedRoads, LongRunsStayInsideTheGrids)
{
    // Thirty-five banker wins in a row: the column holds thirty, the rest
    // have no place, and the other grids stay intact.
    CRecord record;
    AddRun(record, B, 35);
    EXPECT_EQ(BigRoadCells(record), 30u);
    EXPECT_EQ(record.GetBigRoadCell(0, 29), CRecord::CELL_ZHUANG);
    EXPECT_EQ(record.GetBigRoadCell(1, 0), CRecord::CELL_EMPTY);
    AddRun(record, P, 30);
    EXPECT_EQ(record.GetBigRoadCell(1, 29), CRecord::CELL_XIAN);
    // Twenty-nine big-eye marks of 2: down column 0, then along row 5.
    EXPECT_EQ(record.GetRoadCell(BIG_EYE, 0, 5), 2u);
    EXPECT_EQ(record.GetRoadCell(BIG_EYE, 23, 5), 2u);
    EXPECT_EQ(record.GetRoadCell(BIG_EYE, 24, 5), 0u);

    // Reads outside the grids are empty, as a 138-column chart asks for.
    EXPECT_EQ(record.GetRoadCell(BIG_EYE, 137, 0), 0u);
    EXPECT_EQ(record.GetRoadCell(BIG_EYE, 0, 6), 0u);
    EXPECT_EQ(record.GetRoadCell(3, 0, 0), 0u);
    EXPECT_EQ(record.GetBigRoadCell(100, 0), 0u);
    EXPECT_EQ(record.GetBigRoadCell(0, 30), 0u);
}

TEST(BaccaratDerivedRoads, RandomShoesKeepTheBigRoadShape)
{
    std::mt19937 rng(9105);
    std::discrete_distribution<int> pick({46, 10, 44});
    CRecord record;
    for (int n = 0; n < 3000; ++n)
    {
        record.AddResult(static_cast<uint8_t>(1 + pick(rng)));
        // Columns are unbroken runs from row 0, and neighbours alternate sides.
        uint32_t previous = CRecord::CELL_EMPTY;
        bool ended = false;
        for (size_t column = 0; column < CRecord::BIG_ROAD_COLUMNS; ++column)
        {
            uint32_t side = record.GetBigRoadCell(column, 0);
            if (side == CRecord::CELL_EMPTY)
            {
                ended = true;
                continue;
            }
            ASSERT_FALSE(ended);
            ASSERT_NE(side, previous);
            previous = side;
            bool gap = false;
            for (size_t row = 1; row < CRecord::BIG_ROAD_ROWS; ++row)
            {
                uint32_t cell = record.GetBigRoadCell(column, row);
                if (cell == CRecord::CELL_EMPTY)
                    gap = true;
                else
                    ASSERT_TRUE(!gap && cell == side);
            }
        }
        for (size_t road = 0; road < CRecord::ROAD_COUNT; ++road)
            for (size_t column = 0; column < CRecord::ROAD_COLUMNS; ++column)
                for (size_t row = 0; row < CRecord::ROAD_ROWS; ++row)
                    ASSERT_LE(record.GetRoadCell(road, column, row), 2u);
    }
}
