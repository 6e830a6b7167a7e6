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

#include "games/RedNineBattle/RedNineBattleMessages.h"
#include "games/TwoCardBanker/TwoCardBoard.h"
#include "games/common/CreateNode.h"

#include <cstdint>

namespace RedNineBattle {

class RedHandler;

class RedBoard : public TwoCardBanker::CTwoCardBoard
{
public:
    static const TwoCardBanker::TableShape kTable;
    static constexpr int kScoreViewZ = 1000000;

    RedBoard();
    ~RedBoard() override;
    static RedBoard* create() { return games::CreateNode<RedBoard>(); }
    bool init() override;

    // --- messages and scenes (the handler checked their sizes) ----------------
    void OnFreeMessage(const FreeMessage& message);
    void OnRoundStartMessage(const RoundStartMessage& message);
    void OnRoundEndMessage(const RoundEndMessage& message);
    // One 3-byte record of a record list.
    void OnRecordMessage(const RoundRecord& record);
    void OnPlayScene(const PlayScene& scene);
    void OnResultScene(const PlayScene& scene);

    // Lights the areas of the three doors' results (non-zero: the door won):
    // each door, the corner of two winning neighbours, or every all-lose
    // mark when all three lost.
    void ShowWinningAreas(const uint8_t wins[3]);

    const RoundEndMessage& GetRoundEnd() const { return m_roundEnd; }
    // The six area widgets in the order the results light them.
    cocos2d::ui::Widget* GetAreaHighlight(int index) const;

protected:
    TwoCardBanker::CTwoCardHandler* Handler() const override;
    std::string ResultPictureOf(const uint8_t hand[TwoCardBanker::CARDS_PER_HAND]) const override;
    int HandOpenedAt(int count) const override { return count % TwoCardBanker::HAND_COUNT; }
    TwoCardBanker::RoundFigures KeptFigures() const override;
    void AddRoundRecord() override;
    void ClearKeptRoundEnd() override { m_roundEnd = RoundEndMessage{}; }
    bool CountsMyDelayedBetAtOnce() const override { return true; }
    bool DropsChipWhenNoneUsable() const override { return false; }

private:
    // Whether a door won by the results of a round end or a scene (the
    // packed record's bytes, read unaligned).
    static uint8_t DoorWon(const int32_t* results, int door);
    void AddMarks(const uint8_t wins[3]);

    RoundEndMessage m_roundEnd = {};
    cocos2d::ui::Widget* m_areaHighlights[AREA_COUNT] = {};
    cocos2d::ui::Widget* m_allLoseMarks[AREA_COUNT] = {};
};

}  // namespace RedNineBattle
