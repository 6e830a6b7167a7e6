// The table of red nine (kind 106): six areas against the banker, the three
// doors (areas 4, 5 and 1), the two corners between neighbouring doors
// (areas 6 and 3) and the bridge between doors 3 and 1 (area 2); four
// two-card hands, the banker's and the doors', valued by the red-nine rules.
//
// The layout "RedNineBattle/LiangZhangUI_1/LiangZhangUI_1.ExportJson" gives
// the widgets; what both two-card games share is the base's
// (games/TwoCardBanker). This class turns red nine's messages and scenes
// into the round (RedBoard.cpp) and lights the doors that won.
#pragma once

#include "games/RedNineBattle/RedHandler.h"
#include "games/TwoCardBanker/TwoCardGameBoard.h"

#include <cstdint>

namespace RedNineBattle {

class RedBoard : public TwoCardBanker::CTwoCardGameBoard<Wire>
{
public:
    static const TwoCardBanker::TableShape kTable;
    static constexpr int kScoreViewZ = 1000000;

    RedBoard();
    ~RedBoard() override;

    // --- messages (the handler checked their sizes) ------------------------------
    void OnFreeMessage(const FreeMessage& message);
    void OnRoundStartMessage(const RoundStartMessage& message);
    // One 3-byte record of a record list.
    void OnRecordMessage(const RoundRecord& record);

    // Lights the areas of the three doors' results (non-zero: the door won):
    // each door, the corner of two winning neighbours, or every all-lose
    // mark when all three lost.
    void ShowWinningAreas(const uint8_t wins[3]);

    // The six area widgets in the order the results light them.
    cocos2d::ui::Widget* GetAreaHighlight(int index) const;

protected:
    std::string ResultPictureOf(const uint8_t hand[TwoCardBanker::CARDS_PER_HAND]) const override;
    int HandOpenedAt(int count) const override { return count % TwoCardBanker::HAND_COUNT; }
    void AddRoundRecord() override;
    bool CountsMyDelayedBetAtOnce() const override { return true; }
    bool DropsChipWhenNoneUsable() const override { return false; }
    void FindGameWidgets() override;
    void KeepRoundEndBanker(const RoundEndMessage& message) override { m_bankerChair = message.wBankerUser; }
    bool ScenesWriteSum() const override { return true; }
    // The round count is a u16 followed by two bytes nobody reads.
    int32_t KeptBankerTimes() const override { return m_roundEnd.wBankerTimes; }
    void ShowSceneWins(const PlayScene& scene) override;

private:
    // Whether a door won by the results of a round end or a scene (the
    // packed record's bytes, read unaligned).
    static uint8_t DoorWon(const int32_t* results, int door);
    void AddMarks(const uint8_t wins[3]);

    cocos2d::ui::Widget* m_areaHighlights[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_allLoseMarks[AREA_COUNT] = {};
};

}  // namespace RedNineBattle
