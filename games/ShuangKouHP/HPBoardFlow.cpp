// The server's steps: a play, a pass, the end of the hand and the playing
// scene; and the voices, sounds and animations of what was played.
#include "games/ShuangKouHP/HPBoard.h"

#include "games/ShuangKouHP/HPHandler.h"
#include "games/ShuangKouHP/ScoreView.h"
#include "games/framework/BoardArt.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace ShuangKouHP {

namespace {

constexpr int kTrickZOrder = 1000;
const CCPoint kAnchor(17.0f / 97.0f, 0.5f);
const CCPoint kMyTrickOffset(0, 150);
const CCPoint kOtherTrickDrop(0, -125);
const CCPoint kOtherSceneOffset(0, -120);

}  // namespace

void HPBoard::OnOutCard(const CMD_S_OutCard& play)
{
    HPHandler* handler = Handler();
    SetClock(play.wCurrentUser);
    const uint8_t count = play.cbCardCount <= MAX_COUNT ? play.cbCardCount : 0;
    const bool mine = play.wOutCardUser == m_cbMyChair;
    if (mine)
    {
        StopTurnTimeouts();
        if (handler != nullptr)
            handler->m_cbLeadFlag = 0;
        ClearTrick(m_Trick[0]);
        if (m_GameLogic.RemoveCard(play.cbCardData, count, m_cbHand, static_cast<size_t>(m_nHandCount)))
            m_nHandCount -= count;
        m_cbLastCount[0] = count;
        // The sprites of the played cards leave my hand for the trick.
        for (uint8_t i = 0; i < count; ++i)
        {
            CardSprite* found = nullptr;
            for (CardSprite* card : m_Hand[0])
            {
                if (card->isVisible() && card->GetCardData() == play.cbCardData[i])
                {
                    found = card;
                    break;
                }
            }
            if (found != nullptr)
                m_Hand[0].remove(found);
            else
                found = MakeCard(play.cbCardData[i], true);
            m_Trick[0].push_back(found);
        }
        m_cbMyTurn = 0;
        for (size_t i = 0; i < m_Trick[0].size(); ++i)
        {
            CardSprite* card = m_Trick[0][i];
            card->stopAllActions();
            card->SetCardListener(nullptr);
            card->SetDisabled(1);
            card->SetSelected(0);
            card->setColor(ccWHITE);
            card->setVisible(true);
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, kTrickZOrder + static_cast<int>(i));
            card->runAction(CCSequence::create(
                CCDelayTime::create(0.08f * static_cast<float>(i)),
                CCMoveTo::create(0.2f, SlotPoint(0, count, static_cast<int>(i)) + kMyTrickOffset), nullptr));
        }
        // At once: the whole hand sliding would redraw the table for a second.
        LayoutMyCards(false);
        HidePlayButtons();
    }
    else
    {
        m_nOtherCount = m_nOtherCount > count ? m_nOtherCount - count : 0;
        RetireTrick(1);
        m_cbLastCount[1] = count;
        for (uint8_t i = 0; i < count; ++i)
        {
            CardSprite* card = MakeCard(play.cbCardData[i], true);
            card->setPosition(SlotPoint(1, count, i));
            // Each card over the one before, all under the result layer.
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, kTrickZOrder + i);
            card->runAction(
                CCSpawn::create(CCMoveBy::create(0.2f, kOtherTrickDrop), CCScaleTo::create(0.2f, 0.9f), nullptr));
            m_Trick[1].push_back(card);
        }
        m_pPassSigns[1]->setVisible(false);
        // The other's play is over my cards or my pass, whoever plays next
        // (nobody, when it ends the hand).
        RetireTrick(0);
        m_pPassSigns[0]->setVisible(false);
    }
    if (play.wCurrentUser == m_cbMyChair)
    {
        ShowPlayButtons(true);
        RetireTrick(0);
        m_pPassSigns[0]->setVisible(false);
        StartMyTurn();
    }
    else if (mine)
    {
        m_cbMyTurn = 0;
        RetireTrick(1);
        m_pPassSigns[1]->setVisible(false);
    }
    PlayPatternEffects(play.wOutCardUser, play.cbCardData, count);
    RefreshOtherCount();
    // Copies: the record is packed.
    const int32_t counters[GAME_PLAYER] = {play.lCounter[0], play.lCounter[1]};
    const int64_t scores[GAME_PLAYER] = {play.lScore[0], play.lScore[1]};
    RefreshChairLabels(counters, scores);
}

void HPBoard::OnPassCard(const CMD_S_PassCard& pass)
{
    HPHandler* handler = Handler();
    SetClock(pass.wCurrentUser);
    if (pass.wPassUser == m_cbMyChair)
    {
        StopTurnTimeouts();
        m_pPassSigns[0]->setVisible(true);
        HidePlayButtons();
        LayoutMyCards(false);
        m_cbMyTurn = 0;
    }
    else
    {
        m_pPassSigns[1]->setVisible(true);
    }
    if (pass.wCurrentUser == m_cbMyChair)
    {
        // The other passed: I open a new trick.
        RetireTrick(0);
        ShowPlayButtons(false);
        if (handler != nullptr)
            handler->m_cbLeadFlag = 1;
        StartMyTurn();
    }
    else
    {
        m_cbMyTurn = 0;
        RetireTrick(1);
    }
    m_cbLastCount[pass.wPassUser == m_cbMyChair ? 0 : 1] = 0;
    PlayVoice(pass.wPassUser, "PASS_CARD");
}

void HPBoard::OnGameEnd(const CMD_S_GameEnd& end)
{
    HPHandler* handler = Handler();
    if (handler != nullptr)
        handler->KillGameClock(IDI_TURN_CLOCK);
    // Nothing more is sent for this hand.
    StopTurnTimeouts();
    m_cbMyTurn = 0;
    ShowStartButton(true, 30);
    HidePlayButtons();
    // The hand is over: no pass stands for anything.
    for (CCSprite* sign : m_pPassSigns)
        sign->setVisible(false);
    RemoveFromTable(m_pScoreView);
    m_pScoreView = CScoreView::create();
    if (m_pScoreView != nullptr)
    {
        const CCSize table = GetContentPictureSize();
        m_pScoreView->setPosition(CCPoint(table.width / 2, table.height / 2));
        m_pScoreView->SetGameEnd(end);
        AddContentChild(m_pScoreView, kResultZOrder);
    }
    // The other's remaining cards face up, by value.
    const uint16_t other = OtherChair();
    const uint8_t left = end.cbCardCount[other] <= HAND_COUNT ? end.cbCardCount[other] : 0;
    uint8_t cards[HAND_COUNT] = {};
    std::memcpy(cards, end.cbCardData[other], left);
    m_GameLogic.SortCardList(cards, left, ST_VALUE);
    m_nOtherCount = left;
    RefreshOtherCount();
    for (uint8_t i = 0; i < left && i < m_Hand[1].size(); ++i)
    {
        CardSprite* card = m_Hand[1][i];
        card->SetCardData(cards[i]);
        card->setAnchorPoint(kAnchor);
    }
    if (end.lGameScore[MyChair()] < 0)
    {
        m_nOtherCount = 0;
        RefreshOtherCount();
    }
    // Who went out did so with the play on the table: it lies in that
    // player's emptied row, clear of the result layer over the middle.
    if (m_nHandCount == 0)
        LayTrickInRow(0, 1.0f);
    if (m_nOtherCount == 0)
        LayTrickInRow(1, kOtherScale);
}

void HPBoard::LayTrickInRow(uint16_t view, float scale)
{
    const Sexy::CardList& trick = m_Trick[view % kViews];
    const int count = static_cast<int>(trick.size());
    for (int i = 0; i < count; ++i)
    {
        CardSprite* card = trick[static_cast<size_t>(i)];
        card->stopAllActions();
        card->runAction(CCSpawn::create(CCMoveTo::create(0.2f, SlotPoint(view, count, i)),
                                        CCScaleTo::create(0.2f, scale), nullptr));
    }
}

void HPBoard::OnScenePlay(const CMD_S_StatusPlay& scene)
{
    // The scene is the whole table: nothing of an earlier one stays.
    ResetGameView();
    m_cbPassAllowed = 0;
    HPHandler* handler = Handler();
    for (CCControlButton* button : {m_pLastTrickButton, m_pTrusteeButton, m_pSortButton})
        button->setEnabled(true);
    if (handler != nullptr)
        SetMyChair(handler->GetMeChairID());
    const uint16_t me = MyChair();
    const uint16_t other = OtherChair();
    m_nHandCount = scene.cbCardCount[me];
    m_nOtherCount = scene.cbCardCount[other];
    SetClock(scene.wCurrentUser);
    const bool myTurn = scene.wCurrentUser == me;
    if (handler != nullptr)
        handler->m_cbLeadFlag = 0;
    if (myTurn)
    {
        ShowPlayButtons(true);
        if (scene.wTurnUser != me)
            m_cbPassAllowed = 1;
    }
    if (myTurn && m_nHandCount == HAND_COUNT && m_nOtherCount == HAND_COUNT)
    {
        // Nothing played yet: I open.
        m_pPassButton->setEnabled(false);
        if (handler != nullptr)
            handler->m_cbLeadFlag = 1;
    }
    m_cbMyTurn = myTurn ? 1 : 0;
    m_cbSceneTableCount = scene.cbTurnCardCount;
    if (scene.wTurnUser == scene.wCurrentUser)
    {
        // The other party passed on the turn user's cards: a new trick.
        const uint16_t passer = scene.wTurnUser == me ? 1 : 0;
        m_pPassSigns[passer]->setVisible(true);
        m_pPassButton->setEnabled(false);
        if (handler != nullptr)
            handler->m_cbLeadFlag = 1;
    }
    else if (scene.wTurnUser < GAME_PLAYER)
    {
        const bool mine = scene.wTurnUser == me;
        const uint16_t view = mine ? 0 : 1;
        const uint8_t count = scene.cbTurnCardCount;
        ClearTrick(m_Trick[view]);
        for (uint8_t i = 0; i < count; ++i)
        {
            CardSprite* card = MakeCard(scene.cbTurnCardData[i], true);
            card->setPosition(SlotPoint(view, count, i) + (mine ? kMyTrickOffset : kOtherSceneOffset));
            if (card->getParent() != nullptr)
                card->getParent()->reorderChild(card, kTrickZOrder + i);
            m_Trick[view].push_back(card);
        }
        m_cbLastCount[view] = count;
        if (!mine && handler != nullptr)
        {
            CMD_S_OutCard& record = handler->OutCardRecord();
            std::memset(record.cbCardData, 0, sizeof(record.cbCardData));
            std::memcpy(record.cbCardData, scene.cbTurnCardData, count);
            record.cbCardCount = count;
        }
    }
    std::memcpy(m_cbHand, scene.cbHandCardData, sizeof(m_cbHand));
    LayoutMyCards(false);
    RefreshOtherCount();
    SetBaseScore(scene.lBaseScore);
    const int32_t counters[GAME_PLAYER] = {scene.lCounter[0], scene.lCounter[1]};
    const int64_t scores[GAME_PLAYER] = {scene.lScore[0], scene.lScore[1]};
    RefreshChairLabels(counters, scores);
}

// --- voices and animations -------------------------------------------------------------------------

std::string HPBoard::VoiceFolder(uint16_t chair) const
{
    HPHandler* handler = Handler();
    const tagUserData* user = handler != nullptr ? handler->GetTableUserData(chair) : nullptr;
    return user != nullptr && user->cbGender != 0 ? "shuangkouHP/effect/girl/" : "shuangkouHP/effect/boy/";
}

void HPBoard::PlayVoice(uint16_t chair, const char* name) { PlaySound((VoiceFolder(chair) + name).c_str()); }

void HPBoard::PlayPatternEffects(uint16_t chair, const uint8_t* cards, uint8_t count)
{
    if (count == 0)
        return;
    if (count == 1)
    {
        int voice = cards[0] & 0x0F;
        if (cards[0] == SMALL_JOKER)
            voice = 14;
        else if (cards[0] == BIG_JOKER)
            voice = 15;
        PlayVoice(chair, ("SINGLE_" + std::to_string(voice)).c_str());
        return;
    }
    uint8_t judged[MAX_COUNT] = {};
    Judge(cards, count, judged);
    switch (m_GameLogic.GetCardType(judged, count))
    {
        case CT_DOUBLE: PlayVoice(chair, "DOUBLE"); break;
        case CT_THREE: PlayVoice(chair, "THREE"); break;
        case CT_SINGLE_LINE:
            PlayVoice(chair, "SINGLE_LINE");
            RunPatternAnimation(3, 14);
            break;
        case CT_DOUBLE_LINE:
            PlayVoice(chair, "DOUBLE_LINE");
            RunPatternAnimation(2, 13);
            break;
        case CT_BOMB:
        case CT_THREE_JOKERS:
        case CT_FOUR_JOKERS:
        case CT_LINKED_BOMB:
            PlayVoice(chair, "BOMB_CARD");
            PlaySound("shuangkouHP/effect/otherSounds/BOMB");
            ShakeBoard();
            RunPatternAnimation(4, 15);
            break;
        default: break;
    }
}

void HPBoard::RunPatternAnimation(int index, int frames)
{
    char format[32];
    std::snprintf(format, sizeof(format), "animation_%d_%%d", index);
    CCAnimation* animation = Sexy::FrameAnimation(format, 0, frames - 1, 0.1f, false);
    if (animation->getFrames() == nullptr || animation->getFrames()->count() == 0)
        return;
    CCSprite* sprite = Sexy::FirstFrameSprite(animation);
    const CCSize table = GetContentPictureSize();
    sprite->setPosition(CCPoint(table.width / 2, table.height / 2));
    sprite->setScale(0.5f);
    AddContentChild(sprite, kEffectZOrder);
    sprite->runAction(
        CCSequence::create(CCAnimate::create(animation), CCDelayTime::create(0.05f),
                           CCSpawn::create(CCFadeOut::create(0.3f), CCMoveTo::create(1.5f, CCPoint(500, 800)), nullptr),
                           CCRemoveSelf::create(), nullptr));
}

}  // namespace ShuangKouHP
