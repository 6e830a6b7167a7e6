#include "StudFixture.h"

#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace Sexy;
using namespace ShowHandANEx;

namespace studtest {

Bytes Start(uint16_t current, uint8_t myHidden, uint8_t shown0, uint8_t shown1, int64_t cell, int64_t cap)
{
    tagGameStart m = {};
    m.cbMyHiddenCard = myHidden;
    m.wCurrentUser = current;
    m.lCellScore = cell;
    m.cbShownCard[0] = shown0;
    m.cbShownCard[1] = shown1;
    m.lShowHandCap = cap;
    return BytesOf(m);
}

Bytes Action(uint16_t acting, uint16_t current, int64_t amount, int64_t follow, uint8_t showHand, uint8_t flag0,
             uint8_t flag1, uint16_t followMode)
{
    tagAddScore m = {};
    m.wActingUser = acting;
    m.wCurrentUser = current;
    m.wFollowMode = followMode;
    m.lAmount = amount;
    m.lFollowAmount = follow;
    m.cbShowHand = showHand;
    m.cbRoundFlag[0] = flag0;
    m.cbRoundFlag[1] = flag1;
    return BytesOf(m);
}

Bytes GiveUpMessage(uint16_t chair, uint32_t endMode)
{
    tagGiveUp m = {};
    m.wGiveUpUser = chair;
    m.dwEndMode = endMode;
    return BytesOf(m);
}

Bytes Send(uint16_t current, uint8_t count, const uint8_t (&cards)[2][2])
{
    tagSendCard m = {};
    m.wCurrentUser = current;
    m.cbSendCount = count;
    std::memcpy(m.cbCardData, cards, sizeof(m.cbCardData));
    return BytesOf(m);
}

Bytes End(int64_t score0, int64_t score1, uint8_t hidden0, uint8_t hidden1)
{
    tagGameEnd m = {};
    m.lGameScore[0] = score0;
    m.lGameScore[1] = score1;
    m.cbHiddenCard[0] = hidden0;
    m.cbHiddenCard[1] = hidden1;
    return BytesOf(m);
}

Bytes Scene(const PlayScene& s)
{
    tagStatusPlay m = {};
    m.wCurrentUser = s.current;
    m.cbCardCount = s.cardCount;
    std::memcpy(m.cbCardData, s.cards, sizeof(m.cbCardData));
    m.lCellScore = s.cell;
    m.lFollowBase = s.followBase;
    std::memcpy(m.lChairAmount, s.amounts, sizeof(m.lChairAmount));
    m.wShowHandMode = s.showHandMode;
    m.lShowHandCap = s.cap;
    m.cbShowHand = s.showHand;
    m.cbRoundFlag[0] = s.flags[0];
    m.cbRoundFlag[1] = s.flags[1];
    return BytesOf(m);
}

int64_t AmountOf(const Bytes& body)
{
    int64_t amount = 0;
    if (body.size() >= 8)
        std::memcpy(&amount, body.data(), 8);
    return amount;
}

void StudTest::SetUp()
{
    KernelTest::SetUp();
    RegisterGameKind(ShowHandANEx::kGameKind);
}

void StudTest::EnterTable(uint16_t myChair)
{
    me = myChair;
    other = myChair == 0 ? 1 : 0;
    Configure(GAME_PLAYER, ShowHandANExMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(ShowHandANExMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    ASSERT_TRUE(kernel->EnterGame(record.data()));
    board = dynamic_cast<NNBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    stud = ShowHandANExMobile::GetHandler();
    ASSERT_NE(stud, nullptr);
    if (busy)
    {
        ASSERT_TRUE(Enter(kMeID, me, US_PLAY, 1234567890, 5, 0, u"常胜将军梭哈大王"));
        ASSERT_TRUE(Enter(kOtherID, other, US_PLAY, 9876543210, 5, 1, u"今天手气特别好呀"));
    }
    else
    {
        ASSERT_TRUE(Enter(kMeID, me, US_PLAY, kMyScore));
        ASSERT_TRUE(Enter(kOtherID, other, US_PLAY, 80000, 5, 1));
    }
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    room.sent.clear();
    audio.log.clear();
    // Frames run the scheduler and actions without drawing.
    CCDirector::sharedDirector()->stopAnimation();
}

int StudTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line.find("effect " + kt::SoundStem(sound)) == 0 ? 1 : 0;
    return n;
}

}  // namespace studtest
