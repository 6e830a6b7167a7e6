// The result view of San Gong: one row per user at the table (name, hand,
// score of the round), in chair order with no gaps. The player can drag it
// about as five-card stud's settlement (Sexy::CDragPanel).
#pragma once

#include "cocos2d.h"
#include "games/ThreeKing/ThreeKingMessages.h"
#include "games/framework/DragPanel.h"
#include "games/framework/UserData.h"

#include <string>
#include <vector>

namespace ThreeKing {

class CScoreView : public Sexy::CDragPanel
{
public:
    static constexpr int kRows = GAME_PLAYER;

    static CScoreView* create();
    bool init() override;

    // The rows from the round's result and the table users by chair (null
    // for an empty chair), then the view shows.
    void ShowResult(const CMD_S_GameEnd& result, const tagUserData* const (&users)[GAME_PLAYER]);

    cocos2d::CCPoint m_ptRows[kRows];
    // The rows shown, in row order: nickname, hand name, score.
    struct Row
    {
        std::string name;
        std::string hand;
        std::string score;
    };
    const std::vector<Row>& GetRows() const { return m_Rows; }

private:
    // The columns' widths on the 440-point picture: a row's texts keep apart
    // and off the heading down its right side.
    static constexpr float kNameWidth = 148;
    static constexpr float kHandWidth = 60;
    static constexpr float kScoreWidth = 140;

    // A row's label, drawn smaller when wider than its column.
    void AddText(const std::string& utf8, const cocos2d::CCPoint& at, float width);

    std::vector<Row> m_Rows;
};

}  // namespace ThreeKing
