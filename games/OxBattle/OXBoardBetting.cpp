// Bets and what shows them: the chips a player may use, the chips and
// totals on the areas, the hover under the mouse, my panel, the banker's
// panel and queue, and the strip of past results.
#include "core/ClientGlobal.h"
#include "games/OxBattle/CardRules.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/framework/GameChatLayer.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace OxBattle {

namespace {

// Largest first, for laying an amount out as chips.
const int64_t kDenominations[] = {5000000, 1000000, 500000, 100000, 50000, 10000, 1000, 100};

const char* const kRoomMessage = "房间消息";

}  // namespace

// --- chips --------------------------------------------------------------------------------------

void OXBoard::UpdateChipButtons(int64_t limit)
{
    m_lChipLimit = limit;
    int64_t values[kChipButtons];
    const size_t count = m_ChipButtons.size();
    for (size_t i = 0; i < count; ++i)
        values[i] = m_ChipButtons[i]->getTag() - kChipTagOffset;
    const size_t usable = games::UsableChips(limit, values, count, kBetCommitment);
    for (size_t i = 0; i < count; ++i)
        SetButtonEnabled(m_ChipButtons[i], i < usable);
    if (usable > 0)
    {
        const int largest = static_cast<int>(values[usable - 1]);
        if (m_nBetChip > largest)
        {
            m_nBetChip = largest;
            SetSelectedChip(true, largest);
        }
        return;
    }
    SetSelectedChip(false, 0);
    m_nBetChip = 0;
    if (m_cbNoMoneyNoticeShown != 0)
        return;
    m_cbNoMoneyNoticeShown = 1;
    CCSprite* notice = CCSprite::create("OxBattle/notify_03");
    notice->setPosition(CCPoint(552, 300));
    AddContentChild(notice);
    notice->runAction(CCSequence::create(CCFadeOut::create(3.0f), CCRemoveSelf::create(), nullptr));
}

void OXBoard::ShowBetPlaced(const BetPlacedMessage& message)
{
    if (!ValidArea(message.cbArea))
        return;
    const int index = message.cbArea - 1;
    PlaySound("OxBattle/Sound/ADD_GOLD");
    m_lAreaTotals[index] = games::SaturatingAdd(m_lAreaTotals[index], message.lAmount);
    ShowAreaLabel(m_pTotalLabels[index], m_lAreaTotals[index], false);
    LayChip(message.cbArea, message.lAmount);

    const bool mine = m_nMyChair >= 0 && message.wChairID == m_nMyChair;
    if (mine && !IsMeBanker())
    {
        m_lMyBetCapacity =
            games::SaturatingSub(m_lMyBetCapacity, games::SaturatingMul(message.lAmount, kBetCommitment));
        int64_t staked = 0;
        for (int64_t total : m_lAreaTotals)
            staked = games::SaturatingAdd(staked, total);
        UpdateChipButtons(std::min(m_lMyBetCapacity, games::SaturatingSub(m_lBankerBetCapacity, staked)));
    }
    if (mine)
    {
        m_lMyBets[index] = games::SaturatingAdd(m_lMyBets[index], message.lAmount);
        ShowAreaLabel(m_pMyLabels[index], m_lMyBets[index], false);
    }
}

void OXBoard::LayChip(int area, int64_t value)
{
    Widget* model = nullptr;
    for (Widget* chip : m_ChipButtons)
    {
        if (chip->getTag() - kChipTagOffset == value)
            model = chip;
    }
    Widget* spot = GetArea(area);
    if (model == nullptr || spot == nullptr)
        return;
    Widget* chip = model->clone();
    if (chip == nullptr)
        return;
    chip->setTouchEnabled(false);
    // A chip button may be dim when the bet of another player comes in.
    chip->setBright(true);
    chip->setVisible(true);
    AddContentChild(chip);
    m_TableChips.push_back(chip);
    const CCPoint at = ContentPoint(spot);
    chip->setPosition(
        CCPoint(at.x + static_cast<float>(std::rand() % 120 - 60), at.y + static_cast<float>(std::rand() % 76 - 38)));
}

void OXBoard::PlaceAreaChips(uint8_t area, int64_t amount)
{
    const std::vector<int64_t> chips = games::SplitIntoChips(
        amount, kDenominations, sizeof(kDenominations) / sizeof(kDenominations[0]), kMostChipsPerArea);
    for (int64_t value : chips)
        LayChip(area, value);
}

// --- the mouse ----------------------------------------------------------------------------------

void OXBoard::OnMouseMove(const CCPoint& point)
{
    if (m_nPhase != kPhaseBetting)
        return;
    m_ptMouse = point;
    CGameBoard::OnMouseMove(point);
    // The point is in the visible area's GL space, where the layout's
    // widgets lie wherever the table put the content root.
    for (Widget* hover : m_pHoverImages)
    {
        if (hover == nullptr || hover->getParent() == nullptr)
            continue;
        const CCSize size = hover->getSize();
        CCNode* parent = hover->getParent();
        const CCPoint at = hover->getPosition();
        const CCPoint low = parent->convertToWorldSpace(CCPoint(at.x - size.width / 2, at.y - size.height / 2));
        const CCPoint high = parent->convertToWorldSpace(CCPoint(at.x + size.width / 2, at.y + size.height / 2));
        hover->setVisible(point.x >= low.x && point.x <= high.x && point.y >= low.y && point.y <= high.y);
    }
}

void OXBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    m_nBetChip = 0;
}

// --- my panel and the banker's ------------------------------------------------------------------

void OXBoard::ShowMyInfo()
{
    const tagUserData* me = UserAt(m_nMyChair);
    if (me == nullptr)
        return;
    SetLabel("Label_51_0", GBKToUTF8String(CClientGlobal::WideToAnsi(FieldText(me->szNickName))));
    SetLabel("Label_51", CClientGlobal::FormatScore(me->lScore));
}

void OXBoard::SetBankerInfo(uint16_t chair, uint16_t bankerTimes, int64_t bankerScore)
{
    m_nBankerChair = chair;
    if (chair == NO_BANKER)
    {
        SetLabel("Label_8_0", "无人上庄");
        SetLabel("Label_8", "0");
    }
    else if (const tagUserData* banker = UserAt(chair))
    {
        const std::string name =
            CClientGlobal::TruncateText(CClientGlobal::WideToAnsi(FieldText(banker->szNickName)), 18, false);
        SetLabel("Label_8_0", CClientGlobal::GBKToUTF8(name));
        SetLabel("Label_8", CClientGlobal::FormatScore(banker->lScore));
    }
    if (bankerTimes != 0xFFFF)
    {
        char text[16];
        std::snprintf(text, sizeof(text), "%d", bankerTimes);
        SetLabel("Label_8_1_2", text);
    }
    if (bankerScore != -1)
        SetLabel("Label_8_1", CClientGlobal::FormatScore(bankerScore));
}

// --- the banker queue -------------------------------------------------------------------------

void OXBoard::AddBankerListItem(uint16_t chair)
{
    if (m_nMyChair >= 0 && chair == m_nMyChair)
    {
        SetButtonEnabled(m_pApplyButton, false);
        SetButtonEnabled(m_pCancelButton, true);
    }
    // A chair whose user has left has no row to show.
    const tagUserData* user = UserAt(chair);
    if (user == nullptr || m_pBankerList == nullptr)
        return;
    Label* row = Label::create();
    row->setTag(chair + kBankerListTagBase);
    row->setFontSize(16);
    const std::string name =
        CClientGlobal::TruncateText(CClientGlobal::WideToAnsi(FieldText(user->szNickName)), 10, false);
    row->setText(CClientGlobal::GBKToUTF8(name));
    m_pBankerList->pushBackCustomItem(row);
    Label* score = Label::create();
    score->setFontSize(16);
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(user->lScore));
    score->setText(text);
    score->setAnchorPoint(CCPoint(0, 0.5f));
    score->setPosition(CCPoint(140 - row->getSize().width / 2, 0));
    row->addChild(score);
}

void OXBoard::OnApplyBankerButton(CCObject*, TouchEventType event)
{
    OXHandler* handler = Handler();
    if (event != TOUCH_EVENT_ENDED || handler == nullptr || !handler->IsDataReceived())
        return;
    const tagUserData* me = UserAt(m_nMyChair);
    if (me == nullptr)
        return;
    if (m_nMyChair != -1 && m_lBankerMinimum <= me->lScore)
    {
        handler->SendGameData(SUB_C_APPLY_BANKER);
        SetButtonEnabled(m_pApplyButton, false);
        return;
    }
    char text[96];
    std::snprintf(text, sizeof(text), "%s%lld%s", CClientGlobal::UTF8ToGBK("您的欢乐豆少于").c_str(),
                  static_cast<long long>(m_lBankerMinimum), CClientGlobal::UTF8ToGBK(",无法上庄").c_str());
    if (GameChatLayer* chat = GetChatLayer())
        chat->AddChatItem(ChatLine{CClientGlobal::UTF8ToGBK(kRoomMessage), text, 4});
}

void OXBoard::OnCancelBankerButton(CCObject*, TouchEventType event)
{
    OXHandler* handler = Handler();
    if (event != TOUCH_EVENT_ENDED || handler == nullptr || !handler->IsDataReceived())
        return;
    if (m_nPhase != kPhaseFree && IsMeBanker())
    {
        if (GameChatLayer* chat = GetChatLayer())
            chat->AddChatItem(ChatLine{CClientGlobal::UTF8ToGBK(kRoomMessage),
                                       CClientGlobal::UTF8ToGBK("游戏已经开始，不能取消当庄"), 4});
        return;
    }
    handler->SendGameData(SUB_C_CANCEL_BANKER);
    SetButtonEnabled(m_pCancelButton, false);
}

void OXBoard::OnBankButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        OpenBank();
}

// --- records ------------------------------------------------------------------------------------

void OXBoard::AddRecordColumn()
{
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        uint8_t multiplier = 0;
        const bool won =
            CompareCard(m_cbCardData[0], CARDS_PER_HAND, m_cbCardData[area], CARDS_PER_HAND, &multiplier) == 1;
        if (won)
        {
            if (Widget* highlight = m_pAreaHighlights[area - 1])
            {
                highlight->stopAllActions();
                highlight->setVisible(true);
                highlight->setOpacity(255);
                highlight->runAction(CCRepeatForever::create(CCBlink::create(1.0f, 1)));
            }
        }
        CCSprite* mark = CCSprite::create(won ? "OxBattle/g" : "OxBattle/x");
        mark->setVisible(false);
        m_RecordMarks[area - 1].push_back(mark);
        AddContentChild(mark);
    }
    LayoutRecords();
}

}  // namespace OxBattle
