// The pure parts of the banker betting boards: amounts that do not wrap, the
// bets on the areas, the chips a limit allows and the selection they leave,
// amounts laid out as chips, the banker queue, the record strips, the
// countdown and the dragged view's centre.
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

TEST(BankerBetting, AreaBetsRefuseAreasOutsideTheTableAndSaturate)
{
    games::AreaBets bets(3);
    for (int area : {-1, 0, 4, 255})
    {
        EXPECT_FALSE(bets.Add(area, 100, true)) << area;
        EXPECT_FALSE(bets.Set(area, 1, 1)) << area;
        EXPECT_EQ(bets.Total(area), 0) << area;
    }
    EXPECT_TRUE(bets.Add(1, 1000, false));
    EXPECT_TRUE(bets.Add(3, 500, true));
    EXPECT_TRUE(bets.Add(3, kMax, true));
    EXPECT_EQ(bets.Total(1), 1000);
    EXPECT_EQ(bets.Mine(1), 0);
    EXPECT_EQ(bets.Total(3), kMax);
    EXPECT_EQ(bets.Mine(3), kMax);
    EXPECT_EQ(bets.Sum(), kMax);
    EXPECT_EQ(bets.MySum(), kMax);
    bets.Clear();
    EXPECT_EQ(bets.Sum(), 0);
    EXPECT_TRUE(bets.Set(2, 7, 3));
    EXPECT_EQ(bets.Sum(), 7);
    EXPECT_EQ(bets.MySum(), 3);
    EXPECT_EQ(games::AreaBets(0).Sum(), 0);
}

TEST(BankerBetting, TheSelectedChipDropsToTheLargestUsableOne)
{
    const int64_t chips[] = {100, 1000, 10000, 100000, 1000000};
    const struct
    {
        int64_t selected;
        size_t usable;
        int64_t whenNone, after;
    } cases[] = {
        {100000, 3, 0, 10000}, {1000, 3, 0, 1000}, {0, 3, 0, 0},
        {10000, 0, 0, 0},       {10000, 0, 10000, 10000}, {1000000, 5, 0, 1000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(games::LimitSelectedChip(c.selected, chips, c.usable, c.whenNone), c.after) << c.selected;
}

TEST(BankerBetting, AChipLoopEndsWhateverTheDenominations)
{
    // A unit that never fits, a 0 unit and a rest below the smallest unit.
    const int64_t odd[] = {5000000, 0, -100, 100};
    EXPECT_EQ(games::SplitIntoChips(10000550, odd, 4, 60),
              (std::vector<int64_t>{5000000, 5000000, 100, 100, 100, 100, 100}));
    EXPECT_TRUE(games::SplitIntoChips(50, odd, 4, 60).empty());
    EXPECT_TRUE(games::SplitIntoChips(1000, odd, 4, 0).empty());
}

TEST(BankerBetting, ADelayedChipWaitsAFractionOfASecondToOneAndAHalf)
{
    // glibc's RAND_MAX is 2^31 - 1: the delay must not assume 32767.
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(0), 0.3f);
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(RAND_MAX), 1.5f);
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(16383, 32766), 0.9f);
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(-5, 100), 0.3f);
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(500, 100), 1.5f);
    EXPECT_FLOAT_EQ(games::DelayedChipSeconds(5, 0), 0.3f);
}

TEST(BankerBetting, TheBankerQueueKeepsTheOrderOfApplication)
{
    games::BankerQueue queue;
    for (uint16_t chair : {7, 2, 9, 2, 4})
        queue.Add(chair);
    EXPECT_EQ(queue.IndexOf(9), 2);
    EXPECT_EQ(queue.IndexOf(3), -1);
    EXPECT_EQ(queue.At(4), 4);
    EXPECT_EQ(queue.At(5), games::BankerQueue::kNoChair);
    // A chair queued twice goes wholly.
    EXPECT_EQ(queue.Remove(2), 2u);
    EXPECT_FALSE(queue.Contains(2));
    EXPECT_EQ(queue.Chairs(), (std::vector<uint16_t>{7, 9, 4}));
    EXPECT_EQ(queue.Remove(2), 0u);
    // Two neighbours below a raised minimum both go.
    queue.Add(8);
    EXPECT_EQ(queue.RemoveIf([](uint16_t chair) { return chair == 9 || chair == 4; }), 2u);
    EXPECT_EQ(queue.Chairs(), (std::vector<uint16_t>{7, 8}));
    queue.Clear();
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(BankerBetting, ARecordColumnAlwaysHasItsItem)
{
    const struct
    {
        int column, items, appendFrom, append;
    } cases[] = {
        // The layout's items first, then one new item before each column.
        {0, 29, 29, 0},
        {28, 29, 29, 0},
        {29, 29, 29, 1},
        {30, 30, 29, 1},
        {16, 17, 17, 0},
        {17, 18, 17, 1},
        // A layout with fewer items than counted on: the missing ones come.
        {0, 0, 30, 1},
        {5, 3, 30, 3},
        {31, 10, 30, 22},
        {-1, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        const int append = games::RecordItemsToAppend(c.column, c.items, c.appendFrom);
        EXPECT_EQ(append, c.append) << c.column << " " << c.items;
        EXPECT_GT(c.items + append, c.column);
    }
}

TEST(BankerBetting, ACountdownStopsAtZero)
{
    games::Countdown clock;
    EXPECT_FALSE(clock.Tick());
    clock.Start(3);
    std::vector<int> shown;
    while (clock.Tick())
        shown.push_back(clock.Seconds());
    EXPECT_EQ(shown, (std::vector<int>{2, 1, 0}));
    EXPECT_FALSE(clock.Tick());
    EXPECT_EQ(clock.Seconds(), 0);
    clock.Start(-4);
    EXPECT_FALSE(clock.Tick());
    EXPECT_EQ(clock.Seconds(), -4);
}

TEST(BankerBetting, ADraggedViewStaysWhollyInsideTheArea)
{
    const struct
    {
        float centre, half, extent, kept;
    } cases[] = {
        {512, 100, 1024, 512}, {1000, 100, 1024, 924}, {50, 100, 1024, 100},
        {100, 100, 1024, 100}, {924, 100, 1024, 924},  {-500, 100, 728, 100},
        // Larger than the area: at its lower left.
        {300, 600, 1024, 600},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(games::ClampCentre(c.centre, c.half, c.extent), c.kept) << c.centre;
}

}  // namespace
