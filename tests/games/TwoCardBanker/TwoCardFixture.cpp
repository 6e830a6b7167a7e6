#include "TwoCardFixture.h"

#include "games/framework/GameChatLayer.h"
#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace Sexy;
using namespace TwoCardBanker;

namespace tcbtest {

const uint8_t kRoundCards[CARD_COUNT] = {0x0C, 0x1C, 0x02, 0x08, 0x11, 0x14, 0x29, 0x36};

bool Shows(CCSprite* sprite, const char* picture)
{
    CCSpriteFrame* frame = CCResolvePicture(picture, false);
    return sprite != nullptr && frame != nullptr && sprite->getTexture() == frame->getTexture() &&
           sprite->getTextureRect().equals(frame->getRect());
}

void TwoCardTest::EnterGame(const GameKindModuleInfo& kind)
{
    RegisterGameKind(kind);
    Configure(100, kind.wKindID);
    const std::vector<uint8_t> record = KindRecord(kind.wKindID);
    kernel->LoadGameResources(record.data());
    CCTextureCache::sharedTextureCache()->waitForAsync();
    Step();
    room.ready = true;
    kernel->EnterGame(record.data());
    base = dynamic_cast<CTwoCardBoard*>(kernel->GetGameBoard());
    ASSERT_NE(base, nullptr);
    twoCard = dynamic_cast<CTwoCardHandler*>(kernel->GetGameHandler());
    ASSERT_NE(twoCard, nullptr);
    EnterUsers();
    ASSERT_TRUE(Control(IPC_SUB_SHOW_GAME));
    Step();
    room.sent.clear();
    // Frames run the scheduler and actions without drawing; screenshots
    // still draw the frame they save.
    CCDirector::sharedDirector()->stopAnimation();
}

void TwoCardTest::EnterUsers()
{
    ASSERT_TRUE(EnterUser(1000, kMe, kMyScore));
    ASSERT_TRUE(EnterUser(2001, 0, 120000000));
    ASSERT_TRUE(EnterUser(2002, 1, 56000000));
    ASSERT_TRUE(EnterUser(2003, 2, 3300000));
}

bool TwoCardTest::Scene(uint8_t status, const Bytes& body)
{
    return Packet(MDM_GF_FRAME, SUB_GF_GAME_STATUS, {status, 0}) && Packet(MDM_GF_FRAME, SUB_GF_SCENE, body);
}

bool TwoCardTest::Message(uint16_t sub, const Bytes& body)
{
    return twoCard->OnGameMessage(sub, body.empty() ? nullptr : body.data(), static_cast<uint16_t>(body.size()));
}

bool TwoCardTest::SceneRecord(uint8_t status, const Bytes& body)
{
    return twoCard->OnGameSceneMessage(status, false, body.empty() ? nullptr : body.data(),
                                       static_cast<uint16_t>(body.size()));
}

bool TwoCardTest::EnterUser(uint32_t userID, uint16_t chair, int64_t score)
{
    return Enter(userID, chair, US_SIT, score, 5);
}

Bytes TwoCardTest::BetRequest(uint8_t area, int64_t amount) const
{
    TwoCardBanker::BetRequest request;
    request.cbArea = area;
    request.lAmount = amount;
    return BytesOf(request);
}

CCPoint TwoCardTest::World(const CCPoint& content) const
{
    return base->GetContentRoot()->convertToWorldSpace(content);
}

void TwoCardTest::ClickWidget(Widget* widget)
{
    ASSERT_NE(widget, nullptr);
    const CCPoint at = widget->getParent()->convertToWorldSpace(widget->getPosition());
    base->OnMouseMove(at);
    Tap(at.x, at.y);
}

std::vector<int64_t> TwoCardTest::UsableChips() const
{
    std::vector<int64_t> out;
    const games::ChipRow& row = base->GetChipRow();
    for (size_t i = 0; i < row.Count(); ++i)
    {
        if (row.Button(i)->isTouchEnabled())
            out.push_back(row.Value(i));
    }
    return out;
}

int TwoCardTest::Played(const std::string& sound) const
{
    int n = 0;
    for (const std::string& line : audio.log)
        n += line == "effect " + sound ? 1 : 0;
    return n;
}

std::vector<CCSprite*> TwoCardTest::Showing(const char* picture) const
{
    std::vector<CCSprite*> out;
    CCArray* children = base->GetContentRoot()->getChildren();
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        auto* sprite = dynamic_cast<CCSprite*>(children->objectAtIndex(i));
        if (Shows(sprite, picture))
            out.push_back(sprite);
    }
    return out;
}

size_t TwoCardTest::ShownChips() const
{
    size_t shown = 0;
    for (Widget* chip : base->GetTableChips())
        shown += chip->isVisible() ? 1 : 0;
    return shown;
}

std::vector<std::string> TwoCardTest::MarksOf(int column) const
{
    std::vector<std::pair<float, std::string>> marks;
    Widget* item = base->GetRecordList() != nullptr ? base->GetRecordList()->getItem(column) : nullptr;
    CCArray* children = item != nullptr ? item->getChildren() : nullptr;
    for (unsigned int i = 0; children != nullptr && i < children->count(); ++i)
    {
        if (auto* mark = dynamic_cast<ImageView*>(children->objectAtIndex(i)))
            marks.emplace_back(-mark->getPositionY(), mark->getFileName());
        else if (auto* blank = dynamic_cast<CCNode*>(children->objectAtIndex(i)))
            marks.emplace_back(-blank->getPositionY(), "");
    }
    std::stable_sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (const auto& mark : marks)
        out.push_back(mark.second);
    return out;
}

std::vector<std::string> TwoCardTest::ChatLines() const
{
    std::vector<std::string> out;
    if (GameChatLayer* chat = base->GetChatLayer())
    {
        for (const ChatItem& item : chat->GetItems())
            out.push_back(CClientGlobal::GBKToUTF8(item.sender) + " | " + CClientGlobal::GBKToUTF8(item.message));
    }
    return out;
}

}  // namespace tcbtest
