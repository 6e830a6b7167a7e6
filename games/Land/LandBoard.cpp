// The board object and its table: creation, the layout from "Point.xml",
// the buttons and sprites made at init, and the reset before a new hand.
#include "games/Land/LandBoard.h"

#include "games/Land/LandHandler.h"
#include "games/Land/LandMobile.h"
#include "games/Land/ScoreView.h"
#include "games/common/CreateNode.h"
#include "games/framework/BaseKernelLayer.h"
#include "games/framework/BoardDrawUserData.h"

#include <cstring>

using namespace cocos2d;
using namespace cocos2d::extension;
using Sexy::CardSprite;

namespace Land {

namespace {

constexpr float kHandScale = 0.5f;
constexpr float kCallButtonScale = 0.8f;
// Where the total-score panel stands: under the right end of my hand.
const CCPoint kTotalScorePoint(780, 16);
// The trustee sign stands over my seat panel, beside my landlord or farmer
// image, clear of my hand and my clock.
const CCPoint kTrusteeSignPoint(60, 240);

}  // namespace

// --- CardList -------------------------------------------------------------------------------

// --- creation -------------------------------------------------------------------------------

LandBoard* LandBoard::create() { return games::CreateNode<LandBoard>(); }

// On its own the table plays chair 0, so a benchmark sees a seated hand.
LandBoard::LandBoard() { SitOnChairZeroOutsideRoom(); }

LandBoard::~LandBoard()
{
    // The node tree lets the sprites go; the lists release their own hold.
    for (CCNode* caption : m_Captions)
        caption->release();
    m_Captions.clear();
}

LandHandler* LandBoard::Handler() const { return LandMobile::GetHandler(); }

void LandBoard::RemoveFromTable(CCNode* node)
{
    if (node != nullptr && m_pContentRoot != nullptr && node->getParent() == m_pContentRoot)
        m_pContentRoot->removeChild(node, true);
}

void LandBoard::SetPicture(CCSprite* sprite, const char* picture)
{
    if (CCSpriteFrame* frame = CCResolvePicture(picture))
        sprite->setDisplayFrame(frame);
}

const CCPoint& LandBoard::ReadLayoutPoint(size_t index) const { return m_ptLayout[index % kLandPointCount]; }

CardSprite* LandBoard::MakeCard(uint8_t card, bool visible)
{
    CardSprite* sprite = CardSprite::create();
    if (sprite == nullptr)
        return nullptr;
    sprite->SetCardData(card);
    sprite->setVisible(visible);
    AddContentChild(sprite);
    return sprite;
}

void LandBoard::MakeHandSprites()
{
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        for (int place = 0; place < HAND_COUNT; ++place)
        {
            CardSprite* card = MakeCard(CardSprite::kCardBack, false);
            if (card == nullptr)
                continue;
            card->setTag(place);
            card->setScale(kHandScale);
            m_HandCards[chair].push_back(card);
        }
    }
    for (int i = 0; i < BACK_COUNT; ++i)
    {
        CardSprite* card = MakeCard(CardSprite::kCardBack, false);
        m_BottomCards.push_back(card);
    }
}

bool LandBoard::init()
{
    if (!CCLayer::init())
        return false;
    ReadLandPoints(kPointFile, m_ptLayout);
    m_nSpacing = static_cast<int>(m_ptLayout[kPtSpacing].x);
    m_Selection.SetStrip(m_nSpacing);
    m_nFanRadius = static_cast<int>(m_ptLayout[kPtFanRadius].x);
    for (int place = 0; place < kPlaces; ++place)
    {
        const int fan = place % 4;
        m_ptPlace[0][place] = m_ptLayout[kPtHandRow0] + CCPoint(static_cast<float>(m_nSpacing * place), 0);
        m_ptPlace[1][place] = m_ptLayout[kPtHandRow0 + 1] + CCPoint(-10.0f * fan, 8.0f * fan);
        m_ptPlace[2][place] = m_ptLayout[kPtHandRow0 + 2] + CCPoint(10.0f * fan, 8.0f * fan);
    }
    m_ptCaption[0] = m_ptPlace[0][10] + CCPoint(0, 90);
    m_ptCaption[1] = m_ptPlace[1][10] + CCPoint(15, 520);
    m_ptCaption[2] = m_ptPlace[2][10] + CCPoint(25, 120);
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        m_ptClock[view] = m_ptLayout[kPtClock0 + view];
        m_ptSeatPanel[view] = m_ptLayout[kPtSeatPanel0 + view];
        m_ptStatus[view] = m_ptLayout[kPtStatus0 + view];
    }

    InitGameTable("Land/Tile", "Land/Centren", nullptr, CCPointZero);
    AddGameTitle("Land/LOGO");
    CreateStartButton("Land/zhunbei1", "Land/zhunbei", m_ptLayout[kPtStartButton]);
    SetTotalScorePosition(kTotalScorePoint);

    CCSprite* seatBackground = CCSprite::create("Land/userBg");
    seatBackground->setPosition(m_ptLayout[kPtSeatPanel0] + CCPoint(-7, 31));
    AddContentChild(seatBackground);
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        m_pPassSigns[view] = CCSprite::create("Land/font/pass");
        m_pPassSigns[view]->setPosition(m_ptCaption[view]);
        m_pPassSigns[view]->setVisible(false);
        AddContentChild(m_pPassSigns[view]);
        m_pIdentity[view] = CCSprite::create("Land/mongm");
        m_pIdentity[view]->setVisible(false);
        AddContentChild(m_pIdentity[view], kIdentityZOrder);
    }
    // The counts stand by the stacks of backs, so they follow the table
    // when the window is maximised.
    for (int i = 0; i < 2; ++i)
    {
        m_pCountLabels[i] = CCLabelAtlas::create("0", "Land/theEnd/nember10", 15, 23, '0');
        m_pCountLabels[i]->setPosition(m_ptLayout[kPtCardCount1 + i]);
        m_pCountLabels[i]->setVisible(false);
        AddContentChild(m_pCountLabels[i]);
    }

    CreateCallButtons();
    HideCallButtons();
    for (CCControlButton* button : m_pCallButtons)
        button->setEnabled(false);

    m_pPlayButton = CreateImageButton("Land/chupai4", "Land/chupai", "Land/chupai3", m_ptLayout[kPtPlayButton],
                                      cccontrol_selector(LandBoard::OnPlayButton), false);
    m_pPassButton = CreateImageButton("Land/buchu4", "Land/buchu", "Land/buchu3", m_ptLayout[kPtPlayButton + 1],
                                      cccontrol_selector(LandBoard::OnPassButton), false);
    m_pHintButton = CreateImageButton("Land/tishi4", "Land/tishi", "Land/tishi3", m_ptLayout[kPtPlayButton + 2],
                                      cccontrol_selector(LandBoard::OnHintButton), false);
    m_pPreviousButton =
        CreateImageButton("Land/shangyilun3", "Land/sahngyilun2", "Land/shangyilun4", m_ptLayout[kPtPlayButton + 3],
                          cccontrol_selector(LandBoard::OnPreviousPlaysButton), true);
    m_pTrusteeButton =
        CreateImageButton("Land/tuoguan2", "Land/tuoguan3", "Land/tuoguan4", m_ptLayout[kPtPlayButton + 4],
                          cccontrol_selector(LandBoard::OnTrusteeButton), true);
    m_pSortButton = CreateImageButton("Land/paixu3", "Land/paixu2", "Land/paixu4", m_ptLayout[kPtPlayButton + 5],
                                      cccontrol_selector(LandBoard::OnSortButton), true);
    m_pPreviousButton->setEnabled(false);
    m_pTrusteeButton->setEnabled(false);
    m_pSortButton->setEnabled(false);

    m_pTrusteeSign = CCSprite::create("Land/font/tuoguan");
    m_pTrusteeSign->setPosition(kTrusteeSignPoint);
    m_pTrusteeSign->setVisible(false);
    AddContentChild(m_pTrusteeSign, kEffectZOrder);

    MakeHandSprites();
    CCSprite* bottomBackground = CCSprite::create("Land/dipai");
    bottomBackground->setPosition(m_ptLayout[kPtBottomBackground]);
    AddContentChild(bottomBackground);
    return CGameBoard::init();
}

void LandBoard::CreateCallButtons()
{
    static const char* const kPictures[4][3] = {
        {"Land/1click_button", "Land/1across_button", "Land/1ban_button"},
        {"Land/2click_button", "Land/2across_button", "Land/2ban_button"},
        {"Land/3click_button", "Land/3across_button.jpg", "Land/3ban_button"},
        {"Land/bujiao2", "Land/bujiao", "Land/bujiao3"},
    };
    static const int kTags[4] = {1, 2, 3, 0};
    for (int i = 0; i < 4; ++i)
    {
        // A restored calling scene asks again; the buttons made first stay.
        if (m_pCallButtons[i] != nullptr)
            continue;
        m_pCallButtons[i] =
            CreateImageButton(kPictures[i][0], kPictures[i][1], kPictures[i][2], m_ptLayout[kPtCallButton1 + i],
                              cccontrol_selector(LandBoard::OnCallScoreButton), true);
        m_pCallButtons[i]->setScale(kCallButtonScale);
        m_pCallButtons[i]->setTag(kTags[i]);
        // My call can come while the deal still fans my cards over them.
        if (m_pCallButtons[i]->getParent() != nullptr)
            m_pCallButtons[i]->getParent()->reorderChild(m_pCallButtons[i], kCallButtonZOrder);
    }
}

void LandBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel) { Sexy::LayoutCardTableMyInfo(panel); }

// --- a new hand -------------------------------------------------------------------------------

void LandBoard::ClearTable()
{
    auto removeAll = [this](CardList& list) {
        for (CardSprite* card : list)
            RemoveFromTable(card);
        list.clear();
    };
    removeAll(m_SelectedCards);
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        removeAll(m_OutCards[view]);
        removeAll(m_PreviousPlays[view]);
        m_cbPreviousCount[view] = 0;
    }
    for (CardList& hand : m_HandCards)
        removeAll(hand);
    removeAll(m_BottomCards);
    for (CCSprite* image : m_pIdentity)
    {
        image->stopAllActions();
        image->setVisible(false);
    }
    ClearSigns();
    if (m_pScoreView != nullptr)
    {
        RemoveFromTable(m_pScoreView);
        m_pScoreView = nullptr;
    }
    HideCallButtons();
    for (CCControlButton* button : m_pCallButtons)
        button->setEnabled(false);
    HidePlayButtons();
    m_pPreviousButton->setEnabled(false);
    m_pTrusteeButton->setEnabled(false);
    m_pSortButton->setEnabled(false);
    for (CCLabelAtlas* label : m_pCountLabels)
        label->setVisible(false);
    MakeHandSprites();
    for (CCNode* caption : m_Captions)
    {
        RemoveFromTable(caption);
        caption->release();
    }
    m_Captions.clear();
    m_nMyCardCount = 0;
    m_nViewCardCount[1] = m_nViewCardCount[2] = 0;
    std::memset(m_cbMyCards, 0, sizeof(m_cbMyCards));
    std::memset(m_cbBackCards, 0, sizeof(m_cbBackCards));
    m_cbBankerView = 0;
    m_nHintIndex = 0;
    m_cbMyTurn = 0;
    SetTrustee(false);
    StopTurnSelectors();
    // Nor does a hand's later step act on the table that replaced it.
    unschedule(schedule_selector(LandBoard::ArmHand));
    unschedule(schedule_selector(LandBoard::OnPreviousPlaysDone));
}

void LandBoard::ResetGameView()
{
    ClearTable();
    if (LandHandler* handler = Handler())
    {
        handler->m_cbFreeLead = 1;
        handler->ReleaseTableRecord();
        handler->EndRestore();
    }
}

}  // namespace Land
