#include "OxFixture.h"

#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace OxBattle;
using namespace Sexy;

namespace oxtest {

const uint8_t kRoundCards[HAND_COUNT][CARDS_PER_HAND] = {
    {0x37, 0x28, 0x15, 0x02, 0x39}, {0x2D, 0x1C, 0x0B, 0x3A, 0x2A}, {0x09, 0x18, 0x26, 0x34, 0x21},
    {0x13, 0x27, 0x3D, 0x06, 0x12}, {0x41, 0x1A, 0x2B, 0x03, 0x14},
};

Bytes Free(uint8_t seconds) { return BytesOf(FreeMessage{seconds}); }

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds)
{
    RoundStartMessage m = {};
    m.wBankerUser = banker;
    m.lBankerScore = bankerScore;
    m.lUserMaxScore = myLimit;
    m.cbTimeLeave = seconds;
    return BytesOf(m);
}

Bytes Bet(uint16_t chair, uint8_t area, int64_t amount)
{
    BetPlacedMessage m = {};
    m.wChairID = chair;
    m.cbArea = area;
    m.lAmount = amount;
    return BytesOf(m);
}

RoundEndMessage EndRecord(uint8_t seconds, uint8_t die1, uint8_t die2, int64_t myScore)
{
    RoundEndMessage m = {};
    m.cbTimeLeave = seconds;
    std::memcpy(m.cbTableCards, kRoundCards, sizeof(kRoundCards));
    m.cbDice[0] = die1;
    m.cbDice[1] = die2;
    m.lSecondAmount = -1210000;
    m.lBankerTotalResult = -3400000;
    m.nBankerTimes = 3;
    m.lMyScore = myScore;
    m.lThirdAmount = 110000;
    return m;
}

Bytes End(uint8_t seconds, uint8_t die1, uint8_t die2, int64_t myScore)
{
    return BytesOf(EndRecord(seconds, die1, die2, myScore));
}

Bytes Records(const std::vector<std::vector<uint8_t>>& won)
{
    Bytes out;
    for (const std::vector<uint8_t>& record : won)
    {
        for (int area = 0; area < AREA_COUNT; ++area)
            out.push_back(area < static_cast<int>(record.size()) ? record[area] : 0);
    }
    return out;
}

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition)
{
    FreeScene s = {};
    s.cbTimeLeave = seconds;
    s.wBankerUser = banker;
    s.wBankerTimes = 4;
    s.lBankerTotalResult = 250000;
    s.lApplyBankerCondition = condition;
    s.lKeptAmount = 77;
    return s;
}

PlayScene PlaySceneRecord(uint8_t status, uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[] = {0, 1611150, 20000, 0, 5000000};
    const int64_t mine[] = {0, 10000, 0, 0, 100};
    for (int i = 0; i <= AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    s.lApplyBankerCondition = 2000000;
    s.lKeptAmount = 88;
    std::memcpy(s.cbTableCards, kRoundCards, sizeof(kRoundCards));
    s.cbDice[0] = 3;
    s.cbDice[1] = 5;
    s.wBankerUser = banker;
    s.wBankerTimes = 2;
    s.lBankerTotalResult = -50000;
    s.lSecondAmount = 4000;
    s.lMyScore = -98765;
    s.lThirdAmount = 600;
    s.cbTimeLeave = seconds;
    s.cbGameStatus = status;
    return s;
}

bool Shows(CCSprite* sprite, const char* picture)
{
    CCSpriteFrame* frame = CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

void OxTest::SetUp()
{
    KernelTest::SetUp();
    RegisterGameKind(OxBattle::kGameKind);
    Configure(100, OxBattleMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(OxBattleMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    kernel->EnterGame(record.data());
    board = dynamic_cast<OXBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    ox = OxBattleMobile::GetHandler();
    ASSERT_NE(ox, nullptr);
    EnterUsers();
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    room.sent.clear();
    // Frames run the scheduler and actions without drawing; screenshots
    // still draw the frame they save.
    CCDirector::sharedDirector()->stopAnimation();
}

void OxTest::EnterUsers()
{
    ASSERT_TRUE(EnterUser(1000, kMe, kMyScore));
    ASSERT_TRUE(EnterUser(2001, 0, 120000000));
    ASSERT_TRUE(EnterUser(2002, 1, 56000000));
    ASSERT_TRUE(EnterUser(2003, 2, 3300000));
}

bool OxTest::Scene(uint8_t status, const Bytes& body)
{
    return Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {status, 0}) && Packet(MDM_GF_FRAME, SUB_GF_SCENE, body);
}

bool OxTest::EnterUser(uint32_t userID, uint16_t chair, int64_t score)
{
    return Enter(userID, chair, US_SIT, score, 5);
}

CCPoint OxTest::World(const CCPoint& content) const { return board->GetContentRoot()->convertToWorldSpace(content); }

void OxTest::TapWidget(Widget* widget)
{
    ASSERT_NE(widget, nullptr);
    const CCPoint at = widget->getParent()->convertToWorldSpace(widget->getPosition());
    Tap(at.x, at.y);
}

void OxTest::StartBetting(uint16_t banker)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, 50000000, 2000000, 20)));
    Step();
}

std::vector<int> OxTest::UsableChips() const
{
    std::vector<int> out;
    for (int i = 0; i < OXBoard::kChipButtons; ++i)
    {
        Widget* chip = board->GetChipButton(i);
        if (chip != nullptr && chip->isTouchEnabled())
            out.push_back(OXBoard::kChipValues[i]);
    }
    return out;
}

int OxTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line == "effect " + sound ? 1 : 0;
    return n;
}

std::vector<CCSprite*> OxTest::Showing(const char* picture) const
{
    std::vector<CCSprite*> out;
    CCArray* children = board->GetContentRoot()->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
        if (Shows(sprite, picture))
            out.push_back(sprite);
    }
    return out;
}

}  // namespace oxtest
