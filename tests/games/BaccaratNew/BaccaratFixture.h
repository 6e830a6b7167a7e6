// A baccarat table in a headless kernel: a room of 100 chairs, my user 1000
// on chair 5 with 8,800,000, and others on chairs 0 to 3. Messages go in as
// the room relays them; what the board sends is in room.sent.
#pragma once

#include "games/BaccaratNew/BaccaratNewBoard.h"
#include "games/BaccaratNew/BaccaratNewHandler.h"
#include "games/BaccaratNew/BaccaratNewMessages.h"
#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "games/BankerTable.h"
#include "games/framework/CardSprite.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace bactest {

using banktest::Bytes;
using banktest::BytesOf;
using namespace BaccaratNew;

inline CMD_S_StatusFree FreeScene(uint8_t seconds = 20, uint16_t banker = BaccaratNew::INVALID_CHAIR, int64_t condition = 1000000)
{
    CMD_S_StatusFree s{};
    s.cbTimeLeave = seconds;
    s.lUserBankerScore = 8800000;
    s.wBankerUser = banker;
    s.lBankerScore = 500000000;
    s.lBankerWinScore = 1200;
    s.wBankerTime = 3;
    s.bEnableSysBanker = 1;
    s.lApplyBankerCondition = condition;
    s.lAreaLimitScore = 1000000000;
    return s;
}

inline CMD_S_GameStart Start(uint16_t banker = 1, int64_t bankerScore = 500000000, int64_t allowance = 5000000,
                             uint8_t seconds = 20)
{
    CMD_S_GameStart s{};
    s.cbTimeLeave = seconds;
    s.wBankerUser = banker;
    s.lBankerScore = bankerScore;
    s.lUserMaxScore = allowance;
    s.lUserBankerScore = 8800000;
    return s;
}

inline CMD_S_PlaceBet Bet(uint16_t chair, uint8_t area, int64_t amount)
{
    CMD_S_PlaceBet b{};
    b.wChairID = chair;
    b.cbBetArea = area;
    b.lBetScore = amount;
    return b;
}

// Player and banker hands of 0, 2 or 3 cards.
inline CMD_S_GameEnd End(const std::vector<uint8_t>& player, const std::vector<uint8_t>& banker,
                         int64_t myTotal = 0, uint8_t seconds = 20)
{
    CMD_S_GameEnd e{};
    e.cbTimeLeave = seconds;
    e.cbCardCount[SIDE_XIAN] = static_cast<uint8_t>(player.size());
    e.cbCardCount[SIDE_ZHUANG] = static_cast<uint8_t>(banker.size());
    for (size_t i = 0; i < player.size() && i < 3; ++i)
        e.cbTableCardArray[SIDE_XIAN][i] = player[i];
    for (size_t i = 0; i < banker.size() && i < 3; ++i)
        e.cbTableCardArray[SIDE_ZHUANG][i] = banker[i];
    e.lBankerTotallScore = 4000;
    e.wBankerTime = 4;
    e.lUserScore = myTotal;
    return e;
}

// A record of the history message: the two points, the rest as given.
inline Bytes Record(uint8_t player, uint8_t banker, uint8_t special = 0, uint8_t playerPair = 0,
                    uint8_t bankerPair = 0)
{
    return {special, playerPair, bankerPair, player, banker};
}

class BaccaratTest : public banktest::BankerTableTest
{
protected:
    void SetUp() override
    {
        BankerTableTest::SetUp();
        Sexy::RegisterGameKind(BaccaratNew::kGameKind);
        OpenTable(BaccaratNewMobile::kKindID);
        board = dynamic_cast<BaccaratNewBoard*>(kernel->GetGameBoard());
        ASSERT_NE(board, nullptr);
        handler = BaccaratNewMobile::GetHandler();
        ASSERT_NE(handler, nullptr);
        SitDown();
        audio.log.clear();
    }

    // A game message or a scene through the kernel; false when refused (a
    // message box came up).
    bool Game(uint16_t sub, const Bytes& body = {})
    {
        const size_t boxes = Boxes();
        Packet(Sexy::MDM_GF_GAME, sub, body);
        return Boxes() == boxes;
    }
    template <typename Record>
    bool Game(uint16_t sub, const Record& record)
    {
        return Game(sub, BytesOf(record));
    }
    bool Scene(uint8_t status, const Bytes& body)
    {
        const size_t boxes = Boxes();
        Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_GAME_STATUS, {status, 0});
        Packet(Sexy::MDM_GF_FRAME, Sexy::SUB_GF_SCENE, body);
        return Boxes() == boxes;
    }

    // Free time with the system banker allowed, then betting with chair 1
    // banker (or the one given).
    void StartBetting(uint16_t banker = 1, int64_t allowance = 5000000)
    {
        ASSERT_TRUE(Scene(GS_FREE, BytesOf(FreeScene())));
        ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, 500000000, allowance)));
    }

    std::vector<std::pair<uint16_t, Bytes>> Sent()
    {
        std::vector<std::pair<uint16_t, Bytes>> out;
        for (const kt::Sent& s : room.sent)
            if (s.main == Sexy::MDM_GF_GAME)
                out.emplace_back(s.sub, s.payload);
        room.sent.clear();
        return out;
    }
    int Played(const std::string& sound) const
    {
        int n = 0;
        for (const std::string& line : audio.log)
            n += line == "effect " + kt::SoundStem(sound);
        return n;
    }
    // A touch began on a widget, as the layout reports it.
    void Touch(cocos2d::ui::Widget* widget)
    {
        ASSERT_NE(widget, nullptr);
        board->OnWidgetTouch(widget, cocos2d::ui::TOUCH_EVENT_BEGAN);
    }
    void Touch(const char* name) { Touch(board->GetWidget(name)); }
    // Which chip buttons take touches, by value.
    std::vector<int64_t> UsableChips() const
    {
        std::vector<int64_t> out;
        for (int i = 0; i < BaccaratNewBoard::kChipCount; ++i)
        {
            cocos2d::ui::Widget* chip = board->GetChipButton(i);
            if (chip != nullptr && chip->isTouchEnabled())
                out.push_back(BaccaratNewBoard::kChipValues[i]);
        }
        return out;
    }
    // Whole seconds of table time at 1/60 s a frame, without drawing.
    static void Seconds(float seconds)
    {
        cocos2d::CCScheduler* scheduler = cocos2d::CCDirector::sharedDirector()->getScheduler();
        for (int i = 0; i < static_cast<int>(seconds * 60); ++i)
            scheduler->update(1.0f / 60);
    }

    BaccaratNewBoard* board = nullptr;
    BaccaratNewHandler* handler = nullptr;
};

}  // namespace bactest
