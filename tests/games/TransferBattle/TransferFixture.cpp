#include "TransferFixture.h"

#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace TransferBattle;
using namespace Sexy;

namespace tbtest {

Bytes Free(uint8_t seconds) { return BytesOf(FreeMessage{seconds}); }

Bytes Start(uint16_t banker, int64_t bankerScore, int64_t myLimit, uint8_t seconds, int64_t minimum)
{
    RoundStartMessage m = {};
    m.wBankerUser = banker;
    m.lBankerScore = bankerScore;
    m.lUserMaxScore = myLimit;
    m.cbTimeLeave = seconds;
    m.lApplyBankerCondition = minimum;
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

RoundEndMessage EndRecord(uint8_t seconds, uint8_t slot)
{
    RoundEndMessage m = {};
    m.cbTimeLeave = seconds;
    m.cbWinSlot = slot;
    m.lSecondAmount = -1210000;
    m.lBankerTotalResult = -3400000;
    m.nBankerTimes = 3;
    m.lMyScore = 900000;
    m.lThirdAmount = 110000;
    return m;
}

Bytes End(uint8_t seconds, uint8_t slot) { return BytesOf(EndRecord(seconds, slot)); }

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t minimum)
{
    FreeScene s = {};
    s.cbTimeLeave = seconds;
    s.wBankerUser = banker;
    s.wBankerTimes = 4;
    s.lBankerTotalResult = 250000;
    s.lBankerScore = 99;
    s.lApplyBankerCondition = minimum;
    return s;
}

PlayScene PlaySceneRecord(uint8_t seconds, uint16_t banker)
{
    PlayScene s = {};
    const int64_t all[] = {77, 1611150, 20000, 0, 5000000, 0, 0, 100, -5};
    const int64_t mine[] = {77, 10000, 0, 0, 100, 0, 0, 0, -5};
    for (int i = 0; i <= AREA_COUNT; ++i)
    {
        s.lAllBets[i] = all[i];
        s.lMyBets[i] = mine[i];
    }
    s.lApplyBankerCondition = 2000000;
    s.wBankerUser = banker;
    s.wBankerTimes = 2;
    s.lBankerTotalResult = -50000;
    s.lSecondAmount = 4000;
    s.lMyScore = -98765;
    s.lThirdAmount = 600;
    s.cbTimeLeave = seconds;
    return s;
}

bool Shows(CCSprite* sprite, const char* picture)
{
    CCSpriteFrame* frame = CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

void TransferTest::SetUp()
{
    KernelTest::SetUp();
    RegisterGameKind(TransferBattle::kGameKind);
    Configure(100, TransferBattleMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(TransferBattleMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    kernel->EnterGame(record.data());
    board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    tb = TransferBattleMobile::GetHandler();
    ASSERT_NE(tb, nullptr);
    ASSERT_TRUE(EnterUser(1000, kMe, kMyScore));
    ASSERT_TRUE(EnterUser(2001, 0, 120000000));
    ASSERT_TRUE(EnterUser(2002, 1, 56000000));
    ASSERT_TRUE(EnterUser(2003, 2, 3300000));
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    room.sent.clear();
    // Frames run the scheduler and actions without drawing.
    CCDirector::sharedDirector()->stopAnimation();
}

bool TransferTest::Scene(uint8_t status, const Bytes& body)
{
    return Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {status, 0}) && Packet(MDM_GF_FRAME, SUB_GF_SCENE, body);
}

void TransferTest::TapWidget(Widget* widget)
{
    ASSERT_NE(widget, nullptr);
    const CCPoint at = widget->getParent()->convertToWorldSpace(widget->getPosition());
    Tap(at.x, at.y);
}

void TransferTest::StartBetting(uint16_t banker)
{
    ASSERT_TRUE(Game(SUB_S_GAME_FREE, Free(5)));
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(banker, 50000000, 2000000, 20)));
    Step();
}

std::vector<int> TransferTest::UsableChips() const
{
    std::vector<int> out;
    for (int i = 0; i < NNBoard::kChipButtons; ++i)
    {
        Widget* chip = board->GetChipButton(i);
        if (chip != nullptr && chip->isTouchEnabled())
            out.push_back(NNBoard::kChipValues[i]);
    }
    return out;
}

int TransferTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line == "effect " + sound ? 1 : 0;
    return n;
}

std::vector<CCSprite*> TransferTest::Showing(const char* picture) const
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

std::vector<int> TransferTest::QueueRows() const
{
    std::vector<int> out;
    ListView* queue = board->GetBankerList();
    for (unsigned int i = 0; queue != nullptr && queue->getItem(i) != nullptr; ++i)
        out.push_back(queue->getItem(i)->getTag());
    return out;
}

}  // namespace tbtest
