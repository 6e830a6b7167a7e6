// The round as the server runs it: free time, betting and the result, each
// begun by one message, or restored from a scene when I enter mid-round; and
// the touches that bet and switch the manual opening.
#include "core/ClientGlobal.h"
#include "games/OxBattle/CardRules.h"
#include "games/OxBattle/Dice.h"
#include "games/OxBattle/OXBoard.h"
#include "games/OxBattle/OXHandler.h"
#include "games/OxBattle/ScoreView.h"
#include "games/framework/CardSprite.h"

#include <algorithm>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace OxBattle {

// --- free time ------------------------------------------------------------------------------

void OXBoard::OnGameFree(const FreeMessage& message)
{
    PlaySound("OxBattle/Sound/END_DRAW");
    m_cbNoMoneyNoticeShown = 0;
    RefreshMyChair();
    ShowMyInfo();
    CCLog("1111111111");

    m_nPhase = kPhaseFree;
    StartClock(message.cbTimeLeave);
    SetStateTexture("OxBattle/free");
    m_nOpeningStep = 0;
    m_bRoundRecorded = false;
    CCLog("2222222222");

    RemoveScoreView();
    CCLog("3333333333");

    m_ChipRow.DisableAll();
    ShowChipButtons(true);
    CCLog("4444444444");

    // The last round's deal may still be under way.
    StopDealing();
    ClearTable();
    CCLog("5555555555");

    ResetCards();
    CCLog("6666666666");

    m_nBetChip = 0;
    m_nOpeningStep = 0;
    SetManualOpenButtons();
    CCLog("7777777777");

    HideAreaMarks();
    CCLog("8888888888");
}

void OXBoard::HideAreaMarks()
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (Widget* highlight = m_pAreaHighlights[area])
        {
            highlight->stopAllActions();
            highlight->setVisible(false);
        }
        if (m_pTotalLabels[area] != nullptr)
            m_pTotalLabels[area]->setVisible(false);
        if (m_pMyLabels[area] != nullptr)
            m_pMyLabels[area]->setVisible(false);
    }
}

// --- betting ------------------------------------------------------------------------------------

void OXBoard::OnRoundStart(const RoundStartMessage& message)
{
    PlaySound("OxBattle/Sound/GAME_START");
    PlaySound("OxBattle/Sound/CHEER1");
    PlaySound("OxBattle/Sound/CHEER2");

    m_lBankerBetCapacity = message.lBankerScore;
    RefreshMyChair();
    // Without my record (I left meanwhile) there is nothing to bet with.
    const tagUserData* me = UserAt(m_nMyChair);
    m_lMyBetCapacity = me != nullptr ? me->lScore : 0;
    ShowMyInfo();

    m_nPhase = kPhaseBetting;
    StartClock(message.cbTimeLeave);
    SetStateTexture("OxBattle/call");
    m_Bets.Clear();
    m_bRoundRecorded = false;

    const int banker = message.wBankerUser;
    if (banker == m_nBankerChair)
    {
        SetBankerInfo(message.wBankerUser, 0xFFFF, -1);
    }
    else
    {
        const bool wasMe = IsMeBanker();
        games::SetQueueButtonsForNewBanker(m_pApplyButton, m_pCancelButton, m_nMyChair >= 0 && banker == m_nMyChair,
                                           wasMe);
        SetBankerInfo(message.wBankerUser, 0, 0);
    }

    if (!IsMeBanker())
    {
        const int64_t myLimit = message.lUserMaxScore;
        const int64_t bankerScore = message.lBankerScore;
        UpdateChipButtons(std::min(myLimit, bankerScore));
    }
}

void OXBoard::OnBetPlaced(const BetPlacedMessage& message) { ShowBetPlaced(message); }

void OXBoard::OnAreaTouched(CCObject* sender, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED || m_nPhase != kPhaseBetting || m_nBetChip == 0)
        return;
    auto* widget = dynamic_cast<Widget*>(sender);
    if (widget == nullptr)
        return;
    const int area = (widget->getTag() - kAreaTagBase) / 10000;
    OXHandler* handler = Handler();
    if (m_nBetChip <= 0 || !ValidArea(area) || handler == nullptr)
        return;
    BetRequest request;
    request.cbArea = static_cast<uint8_t>(area);
    request.lAmount = m_nBetChip;
    handler->SendGameData(SUB_C_PLACE_BET, &request, sizeof(request));
}

void OXBoard::OnChipButton(CCObject* sender, TouchEventType event)
{
    auto* widget = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_ENDED || widget == nullptr)
        return;
    m_nBetChip = widget->getTag() - kChipTagOffset;
    SetSelectedChip(false, m_nBetChip);
}

void OXBoard::OnBetFailed(const BetFailedMessage& message)
{
    SetSelectedChip(false, 0);
    // The refused chip and those above it go; the smaller ones stay (within
    // the limit the chips had).
    const int64_t below = games::SaturatingSub(message.lAmount, 1);
    UpdateChipButtons(std::min(m_lChipLimit, games::SaturatingMul(below, kBetCommitment)));
    // The cursor shows the chip the next bet is made with.
    if (m_nBetChip > 0)
        SetSelectedChip(true, m_nBetChip);
}

// --- the result ---------------------------------------------------------------------------------

void OXBoard::OnRoundEnd(const RoundEndMessage& message)
{
    m_LastResult = message;
    ShowChipButtons(false);

    RefreshMyChair();
    m_nPhase = kPhaseResult;
    StartClock(message.cbTimeLeave);
    SetStateTexture("OxBattle/outCard");

    StartDealing(message);

    SetBankerInfo(static_cast<uint16_t>(m_nBankerChair), static_cast<uint16_t>(message.nBankerTimes & 0xFFFF), -1);
    ShowMyInfo();
    m_ChipRow.DisableAll();
    m_BankerPanel.ShowRounds(message.nBankerTimes);

    m_lBankerRoundScore = message.lBankerTotalResult;
    m_lMyRoundScore = message.lMyScore;

    games::SetButtonEnabled(GetWidget("Button_4"), false);
    games::SetButtonEnabled(GetWidget("Button_5"), false);
    SetSelectedChip(false, 0);
    HideHoverImages();
}

// --- the banker queue ---------------------------------------------------------------------------

void OXBoard::OnApplyBanker(uint16_t chair) { AddBankerListItem(chair); }

void OXBoard::OnCancelBanker(uint16_t chair) { RemoveBankerQueueItem(chair); }

void OXBoard::RemoveBankerQueueItem(uint16_t chair)
{
    if (m_nMyChair >= 0 && chair == m_nMyChair)
        games::SetQueueButtons(m_pApplyButton, m_pCancelButton, false);
    // A chair queued twice loses both rows.
    m_BankerQueue.RemoveRows(chair);
}

void OXBoard::OnChangeBanker(const ChangeBankerMessage& message)
{
    const uint16_t chair = message.wBankerUser;
    RemoveBankerQueueItem(chair);
    games::SetQueueButtonsForNewBanker(m_pApplyButton, m_pCancelButton, m_nMyChair >= 0 && chair == m_nMyChair,
                                       IsMeBanker());
    SetBankerInfo(chair, 0, 0);
}

void OXBoard::SetBankerButtonsByQueue()
{
    // The banker is in no queue: restored as banker I get the buttons the
    // change of banker gives, cancel and no apply.
    const bool queued = m_nMyChair >= 0 && m_BankerQueue.Contains(static_cast<uint16_t>(m_nMyChair));
    games::SetQueueButtons(m_pApplyButton, m_pCancelButton, queued || IsMeBanker());
}

// --- records ------------------------------------------------------------------------------------

void OXBoard::AddRecord(const RoundRecord& record)
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        CCSprite* mark = CCSprite::create(record.cbAreaWon[area] != 0 ? "OxBattle/g" : "OxBattle/x");
        mark->setVisible(false);
        m_RecordMarks[area].push_back(mark);
        AddContentChild(mark);
    }
    m_RecordWindow.OnAdded(static_cast<int>(m_RecordMarks[0].size()));
}

void OXBoard::LayoutRecords()
{
    // The oldest columns go from the table too, not only from the strip.
    const int dropped = m_RecordWindow.Overflow(static_cast<int>(m_RecordMarks[0].size()));
    for (std::vector<CCSprite*>& marks : m_RecordMarks)
    {
        const auto end = marks.begin() + std::min<size_t>(static_cast<size_t>(dropped), marks.size());
        for (auto it = marks.begin(); it != end; ++it)
            (*it)->removeFromParentAndCleanup(true);
        marks.erase(marks.begin(), end);
    }
    const int count = static_cast<int>(m_RecordMarks[0].size());
    m_RecordWindow.Layout(dropped, count);
    for (int row = 0; row < AREA_COUNT; ++row)
    {
        std::vector<CCSprite*>& marks = m_RecordMarks[row];
        for (CCSprite* mark : marks)
            mark->setVisible(false);
        const int end = std::min<int>(m_RecordWindow.End(), static_cast<int>(marks.size()));
        for (int i = m_RecordWindow.First(); i < end; ++i)
        {
            marks[i]->setVisible(true);
            marks[i]->setPosition(CCPoint(static_cast<float>((i - m_RecordWindow.First()) * 38 + 130),
                                          static_cast<float>(116 - 32 * row)));
        }
    }
}

void OXBoard::OnRecordLeftButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED && m_RecordWindow.StepBack())
        LayoutRecords();
}

void OXBoard::OnRecordRightButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED && m_RecordWindow.CanStepForward(static_cast<int>(m_RecordMarks[0].size())))
        LayoutRecords();
}

// --- the manual opening -------------------------------------------------------------------------

void OXBoard::EnableManualOpen(CCObject*, TouchEventType)
{
    m_cbManualOpen = 1;
    SetManualOpenButtons();
}

void OXBoard::DisableManualOpen(CCObject*, TouchEventType)
{
    m_cbManualOpen = 0;
    SetManualOpenButtons();
}

void OXBoard::SetManualOpenButtons()
{
    games::SetButtonEnabled(GetWidget("Button_4"), m_cbManualOpen == 0);
    games::SetButtonEnabled(GetWidget("Button_5"), m_cbManualOpen != 0);
}

// --- scenes -------------------------------------------------------------------------------------

void OXBoard::OnFreeScene(const FreeScene& scene)
{
    m_lKeptAmount = scene.lKeptAmount;
    m_nPhase = kPhaseFreeScene;
    RefreshMyChair();
    ShowMyInfo();
    StartClock(scene.cbTimeLeave);
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetBankerButtonsByQueue();
    // Free time: whatever an earlier state left on the table goes.
    SetStateTexture("OxBattle/free");
    StopDealing();
    ClearTable();
    ResetCards();
    HideAreaMarks();
    m_ChipRow.DisableAll();
    ShowChipButtons(true);
    SetManualOpenButtons();
    m_bRoundRecorded = false;
}

void OXBoard::OnBetScene(const PlayScene& scene)
{
    m_nPhase = kPhaseBetting;
    RefreshMyChair();
    SetStateTexture("OxBattle/call");
    ShowMyInfo();
    StartClock(scene.cbTimeLeave);
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetManualOpenButtons();
    SetBankerButtonsByQueue();
    // The scene's amounts are the whole table: what an earlier state laid
    // goes first, a result's win marks and hidden chip row too.
    StopDealing();
    ClearTable();
    ResetCards();
    HideAreaMarks();
    m_ChipRow.DisableAll();
    ShowChipButtons(true);
    m_bRoundRecorded = false;
    SetAreaLabels(scene);
    const tagUserData* me = UserAt(m_nMyChair);
    m_lMyBetCapacity = me != nullptr ? me->lScore : 0;
    SetLabel("Label_51", CClientGlobal::FormatScore(m_lMyBetCapacity));
    for (int area = 1; area <= AREA_COUNT; ++area)
        PlaceAreaChips(static_cast<uint8_t>(area), scene.lAllBets[area]);
}

void OXBoard::OnResultScene(const PlayScene& scene)
{
    m_lKeptAmount = scene.lKeptAmount;
    m_nPhase = kPhaseResultScene;
    RefreshMyChair();
    ShowMyInfo();
    StartClock(scene.cbTimeLeave);
    SetBankerInfo(scene.wBankerUser, scene.wBankerTimes, scene.lBankerTotalResult);
    SetStateTexture(scene.cbGameStatus == GS_BETTING ? "OxBattle/call" : "OxBattle/outCard");
    SetBankerButtonsByQueue();
    // The result alone: no chips a betting scene laid, no win marks of an
    // earlier result (the same result again adds no second column).
    StopDealing();
    ClearTable();
    HideAreaMarks();
    std::copy(&scene.cbTableCards[0][0], &scene.cbTableCards[0][0] + sizeof(m_cbCardData), &m_cbCardData[0][0]);
    m_nFirstHand = FirstHandOf(scene.cbDice[0], scene.cbDice[1]);

    // The result at once, without dealing.
    ComputeHandTypes();
    LayOutOpenedHands(20);
    for (int step = 0; step < HAND_COUNT; ++step)
    {
        const int hand = (m_nFirstHand + step) % HAND_COUNT;
        RaiseBullCards(hand);
        ShowCardType(static_cast<uint16_t>(hand), TypeIndexOf(m_nHandTypes[hand]));
    }
    AddRecordColumn();
    if (CScoreView* view = NewScoreView())
        view->SetPlayScene(scene);
    PlaySound(scene.lMyScore > 0 ? "OxBattle/Sound/END_WIN" : "OxBattle/Sound/END_LOST");

    SetAreaLabels(scene);
    games::SetButtonEnabled(GetWidget("Button_4"), false);
    games::SetButtonEnabled(GetWidget("Button_5"), false);
    ShowChipButtons(false);
}

void OXBoard::SetAreaLabels(const PlayScene& scene)
{
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        m_Bets.Set(area, scene.lAllBets[area], scene.lMyBets[area]);
        ShowAreaLabel(m_pTotalLabels[area - 1], m_Bets.Total(area), false);
        ShowAreaLabel(m_pMyLabels[area - 1], m_Bets.Mine(area), true);
    }
}

void OXBoard::ShowAreaLabel(CCLabelAtlas* label, int64_t amount, bool onlyPositive)
{
    if (label == nullptr)
        return;
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(amount));
    label->setString(text);
    label->setVisible(!onlyPositive || amount > 0);
}

// --- the table between rounds -------------------------------------------------------------------

void OXBoard::ShowChipButtons(bool show)
{
    m_ChipRow.Show(show);
    for (int i = 0; i < kChipButtons; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Image_25_%d", i);
        if (Widget* under = GetWidget(name))
            under->setVisible(show);
    }
}

void OXBoard::HideHoverImages()
{
    for (Widget* hover : m_pHoverImages)
    {
        if (hover != nullptr)
            hover->setVisible(false);
    }
}

void OXBoard::ClearTable()
{
    m_ChipPile.Clear();
    ClearResult();
}

void OXBoard::ClearResult()
{
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        RemoveContentChildByTag(kManualHintTagBase + hand);
        RemoveContentChildByTag(kAutoHintTagBase + hand);
        m_pHandIcons[hand] = nullptr;
    }
    for (CCSprite* image : m_TypeImages)
        image->removeFromParentAndCleanup(true);
    m_TypeImages.clear();
    RemoveScoreView();
}

void OXBoard::ResetCards()
{
    for (std::vector<Sexy::CardSprite*>& hand : m_HandCards)
    {
        for (Sexy::CardSprite* card : hand)
        {
            card->stopAllActions();
            card->SetCardListener(nullptr);
            card->setTag(-1);
            card->SetCardData(Sexy::CardSprite::kCardBack);
            card->setPosition(ccpAdd(m_ptHands[0], CCPoint(200, 0)));
            card->setVisible(false);
        }
    }
}

}  // namespace OxBattle
