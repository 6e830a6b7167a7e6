// The pure parts of the banker betting boards: amounts that do not wrap, the
// chips a limit allows, amounts laid out as chips, the record strip's window.
#include "games/common/BankerBetting.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

TEST(BankerBetting, AmountsStopAtTheEndsOfTheirRange)
{
    const struct
    {
        int64_t a, b, sum, difference, product;
    } cases[] = {
        {5, 7, 12, -2, 35},
        {kMax, 1, kMax, kMax - 1, kMax},
        {kMin, -1, kMin, kMin + 1, kMax},
        {kMin, 1, kMin + 1, kMin, kMin},
        {kMax / 2 + 1, 10, kMax / 2 + 11, kMax / 2 - 9, kMax},
        {-(kMax / 2) - 1, 10, -(kMax / 2) + 9, -(kMax / 2) - 11, kMin},
        {0, kMin, kMin, kMax, 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(games::SaturatingAdd(c.a, c.b), c.sum) << c.a << " + " << c.b;
        EXPECT_EQ(games::SaturatingSub(c.a, c.b), c.difference) << c.a << " - " << c.b;
        EXPECT_EQ(games::SaturatingMul(c.a, c.b), c.product) << c.a << " * " << c.b;
    }
}

TEST(BankerBetting, ALimitAllowsTheChipsOfATenthOfIt)
{
    const int64_t chips[] = {100, 1000, 10000, 50000, 100000, 500000, 1000000, 5000000};
    const struct
    {
        int64_t limit;
        size_t usable;
    } cases[] = {
        {-5000, 0},  {0, 0},      {999, 0},     {1000, 1},     {9999, 1}, {10000, 2}, {120000, 3},
        {500000, 4}, {999999, 4}, {1000000, 5}, {50000000, 8}, {kMax, 8}, {kMin, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(games::UsableChips(c.limit, chips, 8, 10), c.usable) << c.limit;
    EXPECT_EQ(games::UsableChips(1000, chips, 8, 1), 2u);
}

TEST(BankerBetting, AnAmountIsLaidOutAsTheLargestChipsFirst)
{
    const int64_t denominations[] = {5000000, 1000000, 500000, 100000, 50000, 10000, 1000, 100};
    const struct
    {
        int64_t amount;
        size_t most;
        std::vector<int64_t> chips;
    } cases[] = {
        {1611150, 60, {1000000, 500000, 100000, 10000, 1000, 100}},
        {0, 60, {}},
        {-100, 60, {}},
        {99, 60, {}},
        {200, 60, {100, 100}},
        {11500000, 60, {5000000, 5000000, 1000000, 500000}},
        // A huge total stops at the most chips it may lay.
        {kMax, 3, {5000000, 5000000, 5000000}},
        {1200, 2, {1000, 100}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(games::SplitIntoChips(c.amount, denominations, 8, c.most), c.chips) << c.amount;
}

// The strip keeps at most 100 columns and shows 24 of them.
class Strip
{
public:
    void Add(int columns)
    {
        for (int i = 0; i < columns; ++i)
            window.OnAdded(++count);
    }
    void Layout()
    {
        const int dropped = window.Overflow(count);
        count -= dropped;
        window.Layout(dropped, count);
    }
    games::RecordWindow window{24, 100};
    int count = 0;
};

TEST(BankerBetting, TheStripShowsTheNewest24Columns)
{
    const struct
    {
        int columns, count, first, end;
    } cases[] = {
        {0, 0, 0, 0},
        {5, 5, 0, 5},
        {24, 24, 0, 24},
        {25, 25, 1, 25},
        {30, 30, 6, 30},
        // The 100th column drops the oldest; a list longer than that is cut down too.
        {99, 99, 75, 99},
        {100, 99, 75, 99},
        {150, 99, 75, 99},
        {1000, 99, 75, 99},
    };
    for (const auto& c : cases)
    {
        Strip strip;
        strip.Add(c.columns);
        strip.Layout();
        EXPECT_EQ(strip.count, c.count) << c.columns;
        EXPECT_EQ(strip.window.First(), c.first) << c.columns;
        EXPECT_EQ(strip.window.End(), c.end) << c.columns;
    }
}

TEST(BankerBetting, TheStripPagesBackOneColumnAtATimeAndForwardAgain)
{
    Strip strip;
    strip.Add(30);
    strip.Layout();
    for (int first = 5; first >= 0; --first)
    {
        ASSERT_TRUE(strip.window.StepBack());
        strip.window.Layout(0, strip.count);
        EXPECT_EQ(strip.window.First(), first);
        EXPECT_EQ(strip.window.End(), first + 24);
    }
    EXPECT_FALSE(strip.window.StepBack());
    EXPECT_EQ(strip.window.First(), 0);
    for (int first = 1; first <= 6; ++first)
    {
        ASSERT_TRUE(strip.window.CanStepForward(strip.count));
        strip.window.Layout(0, strip.count);
        EXPECT_EQ(strip.window.First(), first);
    }
    EXPECT_FALSE(strip.window.CanStepForward(strip.count));
}

TEST(BankerBetting, ANewColumnAfterPagingBackMovesTheWindowOneOn)
{
    Strip strip;
    strip.Add(30);
    strip.Layout();
    strip.window.StepBack();
    strip.window.Layout(0, strip.count);
    ASSERT_EQ(strip.window.First(), 5);
    // A column of a round's result adds no OnAdded: the window steps on by one.
    ++strip.count;
    strip.Layout();
    EXPECT_EQ(strip.window.First(), 6);
    EXPECT_EQ(strip.window.End(), 30);
}

}  // namespace
