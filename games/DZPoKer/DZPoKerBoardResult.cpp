// The end of a hold'em hand on the table: hand classes, my best five, the
// score texts, the winner and the pots on their way to the winners.
#include "games/DZPoKer/DZPoKerBoard.h"
#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPokerCardSprite.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/framework/BoardArt.h"

#include <cstdio>
#include <cstring>

using namespace cocos2d;

namespace DZPoKer {

namespace {

struct HandTypeArt
{
    const char* text;
    const char* picture;  // null: none
    const char* frames;   // null: the picture stands still
    int first, last;
};

// By hand class 1..10.
const HandTypeArt kHandTypes[10] = {
    {"DZShowHand/res/gaopai.png", nullptr, nullptr, 0, 0},
    {"DZShowHand/res/duizi.png", nullptr, nullptr, 0, 0},
    {"DZShowHand/res/liangdui.png", nullptr, nullptr, 0, 0},
    {"DZShowHand/res/santiao.png", nullptr, nullptr, 0, 0},
    {"DZShowHand/res/shuizi_card.png", "DZShowHand/res/shunzi.png", "shunzi_%05d.png", 0, 15},
    {"DZShowHand/res/tonghua_card.png", "DZShowHand/res/tonghua.png", "tonghua_%05d.png", 0, 28},
    {"DZShowHand/res/Hulu_score.png", "DZShowHand/res/hulu.png", "hulu_%05d.png", 4, 16},
    {"DZShowHand/res/sitiao_card.png", "DZShowHand/res/jingang.png", "jingang_%05d.png", 0, 19},
    {"DZShowHand/res/tonghuashun.png", "DZShowHand/res/shunzi.png", "shunzi_%05d.png", 0, 15},
    {"DZShowHand/res/huangjia.png", "DZShowHand/res/hjthx.png", nullptr, 0, 0},
};

}  // namespace

void DZPoKerBoard::SetPotList(const int64_t pots[MAX_POT_COUNT], uint32_t count)
{
    std::memcpy(m_lPotList, pots, sizeof(m_lPotList));
    m_dwPotCount = count < MAX_POT_COUNT ? count : MAX_POT_COUNT;
}

void DZPoKerBoard::SetGameResult(const uint8_t bestFive[GAME_PLAYER][HAND_CARD_COUNT],
                                 const uint8_t handClass[GAME_PLAYER], const uint8_t potCount[GAME_PLAYER],
                                 const uint8_t potIndex[GAME_PLAYER][MAX_POT_COUNT])
{
    std::memcpy(m_cbBestFive, bestFive, sizeof(m_cbBestFive));
    std::memcpy(m_cbHandClass, handClass, sizeof(m_cbHandClass));
    std::memcpy(m_cbPotWon, potCount, sizeof(m_cbPotWon));
    std::memcpy(m_cbPotIndex, potIndex, sizeof(m_cbPotIndex));
}

void DZPoKerBoard::ShowHandClass(uint16_t chair)
{
    if (chair >= GAME_PLAYER)
        return;
    const uint16_t view = ViewOf(chair);
    CCSprite* banner = CCSprite::create("DZShowHand/res/banner.png");
    banner->setPosition(SeatPointOf(view));
    AddContentChild(banner, kChipZOrder);
    CCSprite* glow = Sexy::LoopingFrameSprite("gaopai_%05d.png", 0, 11, kFrameDelay);
    const CCSize size = banner->getContentSize();
    glow->setPosition(CCPoint(size.width / 2, size.height / 2));
    banner->addChild(glow);
    banner->setVisible(true);
    m_pHandTypeContainer = banner;
    ShowHandType(m_cbHandClass[chair]);
    banner->retain();
    m_ResultNodes.push_back(banner);
}

void DZPoKerBoard::ShowHandType(uint8_t handClass)
{
    if (handClass < 1 || handClass > 10)
        return;
    const HandTypeArt& art = kHandTypes[handClass - 1];
    m_pHandTypeText = CCSprite::create(art.text);
    m_pHandTypeText->setAnchorPoint(CCPoint(0.5f, 0.5f));
    if (m_pHandTypeContainer != nullptr)
    {
        const CCSize size = m_pHandTypeContainer->getContentSize();
        m_pHandTypeText->setPosition(CCPoint(size.width / 2, size.height / 2));
        m_pHandTypeContainer->addChild(m_pHandTypeText, 1);
    }
    if (art.picture == nullptr || m_pHandTypePicture != nullptr)
        return;
    m_pHandTypePicture = CCSprite::create(art.picture);
    m_pHandTypePicture->setPosition(CCPoint(500, 260));
    m_pHandTypePicture->setVisible(true);
    AddContentChild(m_pHandTypePicture, kChipZOrder + 2);
    if (art.frames != nullptr)
    {
        CCSprite* animation = Sexy::LoopingFrameSprite(art.frames, art.first, art.last, kFrameDelay);
        animation->setAnchorPoint(CCPoint(0.5f, 0.5f));
        const CCSize size = m_pHandTypePicture->getContentSize();
        animation->setPosition(CCPoint(size.width / 2, size.height / 2));
        m_pHandTypePicture->addChild(animation);
    }
}

void DZPoKerBoard::HighlightBestFive(uint16_t chair)
{
    m_wHighlightChair = chair;
    scheduleOnce(schedule_selector(DZPoKerBoard::OnHighlightBestFive), 2.0f);
}

void DZPoKerBoard::OnHighlightBestFive(float)
{
    const uint16_t chair = m_wHighlightChair;
    if (chair >= GAME_PLAYER)
        return;
    m_pTurnTimer->Stop();
    m_HighlightCards.clear();
    for (uint8_t best : m_cbBestFive[chair])
    {
        if (best == 0)
            continue;
        for (DZPokerCardSprite* hole : m_pHoleCard[chair])
        {
            if (hole->GetCardData() != best)
                continue;
            hole->setOpacity(255);
            hole->setScale(0.55f);
        }
        for (DZPokerCardSprite* face : m_pCenterFace)
        {
            if (face->GetCardData() == best)
            {
                m_HighlightCards.push_back(face);
            }
            else
            {
                face->setScale(0.65f);
                face->setOpacity(100);
            }
        }
    }
    for (DZPokerCardSprite* hole : m_pHoleCard[chair])
        hole->setRotation(0);
    for (DZPokerCardSprite* face : m_HighlightCards)
    {
        face->setScale(0.8f);
        face->setOpacity(255);
    }
}

void DZPoKerBoard::ShowGameScores()
{
    DZPoKerHandler* handler = Handler();
    m_WinnerViews.clear();
    for (uint16_t chair = 0; chair < GAME_PLAYER && handler != nullptr; ++chair)
    {
        if (!handler->IsPlaying(chair))
            continue;
        ShowWinScore(chair, handler->m_lGameScore[chair]);
        if (handler->m_lGameScore[chair] >= 0)
            m_WinnerViews.push_back(ViewOf(chair));
    }
    scheduleOnce(schedule_selector(DZPoKerBoard::OnShowGameScores), 2.0f);
}

void DZPoKerBoard::OnShowGameScores(float)
{
    if (m_dwPotCount > 1)
        scheduleOnce(schedule_selector(DZPoKerBoard::OnDistributePots), 1.5f);
    m_pPotChips->DistributeMainPot(m_WinnerViews);
}

void DZPoKerBoard::OnDistributePots(float)
{
    DZPoKerHandler* handler = Handler();
    for (std::vector<uint16_t>& winners : m_PotWinners)
        winners.clear();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        if (handler == nullptr || !handler->IsPlaying(chair))
            continue;
        const uint8_t won = m_cbPotWon[chair] < MAX_POT_COUNT ? m_cbPotWon[chair] : MAX_POT_COUNT;
        for (uint8_t i = 0; i < won; ++i)
        {
            // A pot the list did not name has no chips to pay.
            const uint8_t pot = m_cbPotIndex[chair][i];
            if (pot < m_dwPotCount)
                m_PotWinners[pot].push_back(chair);
        }
    }
    m_pPotChips->DistributePots(m_dwPotCount, m_PotWinners);
}

void DZPoKerBoard::ShowWinScore(uint16_t chair, int64_t amount)
{
    if (chair >= GAME_PLAYER)
        return;
    const uint16_t view = ViewOf(chair);
    char text[32];
    std::snprintf(text, sizeof(text), amount >= 0 ? "+%lld" : "%lld", static_cast<long long>(amount));
    m_pScorePlate[view]->setVisible(true);
    CCLabelTTF* label = m_pScoreLabel[view];
    label->stopAllActions();
    label->setString(text);
    // Ten digits and a sign keep inside the plate at the bounce's largest.
    Sexy::FitToWidth(label, (m_pScorePlate[view]->getContentSize().width - 8) / 1.2f);
    const float fit = label->getScale();
    label->setScale(0);
    label->runAction(CCSequence::create(CCEaseBounceInOut::create(CCScaleTo::create(0.5f, 1.2f * fit)),
                                        CCEaseBounceInOut::create(CCScaleTo::create(2.5f, 0.9f * fit)), nullptr));
}

void DZPoKerBoard::ShowWinner(uint16_t chair)
{
    m_wWinnerChair = chair;
    scheduleOnce(schedule_selector(DZPoKerBoard::OnShowWinner), 3.0f);
}

void DZPoKerBoard::OnShowWinner(float)
{
    m_pTurnTimer->Stop();
    if (m_wWinnerChair < GAME_PLAYER)
        ShowWinAnimation(ViewOf(m_wWinnerChair));
}

void DZPoKerBoard::ShowWinAnimation(uint16_t view)
{
    if (m_pWinnerMark != nullptr || view >= GAME_PLAYER)
        return;
    m_pWinnerMark = Sexy::LoopingFrameSprite("shengli_%05d.png", 0, 9, kFrameDelay);
    m_pWinnerMark->setPosition(SeatPointOf(view));
    m_pWinnerMark->setVisible(true);
    // Under the hand banner at the same point, which it frames.
    AddContentChild(m_pWinnerMark, kChipZOrder - 1);
}

}  // namespace DZPoKer
