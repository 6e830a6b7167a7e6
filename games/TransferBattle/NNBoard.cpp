// The board's construction: the layout, the wheel's points, lights, marker
// and banners, the chip and area widgets with their labels; the player's
// input; the lookups the other parts share.
#include "games/TransferBattle/NNBoard.h"

#include "core/ClientGlobal.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/common/BoardWidgets.h"
#include "games/TransferBattle/ScoreView.h"
#include "games/TransferBattle/TransferBattleMobile.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace TransferBattle {

namespace {

const char* const kLayoutFile = "TransferBattle/NewUi_1/NewUi_1.ExportJson";

// Clockwise from the top, in content pixels.
const CCPoint kWheelPoints[WHEEL_POINTS] = {
    {521, 623}, {599, 608}, {670, 561}, {716, 493}, {727, 423}, {715, 328}, {668, 260}, {604, 213},
    {525, 195}, {436, 217}, {367, 258}, {325, 327}, {306, 424}, {318, 496}, {366, 570}, {438, 611},
};

// In the order of the banners field: the four beasts, then the four groups.
const struct
{
    const char* picture;
    CCPoint at;
} kBanners[8] = {
    {"TransferBattle/images/shengshou_02", {540, 420}}, {"TransferBattle/images/shengshou_06", {540, 420}},
    {"TransferBattle/images/shengshou_07", {540, 420}}, {"TransferBattle/images/shengshou_03", {540, 420}},
    {"TransferBattle/images/shengshou_01", {560, 420}}, {"TransferBattle/images/shengshou_05", {560, 400}},
    {"TransferBattle/images/shengshou_08", {510, 380}}, {"TransferBattle/images/shengshou_04", {520, 420}},
};

}  // namespace

constexpr int NNBoard::kChipValues[];

NNBoard::NNBoard() = default;

NNBoard::~NNBoard() = default;

bool NNBoard::init()
{
    if (!CCLayer::init())
        return false;
    setTouchEnabled(true);
    if (NNHandler* handler = Handler())
        handler->PlayBackgroundMusic("TransferBattle/Sound/BACK_GROUND");
    InitGameTable("TransferBattle/Tile", "TransferBattle/bg2222", nullptr, CCPointZero);
    AddGameTitle("TransferBattle/LOGO");

    m_pUILayer = TouchGroup::create();
    AddContentChild(m_pUILayer);
    m_pUILayer->addWidget(GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile));

    games::BankerPanelStyle panel;
    panel.name = "Label_21_0_0";
    panel.score = "Label_21_0_7";
    panel.rounds = "Label_21_0_5";
    panel.result = "Label_21_0_6";
    panel.nameBytes = 14;
    m_BankerPanel.Attach(m_pUILayer, panel);
    games::BankerRowStyle row;
    row.nameFontSize = 15;
    row.scoreFontSize = 12;
    row.scoreX = 120;
    m_Queue.Attach(dynamic_cast<ListView*>(GetWidget("ListView_20")), row);
    m_Clock.Attach(GetWidget("AtlasLabel_43"), "%d");

    m_pApplyButton = GetWidget("Button_58");
    m_pCancelButton = GetWidget("Button_59");
    Listen(m_pApplyButton, toucheventselector(NNBoard::OnApplyBankerButton));
    Listen(m_pCancelButton, toucheventselector(NNBoard::OnCancelBankerButton));
    Listen(GetWidget("Button_26"), toucheventselector(NNBoard::OnRecordScrollBack));
    Listen(GetWidget("Button_27"), toucheventselector(NNBoard::OnRecordScrollForward));
    Listen(GetWidget("Button_60"), toucheventselector(NNBoard::OnBankButton));
    // The queue shows three rows: its arrows say there may be more, and
    // bring them in.
    Listen(GetWidget("Button_queue_up"), toucheventselector(NNBoard::OnQueueScrollUp));
    Listen(GetWidget("Button_queue_down"), toucheventselector(NNBoard::OnQueueScrollDown));
    // Nobody is queued yet.
    games::SetButtonEnabled(m_pCancelButton, false);

    m_WheelPoints.assign(kWheelPoints, kWheelPoints + WHEEL_POINTS);

    for (int i = 0; i < AREA_COUNT; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Image_113_%d", i);
        m_pAreaImages[i] = GetWidget(name);
    }
    for (int point = 0; point < WHEEL_POINTS; ++point)
    {
        if (Widget* light = GetSlotLight(point))
            light->setVisible(false);
    }

    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        const CCPoint at = ContentPoint(m_pAreaImages[area - 1]);
        CCLabelAtlas* total = CCLabelAtlas::create(" ", "TransferBattle/nember1.png", 14, 22, '0');
        total->setVisible(false);
        total->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(total, kAreaLabelZ);
        total->setPosition(ccpAdd(at, CCPoint(0, 20)));
        m_pTotalLabels[area - 1] = total;
        CCLabelAtlas* own = CCLabelAtlas::create(" ", "TransferBattle/nember2.png", 14, 18, '0');
        own->setVisible(false);
        own->setAnchorPoint(CCPoint(0.5f, 0.5f));
        AddContentChild(own, kAreaLabelZ);
        own->setPosition(ccpSub(at, CCPoint(0, 10)));
        m_pOwnLabels[area - 1] = own;
    }

    // The probe whose position lights the points it passes; never seen.
    m_pMarker = CCSprite::create("TransferBattle/zhuque");
    m_pMarker->setPosition(CCPoint(389, 652));
    AddContentChild(m_pMarker);
    m_pMarker->setVisible(false);
    m_Bets.Clear();

    m_pEndBackground = CCSprite::create("TransferBattle/bg_game_end");
    m_pEndBackground->setPosition(CCPoint(516, 415));
    m_pEndBackground->setVisible(false);
    AddContentChild(m_pEndBackground, kEndBackgroundZ);
    for (int i = 0; i < 8; ++i)
    {
        CCSprite* banner = CCSprite::create(kBanners[i].picture);
        banner->setPosition(kBanners[i].at);
        banner->setVisible(false);
        AddContentChild(banner, kBannerZ);
        m_pBanners[i] = banner;
    }

    m_Records.Attach(dynamic_cast<ListView*>(GetWidget("ListView_30")), kRecordItems, "TransferBattle/border.png");

    SetupChipsAndAreas();
    return CGameBoard::init();
}

void NNBoard::SetupChipsAndAreas()
{
    for (int i = 0; i < kChipButtons; ++i)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Button_12_%d", i);
        Widget* chip = GetWidget(name);
        if (chip == nullptr)
            continue;
        chip->setTag(kChipValues[i]);
        Listen(chip, toucheventselector(NNBoard::OnChipButton));
        m_Chips.Add(chip, kChipValues[i]);
    }
    for (int area = 1; area <= AREA_COUNT; ++area)
    {
        Widget* widget = m_pAreaImages[area - 1];
        if (widget == nullptr)
            continue;
        Listen(widget, toucheventselector(NNBoard::OnBetArea));
        widget->setTouchEnabled(true);
        widget->setTag(area * kAreaTagStep);
    }
    m_Chips.DisableAll();
}

void NNBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

// --- input --------------------------------------------------------------------------------------

void NNBoard::OnChipButton(CCObject* sender, TouchEventType event)
{
    auto* chip = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_ENDED || chip == nullptr)
        return;
    m_nSelectedChip = chip->getTag();
    m_pSelectedChipButton = chip;
    SetSelectedChip(true, m_nSelectedChip);
}

void NNBoard::OnBetArea(CCObject* sender, TouchEventType event)
{
    auto* widget = dynamic_cast<Widget*>(sender);
    NNHandler* handler = Handler();
    if (event != TOUCH_EVENT_BEGAN || widget == nullptr || handler == nullptr || m_nSelectedChip <= 0)
        return;
    const int area = widget->getTag() / kAreaTagStep;
    if (!ValidArea(area))
        return;
    // The table changes only when the server's bet message comes back.
    BetRequest request;
    request.cbArea = static_cast<uint8_t>(area);
    request.lAmount = m_nSelectedChip;
    handler->SendGameData(SUB_C_PLACE_BET, &request, sizeof(request));
}

void NNBoard::OnApplyBankerButton(CCObject*, TouchEventType event)
{
    NNHandler* handler = Handler();
    if (event != TOUCH_EVENT_BEGAN || handler == nullptr)
        return;
    const tagUserData* me = UserAt(m_nMyChair);
    if (me == nullptr || m_nMyChair == -1)
        return;
    if (me->lScore >= m_lBankerMinimum)
    {
        handler->SendGameData(SUB_C_APPLY_BANKER);
        return;
    }
    games::AddRoomMessage(this, games::ApplyBankerRefusal(m_lBankerMinimum));
    games::SetButtonEnabled(m_pApplyButton, true);
}

void NNBoard::OnCancelBankerButton(CCObject*, TouchEventType event)
{
    NNHandler* handler = Handler();
    if (event != TOUCH_EVENT_BEGAN || handler == nullptr)
        return;
    if (m_bFreeTime || !IsMeBanker())
    {
        handler->SendGameData(SUB_C_CANCEL_BANKER);
        return;
    }
    games::SetButtonEnabled(m_pApplyButton, true);
    games::AddRoomMessage(this, games::CancelBankerRefusal());
}

void NNBoard::OnRecordScrollBack(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_Records.List(), -1, 0.3f);
}

void NNBoard::OnRecordScrollForward(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_Records.List(), 1, 0.3f);
}

void NNBoard::OnQueueScrollUp(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_Queue.List(), -1, 0.3f);
}

void NNBoard::OnQueueScrollDown(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        games::ScrollListBy(m_Queue.List(), 1, 0.3f);
}

void NNBoard::OnBankButton(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_ENDED)
        OpenBank();
}

void NNBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    m_nSelectedChip = 0;
    m_pSelectedChipButton = nullptr;
}

// --- lookups ------------------------------------------------------------------------------------

NNHandler* NNBoard::Handler() const { return TransferBattleMobile::GetHandler(); }

tagUserData* NNBoard::UserAt(int chair) const
{
    NNHandler* handler = Handler();
    if (handler == nullptr || chair < 0 || chair >= NO_BANKER)
        return nullptr;
    return handler->GetTableUserData(static_cast<uint16_t>(chair));
}

Widget* NNBoard::GetWidget(const char* name) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByName(name) : nullptr;
}

Widget* NNBoard::GetChipButton(int index) const { return index >= 0 ? m_Chips.Button(static_cast<size_t>(index)) : nullptr; }

Widget* NNBoard::GetArea(int area) const { return ValidArea(area) ? m_pAreaImages[area - 1] : nullptr; }

Widget* NNBoard::GetSlotLight(int point) const
{
    if (point < 0 || point >= WHEEL_POINTS)
        return nullptr;
    char name[24];
    std::snprintf(name, sizeof(name), "Image_11_%d", point);
    return GetWidget(name);
}

CCLabelAtlas* NNBoard::GetTotalLabel(int area) const { return ValidArea(area) ? m_pTotalLabels[area - 1] : nullptr; }

CCLabelAtlas* NNBoard::GetOwnLabel(int area) const { return ValidArea(area) ? m_pOwnLabels[area - 1] : nullptr; }

CCSprite* NNBoard::GetBanner(int index) const { return index >= 0 && index < 8 ? m_pBanners[index] : nullptr; }

const CCPoint& NNBoard::WheelPoint(int point) { return kWheelPoints[((point % WHEEL_POINTS) + WHEEL_POINTS) % WHEEL_POINTS]; }

CCPoint NNBoard::ContentPoint(Widget* widget) const
{
    if (widget == nullptr || m_pContentRoot == nullptr)
        return CCPointZero;
    CCNode* parent = widget->getParent();
    if (parent == nullptr)
        return widget->getPosition();
    return m_pContentRoot->convertToNodeSpace(parent->convertToWorldSpace(widget->getPosition()));
}

std::string NNBoard::LabelText(const char* name) const { return games::WidgetText(m_pUILayer, name); }

// --- small parts --------------------------------------------------------------------------------

void NNBoard::Listen(Widget* widget, SEL_TouchEvent action)
{
    if (widget != nullptr)
        widget->addTouchEventListener(this, action);
}

void NNBoard::SetLabel(const char* name, const std::string& text) { games::SetWidgetText(m_pUILayer, name, text); }

void NNBoard::RefreshMyChair()
{
    const uint16_t chair = MyChair();
    // Without a chair nobody is me: 0xFFFF is also the system banker.
    m_nMyChair = chair == INVALID_CHAIR ? -1 : chair;
}

}  // namespace TransferBattle
