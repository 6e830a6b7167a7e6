// The board's construction: the layout, the card sprites, the chip and area
// widgets with their labels, the buttons, and the lookups the other parts
// share.
#include "games/TwoCardBanker/TwoCardBoard.h"

#include "core/ClientGlobal.h"
#include "games/TwoCardBanker/TwoCardHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/framework/CardSprite.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace TwoCardBanker {

CTwoCardBoard::CTwoCardBoard(const TableShape& shape) : m_shape(shape), m_bets(shape.areaCount) {}

CTwoCardBoard::~CTwoCardBoard()
{
    // The nodes belong to the tree; the score view is ours while shown.
    CC_SAFE_RELEASE(m_scoreView);
}

std::string CTwoCardBoard::Res(const char* name) const { return std::string(m_shape.folder) + "/" + name; }

bool CTwoCardBoard::InitTable()
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    m_uiLayer = TouchGroup::create();
    if (CTwoCardHandler* handler = Handler())
        handler->PlayBackgroundMusic(Res("Sound/BACK_GROUND.wav").c_str());
    AddGameTitle(Res("LOGO").c_str());
    InitGameTable(Res("Tile").c_str(), Res("BG").c_str(), nullptr, CCPointZero);

    m_layout = GUIReader::shareReader()->widgetFromJsonFile(m_shape.layoutFile);
    if (m_layout == nullptr)
        return false;
    AddContentChild(m_uiLayer);
    m_uiLayer->addWidget(m_layout);

    m_handPoints[0] = ccpAdd(ContentPoint(GetWidget("Image_53")), CCPoint(20, 0));
    m_handPoints[1] = ContentPoint(GetWidget("Image_53_0"));
    m_handPoints[2] = ccpAdd(ContentPoint(GetWidget("Image_53_1")), CCPoint(20, 0));
    m_handPoints[3] = ContentPoint(GetWidget("Image_53_2"));
    for (int hand = 0; hand < HAND_COUNT; ++hand)
    {
        for (int j = 0; j < CARDS_PER_HAND; ++j)
        {
            Sexy::CardSprite* card = Sexy::CardSprite::create();
            if (card == nullptr)
                return false;
            AddContentChild(card);
            card->SetCardData(CARD_BACK);
            card->setPosition(ccpAdd(m_handPoints[0], CCPoint(200, 0)));
            card->setVisible(false);
            m_handCards[hand][j] = card;
        }
    }

    // Chips and areas.
    for (int i = 0; i < kChipButtons; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Button_18_%d", i);
        Widget* chip = GetWidget(name);
        if (chip == nullptr)
            continue;
        chip->setTag(static_cast<int>(m_shape.chipValues[i] + kChipTagOffset));
        chip->addTouchEventListener(this, toucheventselector(CTwoCardBoard::OnChipButton));
        m_chipRow.Add(chip, m_shape.chipValues[i]);
    }
    for (int area = 1; area <= m_shape.areaCount; ++area)
    {
        Widget* widget = GetWidget(m_shape.areaWidgets[area - 1]);
        m_areaWidgets.push_back(widget);
        m_areaMarks.push_back(GetWidget(m_shape.areaMarks[area - 1]));
        if (widget == nullptr)
            continue;
        widget->setTag(area * 10000 + kAreaTagBase);
        widget->setTouchEnabled(true);
        widget->addTouchEventListener(this, toucheventselector(CTwoCardBoard::OnAreaTouched));
        m_chipPile.SetArea(area, m_pContentRoot, ContentPoint(widget), m_shape.chipScatter[area - 1]);
    }
    DisableChipButtons();

    struct
    {
        const char* name;
        SEL_TouchEvent action;
    } const buttons[] = {
        {"Button_43", toucheventselector(CTwoCardBoard::OnBankerListScroll)},
        {"Button_44", toucheventselector(CTwoCardBoard::OnBankerListScroll)},
        {"Button_86", toucheventselector(CTwoCardBoard::OnBankTouched)},
        {"Button_47", toucheventselector(CTwoCardBoard::OnManualOpenButton)},
        {"Button_46", toucheventselector(CTwoCardBoard::OnAutoOpenButton)},
        {"Button_58", toucheventselector(CTwoCardBoard::OnRecordMoveRight)},
        {"Button_59", toucheventselector(CTwoCardBoard::OnRecordMoveLeft)},
    };
    for (const auto& button : buttons)
    {
        if (Widget* widget = GetWidget(button.name))
            widget->addTouchEventListener(this, button.action);
    }
    if (Widget* down = GetWidget("Button_43"))
        down->setTag(kBankerListScrollDown);
    if (Widget* up = GetWidget("Button_44"))
        up->setTag(kBankerListScrollUp);
    m_bankerCheckBox = dynamic_cast<CheckBox*>(GetWidget("CheckBox_87"));
    if (m_bankerCheckBox != nullptr)
        m_bankerCheckBox->addEventListenerCheckBox(this,
                                                   checkboxselectedeventselector(CTwoCardBoard::OnBankerCheckBox));
    m_queue.Attach(dynamic_cast<ListView*>(GetWidget("ListView_45")), m_shape.rows);
    games::BankerPanelStyle panel;
    panel.name = "Label_2_0";
    panel.score = "Label_2";
    panel.rounds = "Label_2_11";
    panel.result = "Label_2_10";
    panel.nameBytes = 8;
    m_bankerPanel.Attach(m_uiLayer, panel);
    m_manualOpenButton = GetWidget("Button_47");
    m_autoOpenButton = GetWidget("Button_46");
    RefreshOpenModeButtons(0);
    m_statusImage = dynamic_cast<ImageView*>(GetWidget("Image_88"));
    m_clock.Attach(GetWidget("AtlasLabel_28"), "%d");

    for (int area = 1; area <= m_shape.areaCount; ++area)
    {
        const CCPoint at = ContentPoint(GetArea(area));
        CCLabelAtlas* total = CCLabelAtlas::create(" ", Res("nember1.png").c_str(), 16, 22, '0');
        total->setVisible(false);
        total->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(total, kAreaLabelZ);
        total->setPosition(ccpAdd(at, CCPoint(0, 15)));
        m_areaTotalLabels[area - 1] = total;
        CCLabelAtlas* mine = CCLabelAtlas::create(" ", Res("nember2.png").c_str(), 12, 16, '0');
        mine->setVisible(false);
        mine->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(mine, kAreaLabelZ);
        mine->setPosition(ccpSub(at, CCPoint(0, 10)));
        m_myBetLabels[area - 1] = mine;
    }
    ClearAreaBets();
    SetLabel("Label_60", "0");
    m_recordItemPicture = Res("GAME_RECORD_MIDDLE.png");
    m_records.Attach(dynamic_cast<ListView*>(GetWidget("ListView_62")), m_shape.recordAppendFrom,
                     m_recordItemPicture.c_str());
    return true;
}

void CTwoCardBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

// --- lookups ------------------------------------------------------------------------------------

tagUserData* CTwoCardBoard::UserAt(int chair) const
{
    CTwoCardHandler* handler = Handler();
    if (handler == nullptr || chair < 0 || chair >= NO_BANKER)
        return nullptr;
    return handler->GetTableUserData(static_cast<uint16_t>(chair));
}

int64_t CTwoCardBoard::MyRecordScore() const
{
    const tagUserData* me = UserAt(m_myChair);
    return me != nullptr ? me->lScore : 0;
}

Widget* CTwoCardBoard::GetWidget(const char* name) const
{
    return m_uiLayer != nullptr ? m_uiLayer->getWidgetByName(name) : nullptr;
}

Widget* CTwoCardBoard::GetArea(int area) const
{
    return ValidArea(area) && area <= static_cast<int>(m_areaWidgets.size()) ? m_areaWidgets[area - 1] : nullptr;
}

Widget* CTwoCardBoard::GetAreaMark(int area) const
{
    return ValidArea(area) && area <= static_cast<int>(m_areaMarks.size()) ? m_areaMarks[area - 1] : nullptr;
}

CCLabelAtlas* CTwoCardBoard::GetTotalLabel(int area) const
{
    return ValidArea(area) ? m_areaTotalLabels[area - 1] : nullptr;
}

CCLabelAtlas* CTwoCardBoard::GetMyBetLabel(int area) const
{
    return ValidArea(area) ? m_myBetLabels[area - 1] : nullptr;
}

Sexy::CardSprite* CTwoCardBoard::GetCard(int hand, int card) const
{
    if (hand < 0 || hand >= HAND_COUNT || card < 0 || card >= CARDS_PER_HAND)
        return nullptr;
    return m_handCards[hand][card];
}

CCPoint CTwoCardBoard::GetHandPoint(int hand) const
{
    return hand >= 0 && hand < HAND_COUNT ? m_handPoints[hand] : CCPointZero;
}

CCSprite* CTwoCardBoard::GetHandIcon(int hand) const
{
    return hand >= 0 && hand < HAND_COUNT ? m_handIcons[hand] : nullptr;
}

CCSprite* CTwoCardBoard::GetResultSprite(int hand) const
{
    return hand >= 0 && hand < HAND_COUNT ? m_resultSprites[hand] : nullptr;
}

CCPoint CTwoCardBoard::ContentPoint(Widget* widget) const
{
    if (widget == nullptr || m_pContentRoot == nullptr)
        return CCPointZero;
    CCNode* parent = widget->getParent();
    if (parent == nullptr)
        return widget->getPosition();
    return m_pContentRoot->convertToNodeSpace(parent->convertToWorldSpace(widget->getPosition()));
}

std::string CTwoCardBoard::LabelText(const char* name) const { return games::WidgetText(m_uiLayer, name); }

// --- small parts --------------------------------------------------------------------------------

void CTwoCardBoard::SetLabel(const char* name, const std::string& text) { games::SetWidgetText(m_uiLayer, name, text); }

void CTwoCardBoard::SetStatusImage(const char* name)
{
    m_statusTexture = Res(name);
    if (m_statusImage != nullptr)
        m_statusImage->loadTexture(m_statusTexture.c_str());
}

void CTwoCardBoard::RefreshMyChair()
{
    const uint16_t chair = MyChair();
    // Without a chair nobody is me: 0xFFFF is also the system banker.
    m_myChair = chair == INVALID_CHAIR ? -1 : chair;
}

void CTwoCardBoard::PlayTableSound(const char* name) { PlaySound(Res(name).c_str()); }

}  // namespace TwoCardBanker
