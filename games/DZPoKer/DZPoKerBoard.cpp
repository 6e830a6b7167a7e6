#include "games/DZPoKer/DZPoKerBoard.h"

#include "games/DZPoKer/DZPoKerHandler.h"
#include "games/DZPoKer/DZPoKerMobile.h"
#include "games/DZPoKer/DZPokerCardSprite.h"
#include "games/DZPoKer/DZPokerColorChip.h"
#include "games/DZPoKer/DZPokerProTimer.h"
#include "games/DZPoKer/MoveChipAnimation.h"
#include "games/framework/BoardDrawUserData.h"
#include "ui/GBKLabel.h"

#include <cstdio>
#include <cstring>
#include <new>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace DZPoKer {

namespace {

const char* const kLayoutFile = "DZShowHand/DZPokerUI/DZPokerUI.json";
const ccColor3B kGrey = {100, 100, 100};

std::string Named(const char* format, int n)
{
    char name[48];
    std::snprintf(name, sizeof(name), format, n);
    return name;
}

}  // namespace

DZPoKerBoard* DZPoKerBoard::create()
{
    auto* board = new (std::nothrow) DZPoKerBoard();
    if (board != nullptr && board->init())
    {
        board->autorelease();
        return board;
    }
    delete board;
    return nullptr;
}

DZPoKerBoard::DZPoKerBoard() = default;

DZPoKerBoard::~DZPoKerBoard()
{
    for (CCNode* node : m_ResultNodes)
        node->release();
    m_ResultNodes.clear();
}

DZPoKerHandler* DZPoKerBoard::Handler() const { return DZPoKerMobile::GetHandler(); }

uint16_t DZPoKerBoard::ViewOf(uint16_t chair) const
{
    DZPoKerHandler* handler = Handler();
    const uint16_t view = handler != nullptr ? handler->SwitchViewChairID(chair) : chair;
    return view < GAME_PLAYER ? view : 0;
}

CCPoint DZPoKerBoard::SeatPointOf(uint16_t view) const
{
    if (view == 0)
        return m_pSeatImage[0] != nullptr ? m_pSeatImage[0]->getPosition() : CCPointZero;
    return view < GAME_PLAYER ? m_ptSeat[view] : CCPointZero;
}

Widget* DZPoKerBoard::GetWidget(const char* name) const { return UIHelper::seekWidgetByName(m_pRootWidget, name); }

// --- building the table -----------------------------------------------------------

bool DZPoKerBoard::init()
{
    if (!CCLayer::init())
        return false;
    setTouchEnabled(true);
    m_ptClock[0] = CCPoint(90, 160);
    m_ptStatus[0] = CCPoint(500, 280);

    InitGameTable("DZShowHand/Tile", "DZShowHand/background", nullptr, CCPointZero);
    CreateStartButton("DZShowHand/BtnStart", "DZShowHand/BtnStart", CCPoint(440, 180));
    SetTotalScorePosition(CCPoint(870, 40));

    m_pUILayer = TouchGroup::create();
    m_pUILayer->scheduleUpdate();
    AddContentChild(m_pUILayer, kUILayerZOrder);
    m_pRootWidget = GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile);
    m_pUILayer->addWidget(m_pRootWidget);

    m_pButtonPanel = GetWidget("Panel_Button");
    if (m_pButtonPanel != nullptr)
    {
        m_pButtonPanel->setPosition(m_pButtonPanel->getPosition() + CCPoint(300, 0));
        m_pButtonPanel->setVisible(false);
        m_ptButtonPanel = m_pButtonPanel->getPosition();
    }
    m_pCardStyleButton = GetWidget("Button_poker_style");
    if (m_pCardStyleButton != nullptr)
    {
        m_pCardStyleButton->addTouchEventListener(this, toucheventselector(DZPoKerBoard::OnCardStyleButton));
        m_ptCardStyleButton = m_pCardStyleButton->getPosition();
    }
    m_pCardStylePanel = GetWidget("Panel_CardStyle");
    if (m_pCardStylePanel != nullptr)
    {
        m_pCardStylePanel->addTouchEventListener(this, toucheventselector(DZPoKerBoard::OnCardStylePanel));
        m_pCardStylePanel->setVisible(false);
        m_pCardStylePanel->setEnabled(false);
        m_pCardStyleImage = UIHelper::seekWidgetByName(m_pCardStylePanel, "Image_cardStyle");
        if (m_pCardStyleImage != nullptr)
            m_ptCardStyleImage = m_pCardStyleImage->getPosition();
    }
    if (Widget* slider = GetWidget("Slider_AddScore"))
        slider->setVisible(false);
    if (Label* label = Take<Label>("Label_AddScore"))
        label->setText("0");
    if (Widget* image = GetWidget("Image_13"))
        image->setVisible(false);

    BuildSeats();
    BuildCards();

    m_pChipLayer = MoveChipAnimation::create();
    m_pChipLayer->setAnchorPoint(CCPoint(0, 0));
    m_pChipLayer->setPosition(CCPointZero);
    AddContentChild(m_pChipLayer, kChipZOrder);
    m_pPotChips = DZPokerColorChip::create();
    m_pPotChips->setAnchorPoint(CCPoint(0, 0));
    m_pPotChips->setPosition(CCPointZero);
    AddContentChild(m_pPotChips, kChipZOrder);
    SetChipSeatPoints();
    m_pPotChips->SetEndCallback([this](int unused) { HideWaitingAndShowStart(unused); });
    m_pTurnTimer = DZPokerProTimer::create();
    m_pTurnTimer->setAnchorPoint(CCPoint(0, 0));
    m_pTurnTimer->setPosition(CCPointZero);
    // Under the hole cards: a card that lands takes z 0 to 3, after the timer
    // was added, so the ring frames the cards instead of covering them.
    AddContentChild(m_pTurnTimer, 0);
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
    {
        if (m_pNameLabel[view] != nullptr)
            m_pTurnTimer->SetSeatPoint(view, m_pNameLabel[view]->getPosition());
    }

    BuildMarks();
    TakeAddScorePanel();
    return CGameBoard::init();
}

void DZPoKerBoard::BuildSeats()
{
    for (int i = 0; i < kActionButtons; ++i)
    {
        Button* button = Take<Button>(Named("Button_choose_%d", i).c_str());
        m_pActionButton[i] = button;
        if (button == nullptr)
            continue;
        button->setTag(i);
        button->addTouchEventListener(this, toucheventselector(DZPoKerBoard::OnActionButton));
        button->setTouchEnabled(false);
        button->setBright(false);
    }
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        m_pSeatImage[view] = GetWidget(Named("Image_Me_%d", view).c_str());
        if (view > 0)
            m_pAllCoinLabel[view] = Take<Label>(Named("Label_ALL_Coin_%d", view).c_str());
        m_pNameLabel[view] = Take<Label>(Named("Label_MyName_%d", view).c_str());
        m_pCoinImage[view] = GetWidget(Named("Image_Coin_%d", view).c_str());
        m_pCoinLabel[view] = Take<Label>(Named("Label_coinNum_%d", view).c_str());
        Widget* hidden[] = {view > 0 ? m_pSeatImage[view] : nullptr, m_pAllCoinLabel[view], m_pNameLabel[view],
                            m_pCoinImage[view], m_pCoinLabel[view]};
        for (Widget* widget : hidden)
        {
            if (widget != nullptr)
                widget->setVisible(false);
        }
        if (m_pSeatImage[view] != nullptr)
            m_ptSeat[view] = m_pSeatImage[view]->getPosition();
        if (view > 0 && m_pSeatImage[view] != nullptr)
        {
            // The seat point carries the hand banner and the winner's mark,
            // which draw below it; the framework's seat panel stands on it,
            // so neither covers the player's name or face, and the ready
            // sign above the panel.
            m_ptSeatPanel[view] = m_ptSeat[view] + CCPoint(0, kSeatPanelRise);
            m_ptStatus[view] = CCPoint(0, 74);
        }
        if (m_pCoinImage[view] != nullptr)
            m_ptTableChip[view] = m_pCoinImage[view]->getPosition();
        if (m_pNameLabel[view] != nullptr)
        {
            for (int k = 0; k < HOLE_CARD_COUNT; ++k)
                m_ptHoleCard[view * 2 + k] = m_pNameLabel[view]->getPosition() + CCPoint(25.0f * k, 0);
        }
    }
}

void DZPoKerBoard::BuildCards()
{
    if (Widget* panel = GetWidget("Panel_Base_Card"))
        panel->setVisible(false);
    m_pFollowLabel = Take<Label>("Label_genzhu");
    if (m_pFollowLabel != nullptr)
    {
        m_pFollowLabel->setFontSize(18);
        m_pFollowLabel->setText("0");
    }
    for (int i = 0; i < MAX_CENTER_COUNT; ++i)
    {
        m_pCardSlot[i] = GetWidget(Named("Image_card_%d", i).c_str());
        const CCPoint place =
            (m_pCardSlot[i] != nullptr ? m_pCardSlot[i]->getPosition() : CCPointZero) + CCPoint(240, 250);
        m_pCenterFace[i] = DZPokerCardSprite::create();
        m_pCenterBack[i] = DZPokerCardSprite::create();
        for (DZPokerCardSprite* card : {m_pCenterFace[i], m_pCenterBack[i]})
        {
            card->setPosition(place);
            card->setScale(0.7f);
            card->setVisible(false);
            AddContentChild(card);
        }
    }
    const CCSize content = GetContentPictureSize();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        for (int k = 0; k < HOLE_CARD_COUNT; ++k)
        {
            DZPokerCardSprite* card = DZPokerCardSprite::create();
            card->SetCardData(CARD_BACK);
            card->setVisible(false);
            card->setPosition(CCPoint(content.width / 2 + 25.0f * k, content.height / 2));
            const int z = chair == 0 ? (k == 0 ? 1000 : 998) : (k == 0 ? 999 : 997);
            AddContentChild(card, z, k);
            m_pHoleCard[chair][k] = card;
        }
    }
}

void DZPoKerBoard::BuildMarks()
{
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        m_pStateImage[view] = Take<ImageView>(Named("Image_State_%d", view).c_str());
        CCPoint sign;
        if (m_pStateImage[view] != nullptr)
        {
            m_pStateImage[view]->setVisible(false);
            sign = m_pStateImage[view]->getPosition();
        }
        CCPoint score;
        if (Widget* node = GetWidget(Named("Label_win_score_%d", view).c_str()))
            score = node->getPosition();
        m_pScorePlate[view] = CCSprite::create("DZShowHand/scorebg.png");
        m_pScorePlate[view]->setPosition(score);
        m_pScorePlate[view]->setVisible(false);
        AddContentChild(m_pScorePlate[view], kChipZOrder + 1);
        m_pScoreLabel[view] = CreateGBKLabel("88888", "Arial", 20);
        const CCSize plate = m_pScorePlate[view]->getContentSize();
        m_pScoreLabel[view]->setPosition(CCPoint(plate.width / 2, plate.height / 2));
        m_pScorePlate[view]->addChild(m_pScoreLabel[view]);
        m_pDealerMark[view] = CCSprite::create("DZShowHand/res/D_User.png");
        m_pDealerMark[view]->setScale(0.5f);
        m_pDealerMark[view]->setVisible(false);
        m_pDealerMark[view]->setPosition(sign + CCPoint(view == 5 ? -30.0f : 30.0f, -30));
        AddContentChild(m_pDealerMark[view], kDealerZOrder);
    }
}

void DZPoKerBoard::TakeAddScorePanel()
{
    m_pAddScorePanel = GetWidget("Panel_Add_Score");
    if (m_pAddScorePanel == nullptr)
        return;
    m_pAddScorePanel->setAnchorPoint(CCPoint(0.5f, 0));
    m_pAddScorePanel->setVisible(false);
    m_pAddScorePanel->setScale(0);
    for (int i = 0; i < 3; ++i)
    {
        Button* button = Take<Button>(Named("Button_Add_Type_%d", i).c_str());
        m_pAddTypeButton[i] = button;
        if (button != nullptr)
        {
            button->setTag(kAddTypeTagBase + i);
            button->setScale(0);
            button->setVisible(false);
            button->setTouchEnabled(false);
            button->setColor(kGrey);
            button->addTouchEventListener(this, toucheventselector(DZPoKerBoard::OnAddTypeButton));
        }
        m_pAddTypeLabel[i] = Take<Label>(Named("Label_Add_Score_%d", i).c_str());
        if (m_pAddTypeLabel[i] != nullptr)
        {
            m_pAddTypeLabel[i]->setFontSize(18);
            m_pAddTypeLabel[i]->setText("0");
        }
    }
}

void DZPoKerBoard::SetChipSeatPoints()
{
    for (uint16_t view = 0; view < GAME_PLAYER; ++view)
        m_pPotChips->SetSeatPoint(view, SeatPointOf(view));
}

void DZPoKerBoard::LayoutMyInfo(Sexy::CBoardDrawUserData* panel)
{
    Widget* face = GetWidget("Image_Me_0");
    Widget* name = GetWidget("Image_MyName_bg");
    Widget* coin = GetWidget("Image_MyCoin_bg");
    const CCPoint facePoint = face != nullptr ? face->getPosition() : CCPointZero;
    const CCPoint namePoint = name != nullptr ? name->getPosition() : CCPointZero;
    const CCPoint coinPoint = coin != nullptr ? coin->getPosition() : CCPointZero;
    for (Widget* widget : {face, name, coin})
    {
        if (widget != nullptr)
            widget->setVisible(false);
    }
    // The two plates and the chip icon are made once: my panel is rebuilt
    // each time I sit down again.
    if (m_pMyCoinPlate == nullptr)
    {
        CCSprite* namePlate = CCSprite::create("DZShowHand/myInfo");
        namePlate->setPosition(namePoint);
        AddContentChild(namePlate);
        CCSprite* coinPlate = CCSprite::create("DZShowHand/myInfo");
        coinPlate->setPosition(coinPoint);
        AddContentChild(coinPlate);
        CCSprite* chip = CCSprite::create("DZShowHand/chouma");
        chip->setAnchorPoint(CCPoint(0, 0));
        chip->setPosition(CCPointZero);
        coinPlate->addChild(chip);
        m_pMyCoinPlate = coinPlate;
    }
    // The name within its plate; the score between the chip at the plate's
    // left end (36 wide) and its right end, as wide either side of its point.
    const float plate = m_pMyCoinPlate->getContentSize().width;
    panel->SetTextLayout(facePoint, namePoint, 22, coinPoint + CCPoint(13, 0), 19, "", plate - 8,
                         2 * (plate / 2 - 36 + 13 - 2));
}

void DZPoKerBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    Sexy::CGameBoard::LayoutGameTable(width, height, maximised, stretchBoth);
}

// --- a new hand --------------------------------------------------------------------

void DZPoKerBoard::ResetHoleCards()
{
    const CCSize content = GetContentPictureSize();
    for (uint16_t chair = 0; chair < GAME_PLAYER; ++chair)
    {
        for (int k = 0; k < HOLE_CARD_COUNT; ++k)
        {
            DZPokerCardSprite* card = m_pHoleCard[chair][k];
            card->stopAllActions();
            card->setVisible(false);
            card->setPosition(CCPoint(content.width / 2 + 25.0f * k, content.height / 2));
            card->setRotation(30);
            card->setScale(0);
            card->setOpacity(255);
            m_pContentRoot->reorderChild(card, chair == 0 ? (k == 0 ? 1000 : 998) : (k == 0 ? 999 : 997));
        }
    }
}

void DZPoKerBoard::ResetGameView()
{
    for (int i = 0; i < GAME_PLAYER; ++i)
    {
        m_lTableBet[i] = 0;
        m_lTotalBet[i] = 0;
    }
    std::memset(m_cbBestFive, 0, sizeof(m_cbBestFive));
    std::memset(m_cbHandClass, 0, sizeof(m_cbHandClass));
    std::memset(m_cbPotWon, 0, sizeof(m_cbPotWon));
    std::memset(m_cbPotIndex, 0, sizeof(m_cbPotIndex));
    m_lPot = 0;
    m_wHighlightChair = INVALID_CHAIR;
    m_HighlightCards.clear();

    for (int i = 0; i < MAX_CENTER_COUNT; ++i)
    {
        for (DZPokerCardSprite* card : {m_pCenterFace[i], m_pCenterBack[i]})
        {
            card->stopAllActions();
            card->setVisible(false);
            card->setOpacity(255);
            card->setScale(0.7f);
        }
    }
    ResetHoleCards();
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        if (m_pNameLabel[view] != nullptr)
            m_pNameLabel[view]->setVisible(false);
        if (m_pCoinLabel[view] != nullptr)
        {
            m_pCoinLabel[view]->setText("0");
            m_pCoinLabel[view]->setVisible(false);
        }
    }
    m_bChipPlaced = false;
    m_bAddPanelOpen = false;
    m_nPopStep = 0;
    TakeAddScorePanel();
    for (int view = 0; view < GAME_PLAYER; ++view)
    {
        m_pScorePlate[view]->setVisible(false);
        m_pDealerMark[view]->setVisible(false);
    }
    for (CCNode* node : m_ResultNodes)
    {
        if (node == m_pHandTypeContainer)
            m_pHandTypeContainer = nullptr;
        node->removeFromParentAndCleanup(true);
        node->release();
    }
    m_ResultNodes.clear();
    if (m_pHandTypeContainer == nullptr)
        m_pHandTypeText = nullptr;
    if (m_pWaiting != nullptr)
        m_pWaiting->removeFromParentAndCleanup(true);
    m_pWaiting = nullptr;
    if (m_pWinnerMark != nullptr)
        m_pWinnerMark->removeFromParentAndCleanup(true);
    m_pWinnerMark = nullptr;
}

// --- my actions ----------------------------------------------------------------------

void DZPoKerBoard::ShowMyActions(int32_t mask)
{
    m_nShownMask = mask;
    scheduleOnce(schedule_selector(DZPoKerBoard::OnShowMyActions), 0.5f);
}

void DZPoKerBoard::EnableAddType(int index, bool enable)
{
    Button* button = m_pAddTypeButton[index];
    if (button == nullptr)
        return;
    button->setTouchEnabled(enable);
    button->setColor(enable ? ccWHITE : kGrey);
}

void DZPoKerBoard::OnShowMyActions(float)
{
    const int32_t mask = m_nShownMask;
    if (mask < MASK_GIVE_UP_ALL_IN || mask > MASK_ADD_3)
        return;
    // A button comes back enabled: taking the buttons away after my last
    // action disabled them.
    auto offer = [](Button* button, bool on) {
        if (button == nullptr)
            return;
        button->setEnabled(on);
        button->setTouchEnabled(on);
        button->setBright(on);
    };
    if (mask >= 1)
    {
        for (int i = 0; i < mask; ++i)
            EnableAddType(i, true);
        if (m_pButtonPanel != nullptr)
            m_pButtonPanel->setVisible(true);
        offer(m_pActionButton[kAddButton], true);
    }
    DZPoKerHandler* handler = Handler();
    const int64_t followShow = handler != nullptr ? handler->m_lFollowShow : 0;
    if (mask >= MASK_FOLLOW)
    {
        offer(m_pActionButton[kFollowButton], followShow != 0);
        offer(m_pActionButton[kPassButton], followShow == 0);
    }
    if (m_pFollowLabel != nullptr)
    {
        m_pFollowLabel->setText(FormatShortAmount(followShow));
        // The amount is the follow button's: with no follow to make it would
        // stand over a dimmed button as a lone 0.
        m_pFollowLabel->setVisible(mask >= MASK_FOLLOW && followShow != 0);
    }
    if (m_pButtonPanel != nullptr)
        m_pButtonPanel->setVisible(true);
    offer(m_pActionButton[kGiveUpButton], true);
    offer(m_pActionButton[kAllInButton], true);
}

void DZPoKerBoard::ShowActionButton(int index, bool show)
{
    if (m_pButtonPanel != nullptr)
        m_pButtonPanel->setVisible(show);
    if (index < 0 || index >= kActionButtons || m_pActionButton[index] == nullptr)
        return;
    m_pActionButton[index]->setEnabled(show);
    m_pActionButton[index]->setTouchEnabled(show);
}

void DZPoKerBoard::ShowAddScorePanel(bool show)
{
    m_bAddPanelOpen = show;
    m_nPopStep = 0;
    if (m_pAddScorePanel != nullptr)
    {
        m_pAddScorePanel->stopAllActions();
        m_pAddScorePanel->setVisible(show);
        m_pAddScorePanel->setScale(0);
        if (show)
            m_pAddScorePanel->runAction(
                CCSequence::create(CCEaseBounceInOut::create(CCScaleTo::create(0.1f, 1.0f)),
                                   CCCallFunc::create(this, callfunc_selector(DZPoKerBoard::PopAddButtons)), nullptr));
    }
    DZPoKerHandler* handler = Handler();
    const int64_t cell = handler != nullptr ? handler->m_lCellScore : 0;
    for (int i = 0; i < 3; ++i)
    {
        if (Button* button = m_pAddTypeButton[i])
        {
            button->stopAllActions();
            button->setScale(0);
            button->setVisible(show);
            if (!show)
                button->setTouchEnabled(false);
        }
        if (m_pAddTypeLabel[i] != nullptr)
            m_pAddTypeLabel[i]->setText(std::to_string(cell * (i + 1)));
    }
}

void DZPoKerBoard::PopAddButtons()
{
    const int step = m_nPopStep++;
    if (step > 2 || m_pAddTypeButton[step] == nullptr)
        return;
    CCFiniteTimeAction* pop = CCEaseBounceInOut::create(CCScaleTo::create(0.2f, 1.0f));
    if (step < 2)
        m_pAddTypeButton[step]->runAction(
            CCSequence::create(pop, CCCallFunc::create(this, callfunc_selector(DZPoKerBoard::PopAddButtons)), nullptr));
    else
        m_pAddTypeButton[step]->runAction(pop);
}

void DZPoKerBoard::OnActionButton(CCObject* sender, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED)
        return;
    DZPoKerHandler* handler = Handler();
    auto* button = dynamic_cast<Widget*>(sender);
    if (handler == nullptr || button == nullptr)
        return;
    const int tag = button->getTag();
    if (tag == kAddButton)
    {
        if (m_bAddPanelOpen)
        {
            ShowAddScorePanel(false);
            handler->OnAddScore(1);
        }
        else
        {
            ShowAddScorePanel(true);
        }
        return;
    }
    ShowAddScorePanel(false);
    switch (tag)
    {
        case kGiveUpButton: handler->OnGiveUp(); break;
        case kPassButton: handler->OnPass(); break;
        case kFollowButton: handler->OnFollow(); break;
        case kAllInButton: handler->OnAllIn(); break;
        default: break;
    }
}

void DZPoKerBoard::OnAddTypeButton(CCObject* sender, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED)
        return;
    DZPoKerHandler* handler = Handler();
    auto* button = dynamic_cast<Widget*>(sender);
    if (handler == nullptr || button == nullptr)
        return;
    ShowAddScorePanel(false);
    handler->OnAddScore(button->getTag() - (kAddTypeTagBase - 1));
}

void DZPoKerBoard::OnCardStyleButton(CCObject*, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED || m_pCardStylePanel == nullptr)
        return;
    m_pCardStylePanel->setVisible(true);
    m_pCardStylePanel->setEnabled(true);
    if (m_pCardStyleImage != nullptr)
    {
        m_pCardStyleImage->stopAllActions();
        m_pCardStyleImage->setScaleX(1.0f);
        m_pCardStyleImage->setScaleY(0);
        m_pCardStyleImage->runAction(CCScaleTo::create(0.2f, 1.0f));
    }
}

void DZPoKerBoard::OnCardStylePanel(CCObject*, TouchEventType event)
{
    if (event != TOUCH_EVENT_ENDED || m_pCardStylePanel == nullptr)
        return;
    m_pCardStylePanel->setVisible(false);
    m_pCardStylePanel->setEnabled(false);
}

void DZPoKerBoard::ShowSeatAction(uint16_t view, int32_t actionCode)
{
    if (view >= GAME_PLAYER || m_pStateImage[view] == nullptr)
        return;
    const char* name = actionCode == ACTION_FOLLOW          ? "Follow_score"
                       : actionCode >= 1 && actionCode <= 3 ? "Add_score"
                       : actionCode == ACTION_PASS          ? "Pass_card"
                       : actionCode == ACTION_GIVE_UP       ? "Give_up"
                       : actionCode == ACTION_ALL_IN        ? "All_in"
                                                            : nullptr;
    ImageView* sign = m_pStateImage[view];
    sign->stopAllActions();
    // A code the table has no sign for shows none (rather than a missing picture).
    if (name == nullptr)
    {
        sign->setVisible(false);
        return;
    }
    sign->loadTexture((std::string("DZShowHand/res/") + name + ".png").c_str());
    sign->setVisible(true);
    sign->runAction(CCBlink::create(1.5f, 4));
}

std::string DZPoKerBoard::FormatShortAmount(int64_t amount)
{
    const std::string digits = std::to_string(amount);
    switch (digits.size())
    {
        case 0:
        case 1:
        case 2:
        case 3: return digits;
        case 4: return digits.substr(0, 1) + "." + digits.substr(1, 1) + "k";
        case 5: return digits.substr(0, 1) + "." + digits.substr(1, 2) + "w";
        case 6: return digits.substr(0, 2) + "." + digits.substr(2, 1) + "w";
        default: return digits.substr(0, digits.size() - 4) + "w";
    }
}

}  // namespace DZPoKer
