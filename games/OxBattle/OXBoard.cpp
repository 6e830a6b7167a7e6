// The board's construction: the layout, the card sprites, the chip and area
// widgets and their labels, and the lookups the other parts share.
#include "games/OxBattle/OXBoard.h"

#include "core/ClientGlobal.h"
#include "games/OxBattle/Dice.h"
#include "games/OxBattle/OXHandler.h"
#include "games/OxBattle/OxBattleMobile.h"
#include "games/OxBattle/ScoreView.h"
#include "games/framework/CardSprite.h"
#include "ui/VisibleRect.h"
#include "ui/WindyTopLayer.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace OxBattle {

namespace {

const char* const kLayoutFile = "OxBattle/IngameUI_1/IngameUI_1.ExportJson";
// Hand 0 is the banker's, hands 1 to 4 those of areas 1 to 4.
const char* const kHandAnchors[HAND_COUNT] = {"Image_20_3", "Image_20", "Image_20_2", "Image_20_1", "Image_20_0"};
const char* const kHighlights[AREA_COUNT] = {"Image_34_0", "Image_34", "Image_34_1", "Image_34_1_2"};
const char* const kHoverImages[AREA_COUNT] = {"Image_21", "Image_14", "Image_17", "Image_18"};

}  // namespace

constexpr int OXBoard::kChipValues[];

OXBoard::OXBoard() = default;

OXBoard::~OXBoard() = default;

bool OXBoard::init()
{
    if (!CCLayer::init())
        return false;
    m_pUILayer = TouchGroup::create();
    if (OXHandler* handler = Handler())
        handler->PlayBackgroundMusic("OxBattle/Sound/BACK_GROUND");
    const CCPoint leftTop = VisibleRect::leftTop();
    CClientGlobal::TopLayerHook(WindyTopLayer::sharedTopLayer(), leftTop.x + 50, leftTop.y - 150, 0);
    AddGameTitle("OxBattle/LOGO");
    InitGameTable("OxBattle/Tile", "OxBattle/BG", nullptr, CCPointZero);

    m_pLayout = GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile);
    AddContentChild(m_pUILayer);
    m_pUILayer->addWidget(m_pLayout);

    for (int hand = 0; hand < HAND_COUNT; ++hand)
        m_ptHands[hand] = ContentPoint(GetWidget(kHandAnchors[hand]));
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int i = 0; i < CARDS_PER_HAND; ++i)
        {
            Sexy::CardSprite* card = Sexy::CardSprite::create();
            AddContentChild(card);
            card->SetCardData(Sexy::CardSprite::kCardBack);
            card->setScale(kCardScale);
            card->setPosition(ccpAdd(m_ptHands[0], CCPoint(200, 0)));
            card->setVisible(false);
            m_HandCards[hand].push_back(card);
        }
    }

    InitChipButtons();

    m_pApplyButton = GetWidget("Button_57");
    m_pCancelButton = GetWidget("Button_16");
    Listen(m_pApplyButton, toucheventselector(OXBoard::OnApplyBankerButton));
    Listen(m_pCancelButton, toucheventselector(OXBoard::OnCancelBankerButton));
    games::SetButtonEnabled(m_pApplyButton, true);
    games::SetButtonEnabled(m_pCancelButton, false);
    SetLabel("Label_51_1", "0");
    Listen(GetWidget("Button_2"), toucheventselector(OXBoard::OnRecordLeftButton));
    Listen(GetWidget("Button_3"), toucheventselector(OXBoard::OnRecordRightButton));
    Listen(GetWidget("Button_6"), toucheventselector(OXBoard::OnBankButton));
    // The queue shows four rows: its arrows bring in the rest.
    Listen(GetWidget("Button_queue_up"), toucheventselector(OXBoard::OnQueueScrollUp));
    Listen(GetWidget("Button_queue_down"), toucheventselector(OXBoard::OnQueueScrollDown));
    Listen(GetWidget("Button_4"), toucheventselector(OXBoard::EnableManualOpen));
    Listen(GetWidget("Button_5"), toucheventselector(OXBoard::DisableManualOpen));
    SetManualOpenButtons();
    games::BankerRowStyle rows;
    rows.tagBase = kBankerListTagBase;
    rows.nameFontSize = 16;
    rows.scoreFontSize = 16;
    rows.scoreX = 140;
    rows.nameBytes = 10;
    m_BankerQueue.Attach(dynamic_cast<ListView*>(GetWidget("ListView_29")), rows);
    games::BankerPanelStyle panel;
    panel.name = "Label_8_0";
    panel.score = "Label_8";
    panel.rounds = "Label_8_1_2";
    panel.result = "Label_8_1";
    panel.nobody = "无人上庄";
    panel.nameBytes = 18;
    // A banker who left keeps what the panel showed.
    panel.keepWhenUserMissing = true;
    m_BankerPanel.Attach(m_pUILayer, panel);
    m_Clock.Attach(GetWidget("AtlasLabel_15"), "%02d");

    m_pStateImage = dynamic_cast<ImageView*>(GetWidget("Image_12"));
    SetStateTexture("OxBattle/free");

    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const CCPoint at = ContentPoint(GetArea(area));
        CCLabelAtlas* total = CCLabelAtlas::create(" ", "OxBattle/IngameUI_1/nember1.png", 14, 21, '0');
        total->setVisible(false);
        total->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(total, kAreaLabelZ);
        total->setPosition(ccpAdd(at, CCPoint(0, 80)));
        m_pTotalLabels[area - 1] = total;
        CCLabelAtlas* mine = CCLabelAtlas::create(" ", "OxBattle/IngameUI_1/nember2.png", 14, 20, '0');
        mine->setVisible(false);
        mine->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(mine, kAreaLabelZ);
        mine->setPosition(ccpSub(at, CCPoint(0, 70)));
        m_pMyLabels[area - 1] = mine;
        // Chips land within 60 left or right and 38 up or down of the middle.
        m_ChipPile.SetArea(area, m_pContentRoot, at, games::ChipScatter{-60, -38, 120, 76, true});
        m_pAreaHighlights[area - 1] = GetWidget(kHighlights[area - 1]);
        m_pHoverImages[area - 1] = GetWidget(kHoverImages[area - 1]);
    }
    return CGameBoard::init();
}

void OXBoard::InitChipButtons()
{
    for (int i = 0; i < kChipButtons; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Button_102_%d", i);
        Widget* chip = GetWidget(name);
        if (chip == nullptr)
            continue;
        chip->setTag(kChipValues[i] + kChipTagOffset);
        Listen(chip, toucheventselector(OXBoard::OnChipButton));
        m_ChipRow.Add(chip, kChipValues[i]);
    }
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Image_113_%d", area - 1);
        Widget* widget = GetWidget(name);
        if (widget == nullptr)
            continue;
        widget->setTag(area * 10000 + kAreaTagBase);
        Listen(widget, toucheventselector(OXBoard::OnAreaTouched));
        widget->setTouchEnabled(true);
        m_AreaWidgets.push_back(widget);
    }
    m_ChipRow.DisableAll();
}

void OXBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

// --- lookups ------------------------------------------------------------------------------------

OXHandler* OXBoard::Handler() const { return OxBattleMobile::GetHandler(); }

tagUserData* OXBoard::UserAt(int chair) const
{
    OXHandler* handler = Handler();
    if (handler == nullptr || chair < 0 || chair >= 0xFFFF)
        return nullptr;
    return handler->GetTableUserData(static_cast<uint16_t>(chair));
}

Widget* OXBoard::GetWidget(const char* name) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByName(name) : nullptr;
}

Widget* OXBoard::GetChipButton(int index) const
{
    return index >= 0 ? m_ChipRow.Button(static_cast<size_t>(index)) : nullptr;
}

Widget* OXBoard::GetArea(int area) const
{
    for (Widget* widget : m_AreaWidgets)
    {
        if (widget->getTag() == area * 10000 + kAreaTagBase)
            return widget;
    }
    return nullptr;
}

CCLabelAtlas* OXBoard::GetTotalLabel(int area) const { return ValidArea(area) ? m_pTotalLabels[area - 1] : nullptr; }

CCLabelAtlas* OXBoard::GetMyLabel(int area) const { return ValidArea(area) ? m_pMyLabels[area - 1] : nullptr; }

Sexy::CardSprite* OXBoard::GetCard(int hand, int card) const
{
    if (hand < 0 || hand >= HAND_COUNT || card < 0 || card >= static_cast<int>(m_HandCards[hand].size()))
        return nullptr;
    return m_HandCards[hand][card];
}

CCPoint OXBoard::GetHandPoint(int hand) const { return hand >= 0 && hand < HAND_COUNT ? m_ptHands[hand] : CCPointZero; }

Dice* OXBoard::GetDice() const
{
    return m_pContentRoot != nullptr ? dynamic_cast<Dice*>(m_pContentRoot->getChildByTag(kDiceTag)) : nullptr;
}

CCPoint OXBoard::ContentPoint(Widget* widget) const { return games::PointIn(m_pContentRoot, widget); }

// --- small parts --------------------------------------------------------------------------------

void OXBoard::Listen(Widget* widget, SEL_TouchEvent action)
{
    if (widget != nullptr)
        widget->addTouchEventListener(this, action);
}

std::string OXBoard::LabelText(const char* name) const { return games::WidgetText(m_pUILayer, name); }

void OXBoard::SetStateTexture(const char* picture)
{
    m_szStateTexture = picture;
    if (m_pStateImage != nullptr)
        m_pStateImage->loadTexture(picture);
}

void OXBoard::RefreshMyChair()
{
    const uint16_t chair = MyChair();
    // Without a chair nobody is me: 0xFFFF is also the system banker.
    m_nMyChair = chair == INVALID_CHAIR ? -1 : chair;
}

}  // namespace OxBattle
