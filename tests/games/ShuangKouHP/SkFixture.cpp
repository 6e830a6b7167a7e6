#include "SkFixture.h"

#include "games/framework/KernelMessages.h"

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;
using namespace ShuangKouHP;

namespace sktest {

Bytes Start(int64_t baseScore)
{
    CMD_S_GameStart m = {};
    m.lBaseScore = baseScore;
    return BytesOf(m);
}

Bytes Deal(uint16_t current, const std::string& hand)
{
    CMD_S_SendCard m = {};
    m.wCurrentUser = current;
    const skt::Cards cards = skt::Parse(hand);
    std::memcpy(m.cbCardData, cards.data(), std::min<size_t>(cards.size(), HAND_COUNT));
    return BytesOf(m);
}

Bytes Out(uint16_t outChair, uint16_t current, const std::string& text, int64_t score0, int64_t score1,
          int32_t counter0, int32_t counter1)
{
    CMD_S_OutCard m = {};
    const skt::Cards cards = skt::Parse(text);
    std::memcpy(m.cbCardData, cards.data(), std::min<size_t>(cards.size(), MAX_COUNT));
    m.cbCardCount = static_cast<uint8_t>(cards.size());
    m.wCurrentUser = current;
    m.wOutCardUser = outChair;
    m.lCounter[0] = counter0;
    m.lCounter[1] = counter1;
    m.lScore[0] = score0;
    m.lScore[1] = score1;
    return BytesOf(m);
}

Bytes Pass(uint16_t passChair, uint16_t current)
{
    CMD_S_PassCard m = {};
    m.wPassUser = passChair;
    m.wCurrentUser = current;
    return BytesOf(m);
}

Bytes End(int64_t myChange, int64_t otherChange, uint16_t me, const std::string& otherLeft, int64_t shown)
{
    CMD_S_GameEnd m = {};
    const uint16_t other = me == 0 ? 1 : 0;
    m.lGameScore[me] = myChange;
    m.lGameScore[other] = otherChange;
    const skt::Cards left = skt::Parse(otherLeft);
    if (!left.empty())
        std::memcpy(m.cbCardData[other], left.data(), left.size());
    m.cbCardCount[other] = static_cast<uint8_t>(left.size());
    for (int i = 0; i < 10; ++i)
    {
        m.cbEndCounter[0][i] = 1;
        m.cbEndCounter[1][i] = 2;
    }
    m.lShownValue = shown;
    return BytesOf(m);
}

Bytes Scene(const PlayScene& s)
{
    CMD_S_StatusPlay m = {};
    const skt::Cards hand = skt::Parse(s.hand), table = skt::Parse(s.table);
    if (!hand.empty())
        std::memcpy(m.cbHandCardData, hand.data(), std::min<size_t>(hand.size(), HAND_COUNT));
    m.cbCardCount[0] = s.counts[0];
    m.cbCardCount[1] = s.counts[1];
    if (!table.empty())
        std::memcpy(m.cbTurnCardData, table.data(), table.size());
    m.cbTurnCardCount = static_cast<uint8_t>(table.size());
    m.wTurnUser = s.turn;
    m.wCurrentUser = s.current;
    m.lBaseScore = s.base;
    for (int i = 0; i < 2; ++i)
    {
        m.lScore[i] = s.scores[i];
        m.lCounter[i] = s.counters[i];
    }
    return BytesOf(m);
}

std::string PlayedText(const Bytes& request)
{
    if (request.empty())
        return "?";
    const size_t count = std::min<size_t>(request[0], request.size() - 1);
    return skt::Text(skt::Cards(request.begin() + 1, request.begin() + 1 + count));
}

void SkTest::SetUp()
{
    KernelTest::SetUp();
    RegisterGameKind(ShuangKouHP::kGameKind);
}

void SkTest::EnterTable(uint16_t myChair)
{
    me = myChair;
    other = myChair == 0 ? 1 : 0;
    Configure(GAME_PLAYER, ShuangKouMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(ShuangKouMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    ASSERT_TRUE(kernel->EnterGame(record.data()));
    board = dynamic_cast<HPBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    sk = ShuangKouMobile::GetHandler();
    ASSERT_NE(sk, nullptr);
    if (busy)
    {
        ASSERT_TRUE(Enter(kMeID, me, US_PLAY, -1234567890, 5, 0, u"常胜将军双扣大王"));
        ASSERT_TRUE(Enter(kOtherID, other, US_PLAY, 9876543210, 5, 1, u"今天手气特别好呀"));
    }
    else
    {
        ASSERT_TRUE(Enter(kMeID, me, US_PLAY, 40000));
        ASSERT_TRUE(Enter(kOtherID, other, US_PLAY, 60000, 5, 1));
    }
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    room.sent.clear();
    audio.log.clear();
    CCDirector::sharedDirector()->stopAnimation();
}

void SkTest::DealHand(const std::string& hand, bool iLead)
{
    ASSERT_TRUE(Game(SUB_S_GAME_START, Start(10)));
    ASSERT_TRUE(Game(SUB_S_SEND_CARD, Deal(iLead ? me : other, hand)));
    Run(120);
    audio.log.clear();
}

int SkTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line.find("effect " + kt::SoundStem(sound)) == 0 ? 1 : 0;
    return n;
}

std::vector<CardSprite*> SkTest::MyHand() const
{
    std::vector<CardSprite*> out;
    const CardList& hand = board->Hand(0);
    for (size_t i = 0; i < hand.size() && i < static_cast<size_t>(board->HandCount()); ++i)
        out.push_back(hand[i]);
    return out;
}

void SkTest::TapCard(CardSprite* card)
{
    // The strip of a card that its right neighbour leaves uncovered.
    const CCPoint at = board->GetContentRoot()->convertToWorldSpace(card->getPosition() + CCPoint(-8, 0));
    Touch(0, at.x, at.y);
    Touch(2, at.x, at.y);
}

void SkTest::DragCards(CardSprite* from, CardSprite* to)
{
    CCNode* root = board->GetContentRoot();
    const CCPoint a = root->convertToWorldSpace(from->getPosition() + CCPoint(-8, 0));
    const CCPoint b = root->convertToWorldSpace(to->getPosition() + CCPoint(-8, 0));
    Touch(0, a.x, a.y);
    Touch(1, (a.x + b.x) / 2, a.y);
    Touch(1, b.x, a.y);
    Touch(2, b.x, a.y);
}

std::string SkTest::Selected() const
{
    skt::Cards cards;
    for (CardSprite* card : MyHand())
        if (card->IsSelected() != 0)
            cards.push_back(card->GetCardData());
    return skt::Text(cards);
}

void SkTest::Select(const std::string& text)
{
    for (uint8_t wanted : skt::Parse(text))
    {
        for (CardSprite* card : MyHand())
        {
            // Faces only: the rule tests' text gives colours in turn.
            const bool joker = (wanted >> 4) == 4;
            const bool same = joker
                                  ? card->GetCardData() == wanted
                                  : (card->GetCardData() >> 4) != 4 && (card->GetCardData() & 0x0F) == (wanted & 0x0F);
            if (same && card->IsSelected() == 0)
            {
                TapCard(card);
                break;
            }
        }
    }
}

}  // namespace sktest
