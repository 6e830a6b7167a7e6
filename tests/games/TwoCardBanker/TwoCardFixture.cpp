#include "TwoCardFixture.h"

#include "games/framework/GameChatLayer.h"
#include "games/framework/KernelMessages.h"

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace Sexy;
using namespace TwoCardBanker;

namespace tcbtest {

const uint8_t kRoundCards[CARD_COUNT] = {0x0C, 0x1C, 0x02, 0x08, 0x11, 0x14, 0x29, 0x36};

Bytes Bet(uint16_t chair, uint8_t area, int64_t amount, uint8_t delayed)
{
    BetPlacedMessage m = {};
    m.wChairID = chair;
    m.cbArea = area;
    m.lAmount = amount;
    m.cbDelayed = delayed;
    return BytesOf(m);
}

FreeScene FreeSceneRecord(uint8_t seconds, uint16_t banker, int64_t condition)
{
    FreeScene s = {};
    banktest::FillFreeScene(s, seconds, banker, condition);
    return s;
}

void TwoCardTest::EnterGame(const GameKindModuleInfo& kind)
{
    RegisterGameKind(kind);
    OpenTable(kind.wKindID);
    base = dynamic_cast<CTwoCardBoard*>(kernel->GetGameBoard());
    ASSERT_NE(base, nullptr);
    twoCard = dynamic_cast<CTwoCardHandler*>(kernel->GetGameHandler());
    ASSERT_NE(twoCard, nullptr);
    SitDown();
}

Bytes TwoCardTest::BetRequest(uint8_t area, int64_t amount) const
{
    TwoCardBanker::BetRequest request;
    request.cbArea = area;
    request.lAmount = amount;
    return BytesOf(request);
}

void TwoCardTest::ExpectSharedMessagesTakenAtTheirSizesOnly(uint16_t noticeSub)
{
    ChangeBankerMessage change = {};
    change.wBankerUser = 2;
    BetFailedMessage failed = {};
    failed.wChairID = 2;
    CancelBankerMessage cancel = {};
    cancel.wCancelUser = 2;
    RoomNoticeMessage notice = {};
    notice.szText[0] = u'好';
    ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(SUB_S_APPLY_BANKER, BytesOf(ApplyBankerMessage{2}), 2));
    ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(SUB_S_CHANGE_BANKER, BytesOf(change), 10));
    ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(SUB_S_PLACE_BET_FAIL, BytesOf(failed), 11));
    ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(SUB_S_CANCEL_BANKER, BytesOf(cancel), 66));
    ASSERT_NO_FATAL_FAILURE(ExpectTakenAtItsSizeOnly(noticeSub, BytesOf(notice), 512));
}

void TwoCardTest::ExpectWaitingDrawsOnlyTheClock()
{
    CCDirector* director = CCDirector::sharedDirector();
    director->startAnimation();
    Seconds(2);
    const unsigned int before = director->getDrawnFrames();
    Seconds(5);
    EXPECT_LE(director->getDrawnFrames() - before, 5u);
    EXPECT_GE(director->getDrawnFrames() - before, 4u);
    director->stopAnimation();
}

void TwoCardTest::ExpectMaximisedTableFits()
{
    CCSprite* root = base->GetContentRoot();
    const CCSize content = root->getContentSize();
    base->LayoutGameTable(1018, 658, true, false);
    EXPECT_FLOAT_EQ(root->getScale(), 658 / content.height);
    base->LayoutGameTable(1018, 722, false, false);
    EXPECT_FLOAT_EQ(root->getScale(), 1.0f);
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
