// The table of little nine (kind 110): three areas against the banker, one
// per door, and four two-card hands, the banker's and the doors', valued by
// the little-nine rules (J, Q and K count 10; a pair beats points).
//
// The layout "NineXiaoBattle/XiaoJiu_UI_1/XiaoJiu_UI_1.ExportJson" gives the
// widgets; what both two-card games share is the base's
// (games/TwoCardBanker). This class turns little nine's messages and scenes
// into the round (RedBoard.cpp), and draws each round's record column, with
// the marks of the areas I bet on told apart, and its highlights.
#pragma once

#include "games/NineXiaoBattle/RedHandler.h"
#include "games/TwoCardBanker/TwoCardGameBoard.h"

#include <cstdint>

namespace NineXiaoBattle {

class RedBoard : public TwoCardBanker::CTwoCardGameBoard<Wire>
{
public:
    static const TwoCardBanker::TableShape kTable;
    static constexpr int kScoreViewZ = 100000;
    static constexpr int kForcedScoreViewZ = 10000;

    RedBoard();
    ~RedBoard() override;

    // --- messages (the handler checked their sizes) ------------------------------
    void OnFreeMessage(const FreeMessage& message);
    void OnRoundStartMessage(const RoundStartMessage& message);
    // One 12-byte record of a record list.
    void OnRecordMessage(const RoundRecord& record);

    // Each area that won (AREA_WON) blinks; when all three lost, the three
    // sweep marks blink instead.
    void ShowWinningAreas(const int32_t results[AREA_COUNT]);
    void BlinkSweepMarks(const int32_t results[AREA_COUNT]);

    // The picture of a record mark: a result, with my bet on the area or not.
    std::string MarkPicture(int32_t result, bool mine) const;

protected:
    std::string ResultPictureOf(const uint8_t hand[TwoCardBanker::CARDS_PER_HAND]) const override;
    // The opening starts at hand 1: hands 1, 2, 3, then 0.
    int HandOpenedAt(int count) const override { return (count + 1) % TwoCardBanker::HAND_COUNT; }
    void AddRoundRecord() override;
    void BeforeFreeScene() override;
    bool CountsMyDelayedBetAtOnce() const override { return false; }
    bool DropsChipWhenNoneUsable() const override { return true; }
    void FindGameWidgets() override;
    bool ScenesWriteSum() const override { return false; }
    int32_t KeptBankerTimes() const override { return m_roundEnd.nBankerTimes; }
    void ShowSceneWins(const PlayScene& scene) override;

private:
    cocos2d::ui::Widget* m_sweepImages[AREA_COUNT] = {};
};

}  // namespace NineXiaoBattle
