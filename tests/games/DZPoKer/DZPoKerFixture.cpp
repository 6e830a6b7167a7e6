#include "DZPoKerFixture.h"

#include "games/framework/KernelMessages.h"

#include <algorithm>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace Sexy;
using namespace DZPoKer;

namespace holdemtest {

namespace {

void CopyCards(uint8_t* to, size_t room, const std::string& text)
{
    const Bytes cards = cardtext::Cards(text);
    if (!cards.empty())
        std::memcpy(to, cards.data(), std::min(room, cards.size()));
}

}  // namespace

Bytes StartBytes(const Start& s)
{
    CMD_S_GameStart m = {};
    m.wCurrentUser = s.current;
    m.wDealerUser = s.dealer;
    m.lCellScore = s.cell;
    m.lAllInScore = s.allIn;
    m.lFollowScore = s.follow;
    m.lStartChip = s.startChip;
    m.nActionMask = s.mask;
    std::copy(s.playing.begin(), s.playing.end(), m.cbPlayStatus);
    CopyCards(m.cbHandCard[2], 2, s.mine);
    return BytesOf(m);
}

Bytes ActionBytes(const Action& a)
{
    CMD_S_AddScore m = {};
    m.wCurrentUser = a.current;
    m.wAddScoreUser = a.actor;
    m.lAddScore = a.amount;
    m.nActionCode = a.code;
    m.lFollowScore = a.follow;
    m.lAllInScore = a.allIn;
    m.lStartChip = a.startChip;
    m.nActionMask = a.mask;
    m.lFollowShow = a.followShow;
    return BytesOf(m);
}

Bytes GiveUpBytes(uint16_t chair)
{
    CMD_S_GiveUp m = {};
    m.wGiveUpUser = chair;
    return BytesOf(m);
}

Bytes SendCardBytes(int32_t mask, uint8_t runOut, uint16_t current, const std::string& cards)
{
    CMD_S_SendCard m = {};
    m.nActionMask = mask;
    m.cbRunOut = runOut;
    m.wCurrentUser = current;
    const Bytes c = cardtext::Cards(cards);
    m.cbCardCount = static_cast<uint8_t>(c.size());
    if (!c.empty())
        std::memcpy(m.cbCenterCard, c.data(), std::min<size_t>(c.size(), 5));
    return BytesOf(m);
}

Bytes EndBytes(const End& e)
{
    CMD_S_GameEnd m = {};
    m.cbShowHand = e.showHand;
    for (int chair = 0; chair < GAME_PLAYER; ++chair)
    {
        m.lGameScore[chair] = e.scores[chair];
        CopyCards(m.cbHandCard[chair], 2, e.hole[chair]);
        CopyCards(m.cbBestFive[chair], 5, e.best[chair]);
        m.cbHandClass[chair] = e.classes[chair];
        m.cbPotCount[chair] = e.potCount[chair];
        for (size_t i = 0; i < e.potIndex[chair].size() && i < MAX_POT_COUNT; ++i)
            m.cbPotIndex[chair][i] = e.potIndex[chair][i];
    }
    return BytesOf(m);
}

Bytes PotListBytes(const std::vector<int64_t>& pots, uint32_t count)
{
    CMD_S_PotList m = {};
    for (size_t i = 0; i < pots.size() && i < MAX_POT_COUNT; ++i)
        m.lPotScore[i] = pots[i];
    m.dwPotCount = count;
    return BytesOf(m);
}

Bytes PlayingBytes(const Playing& p)
{
    CMD_S_StatusPlay m = {};
    m.lCellScore = p.cell;
    m.lAllInScore = p.allIn;
    m.lFollowScore = p.follow;
    m.lStartChip = p.startChip;
    for (int chair = 0; chair < GAME_PLAYER; ++chair)
    {
        m.lTableScore[chair] = p.table[chair];
        m.lTotalScore[chair] = p.total[chair];
    }
    m.lPot = p.pot;
    m.lFollowShow = p.followShow;
    m.wDealerUser = p.dealer;
    m.wCurrentUser = p.current;
    std::copy(p.playing.begin(), p.playing.end(), m.cbPlayStatus);
    m.cbBetRound = p.round;
    m.nActionMask = p.mask;
    CopyCards(m.cbCenterCard, 5, p.centre);
    CopyCards(m.cbHandCard, 2, p.mine);
    return BytesOf(m);
}

bool Shows(CCSprite* sprite, const char* picture)
{
    CCSpriteFrame* frame = CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

void HoldemTest::SetUp()
{
    KernelTest::SetUp();
    soundsMustExist = true;
    RegisterGameKind(DZPoKer::kGameKind);
    Configure(GAME_PLAYER, DZPoKerMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(DZPoKerMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    kernel->EnterGame(record.data());
    board = dynamic_cast<DZPoKerBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    holdem = DZPoKerMobile::GetHandler();
    ASSERT_NE(holdem, nullptr);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (chair != kMe || SeatMe())
        {
            ASSERT_TRUE(EnterUser(chair == kMe ? 1000 : 2000 + chair, chair));
        }
    }
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    ASSERT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {GS_FREE, 0}));
    ASSERT_TRUE(Packet(MDM_GF_FRAME, SUB_GF_SCENE, Bytes(16, 0)));
    Step();
    board->OnStartButton(nullptr, 0);
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (chair != kMe || SeatMe())
        {
            ASSERT_TRUE(Status(chair == kMe ? 1000 : 2000 + chair, US_PLAY, chair));
        }
    }
    Step();
    room.sent.clear();
    audio.log.clear();
    // Frames run the scheduler and actions without drawing; screenshots
    // still draw the frame they save.
    CCDirector::sharedDirector()->stopAnimation();
}

void HoldemTest::PlayAWholeHand(const HandAmounts& amounts, const std::function<void(const std::string&)>& look)
{
    Step(10);
    look("free");
    Start start;
    start.dealer = 1;
    start.mask = 3;
    start.cell = start.follow = start.startChip = amounts.cell;
    start.allIn = 50 * amounts.cell;
    ASSERT_TRUE(Game(SUB_S_GAME_START, StartBytes(start)));
    Step(130);
    look("dealt");
    Action a;
    a.current = 4;
    a.actor = 3;
    a.amount = amounts.raise;
    a.code = 1;
    a.follow = amounts.raise;
    a.allIn = start.allIn;
    a.startChip = amounts.cell;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    a.actor = 5;
    a.code = ACTION_FOLLOW;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    ASSERT_TRUE(Game(SUB_S_GIVE_UP, GiveUpBytes(4)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(3, 0, kMe, "Kc 7c 2c")));
    Step(60);
    look("the flop");
    board->ShowAddScorePanel(true);
    Step(60);
    look("add panel");
    board->ShowAddScorePanel(false);
    ASSERT_TRUE(Game(SUB_S_POT_LIST, PotListBytes(amounts.pots, static_cast<uint32_t>(amounts.pots.size()))));
    a.current = DZPoKer::INVALID_CHAIR;
    ASSERT_TRUE(Game(SUB_S_ADD_SCORE, ActionBytes(a)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, SendCardBytes(0, 2, kMe, "Kc 7c 2c Kd 9d")));
    Step(120);
    look("pots");
    End end;
    end.scores = amounts.results;
    end.hole = {"7a 7b", "Ab Ac", "Ac 5c", "Qa Qb", "", "Ab Ja"};
    end.best = {"Kc Kd 7c 7a 7b", "Kc Kd Ab Ac 9d", "Ac Kc 7c 5c 2c", "Kc Kd Qa Qb 9d", "", "Kc Kd Ab Ja 9d"};
    end.classes = {7, 3, 6, 3, 0, 2};
    end.potCount = {1, 0, 1, 0, 0, 0};
    end.potIndex[0] = {0};
    end.potIndex[2] = {1};
    ASSERT_TRUE(Game(SUB_S_GAME_END, EndBytes(end)));
    Step(100);
    look("showdown");
    Step(170);
    look("paid");
    Seconds(4);
    look("ready again");
}

bool HoldemTest::Scene(uint8_t status, const Bytes& body)
{
    return Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {status, 0}) &&
           holdem->OnGameSceneMessage(status, false, body.empty() ? nullptr : body.data(),
                                      static_cast<uint16_t>(body.size()));
}

bool HoldemTest::EnterUser(uint32_t userID, uint16_t chair, uint8_t status)
{
    return Enter(userID, chair, status, 1000 * userID, 5);
}

void HoldemTest::Press(Widget* widget)
{
    ASSERT_NE(widget, nullptr);
    const CCPoint at = widget->getParent()->convertToWorldSpace(widget->getPosition());
    Tap(at.x, at.y);
}

bool HoldemTest::Offered(Widget* widget)
{
    return widget != nullptr && widget->isShownWithParents() && widget->isEnabled() && widget->isTouchEnabled() &&
           widget->isBright();
}

int HoldemTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line.find("effect " + kt::SoundStem(sound)) == 0 ? 1 : 0;
    return n;
}

}  // namespace holdemtest
