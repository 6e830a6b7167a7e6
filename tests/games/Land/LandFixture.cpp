#include "LandFixture.h"

#include "games/Land/ScoreView.h"
#include "games/framework/BoardDrawUserData.h"
#include "games/framework/KernelMessages.h"
#include "games/framework/TimerBox.h"

using namespace cocos2d;
using namespace cocos2d::extension;
using namespace Sexy;

namespace landtest {

Bytes Deal(uint16_t firstCaller, const std::string& cards)
{
    Land::CMD_S_SendCard deal = {};
    deal.wCurrentUser = firstCaller;
    const Bytes c = Cards(cards);
    std::memcpy(deal.cbCardData, c.data(), std::min<size_t>(c.size(), Land::HAND_COUNT));
    return BytesOf(deal);
}

Bytes Call(uint16_t next, uint16_t caller, uint8_t current, uint8_t call)
{
    Land::CMD_S_LandScore m = {next, caller, current, call};
    return BytesOf(m);
}

Bytes Banker(uint16_t landlord, const std::string& bottom)
{
    Land::CMD_S_BankerInfo m = {};
    m.wBankerUser = landlord;
    m.wCurrentUser = landlord;
    const Bytes c = Cards(bottom);
    std::memcpy(m.cbBackCard, c.data(), std::min<size_t>(c.size(), 3));
    return BytesOf(m);
}

Bytes Out(uint16_t current, uint16_t outChair, const std::string& cards)
{
    Land::CMD_S_OutCard m = {};
    const Bytes c = Cards(cards);
    m.cbCardCount = static_cast<uint8_t>(c.size());
    m.wCurrentUser = current;
    m.wOutCardUser = outChair;
    std::memcpy(m.cbCardData, c.data(), std::min<size_t>(c.size(), 20));
    return BytesOf(m, Land::kOutCardHead + c.size());
}

Bytes Pass(uint8_t turnOver, uint16_t current, uint16_t passChair)
{
    Land::CMD_S_PassCard m = {turnOver, current, passChair};
    return BytesOf(m);
}

Bytes End(const int64_t (&scores)[3], const std::string& left0, const std::string& left1, const std::string& left2)
{
    Land::CMD_S_GameEnd m = {};
    m.dwShownValue = 2;
    for (int i = 0; i < 3; ++i)
        m.lGameScore[i] = scores[i];
    size_t at = 0;
    const std::string* left[3] = {&left0, &left1, &left2};
    for (int i = 0; i < 3; ++i)
    {
        const Bytes c = Cards(*left[i]);
        m.cbCardCount[i] = static_cast<uint8_t>(c.size());
        m.cbChairValue[i] = static_cast<uint8_t>(i + 1);
        if (!c.empty())
            std::memcpy(m.cbCardData + at, c.data(), c.size());
        at += c.size();
    }
    return BytesOf(m);
}

Bytes FreeScene(uint8_t outSeconds, uint8_t callSeconds, uint8_t firstSeconds)
{
    Land::CMD_S_StatusFree m = {};
    m.cbOutCardTime = outSeconds;
    m.cbCallScoreTime = callSeconds;
    m.cbFirstOutTime = firstSeconds;
    return BytesOf(m);
}

std::string CardName(uint8_t card)
{
    if (card == 0x4E)
        return "SJ";
    if (card == 0x4F)
        return "BJ";
    static const char kRanks[] = "?A23456789TJQK";
    std::string name(1, kRanks[(card & 0x0F) % 14]);
    name += static_cast<char>('a' + (card >> 4));
    return name;
}

bool Shows(CCSprite* sprite, const char* picture)
{
    CCSpriteFrame* frame = CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

std::vector<CCSprite*> ChildrenShowing(CCNode* parent, const char* picture)
{
    std::vector<CCSprite*> out;
    CCArray* children = parent != nullptr ? parent->getChildren() : nullptr;
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
        if (Shows(sprite, picture))
            out.push_back(sprite);
    }
    return out;
}

int Played(const kt::RecordingAudio& audio, const std::string& sound)
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line == "effect " + kt::SoundStem(sound) ? 1 : 0;
    return n;
}

void LandTest::SetUp()
{
    KernelTest::SetUp();
    soundsMustExist = true;
    RegisterGameKind(Land::kGameKind);
    Configure(3, Land::LandMobile::kKindID);
    const std::vector<uint8_t> record = KindRecord(Land::LandMobile::kKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    kernel->EnterGame(record.data());
    board = dynamic_cast<Land::LandBoard*>(kernel->GetGameBoard());
    ASSERT_NE(board, nullptr);
    land = Land::LandMobile::GetHandler();
    ASSERT_NE(land, nullptr);
    ASSERT_TRUE(EnterUser(1000, kMe, 0));
    ASSERT_TRUE(EnterUser(2001, kLeft, 0));
    ASSERT_TRUE(EnterUser(2002, kRight, 1));
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    ASSERT_TRUE(Scene(Land::GS_WK_FREE, FreeScene(20, 15, 30)));
    Step();
    // Ready, as a player is when the hand begins.
    board->OnStartButton(nullptr, 0);
    Step();
    room.sent.clear();
    // Frames run the scheduler and actions without drawing; screenshots
    // still draw the frame they save.
    CCDirector::sharedDirector()->stopAnimation();
}

bool LandTest::Scene(uint8_t status, const Bytes& body)
{
    return Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {status, 0}) && Packet(MDM_GF_FRAME, SUB_GF_SCENE, body);
}

bool LandTest::EnterUser(uint32_t userID, uint16_t chair, uint8_t gender)
{
    if (!busy)
        return Enter(userID, chair, US_SIT, 1000 * userID, 5, gender);
    const std::u16string names[3] = {u"欢乐豆子不够用了", u"常胜将军斗地主王", u"今天手气特别好呀"};
    const int64_t scores[3] = {9876543210, -1234567890, 8765432109};
    return Enter(userID, chair, US_SIT, scores[chair % 3], 5, gender, names[chair % 3]);
}

void LandTest::DealAndMakeMeLandlord(const std::string& hand, const std::string& bottom)
{
    ASSERT_TRUE(Game(Land::SUB_S_SEND_CARD, Deal(kMe, hand)));
    Seconds(6);
    ASSERT_TRUE(Game(Land::SUB_S_LAND_SCORE, Call(Land::INVALID_CHAIR, kMe, 3, 3)));
    ASSERT_TRUE(Game(Land::SUB_S_BANKER_INFO, Banker(kMe, bottom)));
    Seconds(1);  // the clock's first second: its first frame only starts it
    ClearSent();
}

CCPoint LandTest::World(const CCPoint& content) const { return board->GetContentRoot()->convertToWorldSpace(content); }

void LandTest::TapCard(CardSprite* card)
{
    // The strip of a card its right neighbour leaves uncovered.
    const CCPoint at = World(card->getPosition() + CCPoint(-8, 0));
    Touch(0, at.x, at.y);
    Touch(2, at.x, at.y);
}

void LandTest::DragCards(CardSprite* from, CardSprite* to)
{
    const CCPoint a = World(from->getPosition() + CCPoint(-8, 0));
    const CCPoint b = World(to->getPosition() + CCPoint(-8, 0));
    Touch(0, a.x, a.y);
    Touch(1, (a.x + b.x) / 2, a.y);
    Touch(1, b.x, a.y);
    Touch(2, b.x, a.y);
}

void LandTest::PressButton(CCControlButton* button)
{
    const CCPoint at = button->getParent()->convertToWorldSpace(button->getPosition());
    Touch(0, at.x, at.y);
    Touch(2, at.x, at.y);
}

std::vector<CardSprite*> LandTest::MyHand() const
{
    const Land::CardList& hand = board->HandSprites(kMe);
    std::vector<CardSprite*> out;
    for (size_t i = 0; i < hand.size() && i < static_cast<size_t>(board->MyCardCount()); ++i)
        out.push_back(hand[i]);
    return out;
}

std::string LandTest::Selected() const
{
    std::string out;
    for (const CardSprite* card : MyHand())
    {
        if (card->IsSelected() == 0)
            continue;
        if (!out.empty())
            out += ' ';
        out += CardName(card->GetCardData());
    }
    return out;
}

CardSprite* LandTest::MyCard(const std::string& text) const
{
    const Bytes c = Cards(text);
    for (CardSprite* card : MyHand())
        if (!c.empty() && card->GetCardData() == c[0])
            return card;
    return nullptr;
}

CCRect ScoreViewDrawing(CCNode* picture)
{
    constexpr float kClearLeft = 68, kClearBelow = 22;
    const CCSize size = picture->getContentSize();
    return CCRectApplyAffineTransform(
        CCRect(kClearLeft, kClearBelow, size.width - kClearLeft, size.height - kClearBelow),
        picture->nodeToWorldTransform());
}

std::vector<nodeboxes::Box> TableBoxes(Land::LandBoard* board)
{
    using nodeboxes::AddShown;
    std::vector<nodeboxes::Box> boxes;
    auto named = [](const char* what, int n) { return what + std::string(" ") + std::to_string(n); };
    for (uint16_t view = 1; view < Land::GAME_PLAYER; ++view)
    {
        if (CBoardDrawUserData* panel = board->GetSeatPanel(view))
            AddShown(boxes, named("seat", view), panel->GetBackground());
    }
    if (CBoardDrawUserData* panel = board->GetSeatPanel(0))
        AddShown(boxes, "seat 0", panel->GetFace());
    for (uint16_t chair = 0; chair < Land::GAME_PLAYER; ++chair)
    {
        for (CardSprite* card : board->HandSprites(chair))
            AddShown(boxes, named("hand", chair), card);
    }
    for (uint16_t view = 0; view < Land::GAME_PLAYER; ++view)
    {
        const Land::CardList& table = view == 0 ? board->SelectedCards() : board->OutCards(view);
        for (CardSprite* card : table)
        {
            // My selection still in my hand is not on the table.
            if (view != 0 || card->GetCardListener() == nullptr)
                AddShown(boxes, named("table", view), card);
        }
        for (CardSprite* card : board->PreviousPlays(view))
            AddShown(boxes, named("table", view), card);
        AddShown(boxes, named("pass", view), board->PassSign(view));
        AddShown(boxes, named("identity", view), board->IdentityImage(view));
        AddShown(boxes, named("count", view), board->CardCountLabel(view));
    }
    for (CardSprite* card : board->BottomSprites())
        AddShown(boxes, "bottom", card);
    for (int i = 0; i < 4; ++i)
        AddShown(boxes, named("call", i), board->CallButton(i));
    AddShown(boxes, "play", board->PlayButton());
    AddShown(boxes, "pass button", board->PassButton());
    AddShown(boxes, "hint", board->HintButton());
    AddShown(boxes, "previous", board->PreviousButton());
    AddShown(boxes, "trustee", board->TrusteeButton());
    AddShown(boxes, "sort", board->SortButton());
    AddShown(boxes, "start", board->GetStartButton());
    if (board->GetTimerBox() != nullptr)
        AddShown(boxes, "clock", board->GetTimerBox()->GetFrame());
    AddShown(boxes, "total score", board->GetTotalScorePanel());
    if (Land::CScoreView* view = board->GetScoreView())
    {
        CCArray* parts = view->getChildren();
        for (unsigned int i = 0; parts != nullptr && i < parts->count(); ++i)
        {
            auto* part = dynamic_cast<CCNode*>(parts->objectAtIndex(i));
            // The win animation plays three times and goes.
            if (part == nullptr || part->getZOrder() >= Land::LandBoard::kEffectZOrder || !nodeboxes::Shown(part))
                continue;
            // Clear rows below and columns on its left stand the picture's
            // drawing off what lies under its box.
            if (i == 0)
                boxes.push_back({"score view", ScoreViewDrawing(part)});
            else
                AddShown(boxes, "score view", part);
        }
    }
    return boxes;
}

}  // namespace landtest
