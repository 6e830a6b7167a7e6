// A two-card banker table in a headless kernel (banktest::BankerTableTest).
// Each game's fixture enters its own kind.
#pragma once

#include "core/ClientGlobal.h"
#include "games/BankerTable.h"
#include "games/PhaseCheck.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/TwoCardBanker/TwoCardHandler.h"
#include "games/TwoCardBanker/TwoCardMessages.h"

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tcbtest {

using banktest::Bytes;
using banktest::BytesOf;
using banktest::Shows;
using banktest::Sized;

// A bet laid; `delayed` is set on a bet the server held back.
Bytes Bet(uint16_t chair, uint8_t area, int64_t amount, uint8_t delayed = 0);
// Betting time with a table limit and mine.
template <typename RoundStart>
Bytes StartOf(uint16_t banker, int64_t betLimit, int64_t myLimit, uint8_t seconds)
{
    RoundStart m = {};
    m.wBankerUser = banker;
    m.lBetLimit = betLimit;
    m.lUserMaxScore = myLimit;
    m.cbTimeLeave = seconds;
    return BytesOf(m);
}
TwoCardBanker::FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition);

// Four hands, the banker's first: (red Q, black Q), (red 2, red 8),
// (black A, black 4), (red 9, black 6).
extern const uint8_t kRoundCards[TwoCardBanker::CARD_COUNT];

// A busy round's figures in a round end or a play scene: ten digits,
// negative where they can be.
template <typename Record>
void BusyFigures(Record& r)
{
    r.lBankerTotalResult = -8765432109;
    r.lSecondAmount = -9876543210;
    r.lMyScore = -1234567890;
    r.lThirdAmount = 1234567890;
}

// One round of a game's messages, for walking the table through its phases.
struct RoundMessages
{
    Bytes records;       // a record list
    Bytes free;          // free time (the banker on chair 1)
    Bytes start;         // betting with chair 1 banker and room for my bets
    Bytes end;           // the round's end
    Bytes bettingScene;  // a play scene entered in the betting
    Bytes resultScene;   // a play scene entered in the result
};

// A busy round from a game's round end and play scene: ten-digit figures
// (BusyFigures), the table limits of ten digits; the game gives its records
// and free time.
template <typename RoundStart, typename End, typename PlayScene>
void FillBusyRound(RoundMessages& round, End end, PlayScene scene)
{
    round.start = StartOf<RoundStart>(1, 50000000000LL, 20000000000LL, 20);
    BusyFigures(end);
    round.end = BytesOf(end);
    BusyFigures(scene);
    round.bettingScene = BytesOf(scene);
    scene.cbTimeLeave = 9;
    round.resultScene = BytesOf(scene);
}

class TwoCardTest : public banktest::BankerTableTest
{
protected:
    // Enters the kind's game; the board and handler are then set.
    void EnterGame(const Sexy::GameKindModuleInfo& kind);

    Bytes BetRequest(uint8_t area, int64_t amount) const;
    // The queue's, a refused bet's and the room notice's messages are taken
    // at their own sizes only.
    void ExpectSharedMessagesTakenAtTheirSizesOnly(uint16_t noticeSub);
    // After free time began: waiting, only the clock's ticks are drawn.
    void ExpectWaitingDrawsOnlyTheClock();
    // Maximised, the table scales to fit the play area; restored, it is back.
    void ExpectMaximisedTableFits();

    // A mouse move, press and release on the middle of a widget of the layout.
    void ClickWidget(cocos2d::ui::Widget* widget);
    void ClickWidget(const char* name) { ClickWidget(base->GetWidget(name)); }
    // Which chip buttons take touches, by value.
    std::vector<int64_t> UsableChips() const;
    // The visible chips on the table.
    size_t ShownChips() const;
    // The record strip's column: its mark images' pictures from the top down.
    std::vector<std::string> MarksOf(int column) const;
    // The chat's lines, as sender | message (UTF-8).
    std::vector<std::string> ChatLines() const;

    // A result entered mid-round: the result panel shows the round's own
    // figures, those of the scene (the score view's too), on a table that
    // kept no round end and on one that kept another round's.
    template <typename PlayScene>
    void ExpectRestoredResultShowsItsFigures(const PlayScene& scene, const Bytes& otherEnd, const std::string& shot)
    {
        for (int pass = 0; pass < 2; ++pass)
        {
            SCOPED_TRACE(pass == 0 ? "nothing kept" : "another round kept");
            if (pass == 1)
            {
                ASSERT_TRUE(Game(TwoCardBanker::SUB_S_GAME_END, otherEnd));
                Seconds(12);
            }
            ASSERT_TRUE(Scene(TwoCardBanker::GS_RESULT_END, BytesOf(scene)));
            SaveScreen(shot + std::to_string(pass));
            EXPECT_EQ(base->LabelText("Label_2_4"), CClientGlobal::FormatScore(scene.lSecondAmount));
            EXPECT_EQ(base->LabelText("Label_2_3"), CClientGlobal::FormatScore(scene.lMyScore));
            EXPECT_EQ(base->LabelText("Label_2_2"), CClientGlobal::FormatScore(scene.lBankerTotalResult));
            ASSERT_NE(base->GetScoreView(), nullptr);
            std::vector<std::string> figures;
            for (int i = 0; i < 3; ++i)
                figures.push_back(
                    static_cast<cocos2d::CCLabelTTF*>(base->GetScoreView()->getChildren()->objectAtIndex(i))
                        ->getString());
            EXPECT_EQ(figures, (std::vector<std::string>{CClientGlobal::FormatScore(scene.lMyScore),
                                                         CClientGlobal::FormatScore(scene.lSecondAmount),
                                                         CClientGlobal::FormatScore(scene.lThirdAmount)}));
        }
    }

    // What a player reads on the table: the panels, the clock, the queue
    // and records, the buttons and chips, each area's name (on its felt's
    // foot, `felt` naming the felt of an area) and amounts; with `cards`,
    // each card's rank corner and each hand's sign.
    phasecheck::List TableReadables(const std::function<std::string(int)>& felt, bool cards) const;
    // Each phase of a round, the notices, and the table entered in its
    // betting and in its result: nothing covers what a player reads; at the
    // result my panel's coins follow my score as the side bar does.
    void ExpectEveryPhaseReadable(const RoundMessages& round, const std::string& game,
                                  const std::function<std::string(int)>& felt);

    TwoCardBanker::CTwoCardBoard* base = nullptr;
    TwoCardBanker::CTwoCardHandler* twoCard = nullptr;
};

}  // namespace tcbtest
