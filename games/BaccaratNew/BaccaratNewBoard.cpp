// The board's construction, the chips and the bets, the banker and the info
// panels.
#include "games/BaccaratNew/BaccaratNewBoard.h"

#include "core/ClientGlobal.h"
#include "games/BaccaratNew/BaccaratNewHandler.h"
#include "games/BaccaratNew/BaccaratNewMobile.h"
#include "games/common/BoardWidgets.h"
#include "games/common/CreateNode.h"
#include "games/common/RecordStrip.h"
#include "games/framework/BoardArt.h"
#include "games/framework/CardSprite.h"
#include "ui/VisibleRect.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace BaccaratNew {

namespace {

const char* const kLayoutFile = "BaccaratNew/UI/BaccaratNew-PC/BaccaratNew-PC.ExportJson";
const char* const kChipButtons[BaccaratNewBoard::kChipCount] = {"Button_100", "Button_1000", "Button_1W",
                                                                 "Button_10W", "Button_100W", "Button_500W"};
const char* const kChipPictures[BaccaratNewBoard::kChipCount] = {"BT_100_normal",     "BT_1000_normal",
                                                                  "BT_1wan_normal",    "BT_10wan_normal",
                                                                  "BT_1baiwan_normal", "BT_5baiwan_normal"};
// The areas' highlight frames; each area's button is its frame's name + "_BTN".
const char* const kAreaFrames[AREA_COUNT] = {"FRAME_XIAN_JIA",         "FRAME_PING_JIA",       "FRAME_ZHUANG_JIA",
                                             "FRAME_XIAN_TIAN_WANG",   "FRAME_ZHUANG_TIAN_WANG",
                                             "FRAME_TONG_DIAN_PING",   "FRAME_XIAN_JIA_TOP",   "FRAME_ZHUANG_JIA_TOP"};
const ccColor3B kMyStakeColour = {255, 255, 0};

std::string Lld(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(value));
    return text;
}

}  // namespace

const int64_t BaccaratNewBoard::kChipValues[kChipCount] = {100, 1000, 10000, 100000, 1000000, 5000000};
constexpr int BaccaratNewBoard::kRoadCellTag[3];

BaccaratNewBoard::BaccaratNewBoard() : m_pRoads(new CRecord()) {}

BaccaratNewBoard::~BaccaratNewBoard()
{
    if (BaccaratNewMobile::GetBoard() == this)
        BaccaratNewMobile::SetBoard(nullptr);
}

BaccaratNewBoard* BaccaratNewBoard::create() { return games::CreateNode<BaccaratNewBoard>(); }

BaccaratNewHandler* BaccaratNewBoard::Handler() const { return BaccaratNewMobile::GetHandler(); }

tagUserData* BaccaratNewBoard::UserAt(uint16_t chair) const
{
    BaccaratNewHandler* handler = Handler();
    return handler != nullptr && chair != INVALID_CHAIR ? handler->GetTableUserData(chair) : nullptr;
}

tagUserData* BaccaratNewBoard::MyUser() const { return UserAt(MyChair()); }

bool BaccaratNewBoard::IsMeBanker() const { return IsMyChair(m_wBankerChair); }

Widget* BaccaratNewBoard::GetWidget(const char* name) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByName(name) : nullptr;
}

std::string BaccaratNewBoard::LabelText(const char* name) const { return games::WidgetText(m_pUILayer, name); }

// --- construction ------------------------------------------------------------------------------

bool BaccaratNewBoard::init()
{
    if (!CCLayer::init())
        return false;
    setKeypadEnabled(true);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (BaccaratNewHandler* handler = Handler())
        handler->PlayBackgroundMusic("BaccaratNew/music/BACK_GROUND");
    InitGameTable("BaccaratNew/Tile", "BaccaratNew/BG", nullptr, CCPointZero);
    AddGameTitle("BaccaratNew/LOGO");

    m_pUILayer = TouchGroup::create();
    m_pLayout = GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile);
    if (m_pLayout != nullptr)
        m_pUILayer->addWidget(m_pLayout);
    AddContentChild(m_pUILayer, kLayoutZ);

    // The deal and the result pieces lie over the layout; the chart window
    // hides them.
    m_pOverlay = CCLayer::create();
    m_pOverlay->setPosition(CCPointZero);
    AddContentChild(m_pOverlay, kOverlayZ);

    InitButtons();
    InitAreaLabels();
    InitGameEndAnimation();
    InitRecordLists();

    const float top = VisibleRect::top().y;
    if (Widget* tip = GetWidget("BET_TIP"))
    {
        tip->setZOrder(11);
        tip->setPosition(CCPoint(511, top + 1300));
    }
    if (Widget* end = GetWidget("GAME_END"))
    {
        end->setZOrder(100);
        end->setPosition(CCPoint(511, top + 1300));
        end->setVisible(false);
    }
    if (Widget* frame = GetWidget("GAME_END_FRAME"))
    {
        frame->setPosition(CCPoint(513, top + 1300));
        frame->setVisible(false);
    }
    if (Widget* chart = GetWidget("Image_CHART"))
    {
        chart->setPosition(CCPoint(VisibleRect::center().x, top + 900));
        chart->setVisible(false);
    }

    InitAreaFrames();
    HideAreaFrames();
    UpdateClockDisplay();
    ResetGameView();

    m_Records.clear();
    BaccaratNewMobile::SetBoard(this);
    schedule(schedule_selector(BaccaratNewBoard::CheckResultPanel), 1.0f);
    return CGameBoard::init();
}

void BaccaratNewBoard::Listen(Widget* widget, int tag)
{
    if (widget == nullptr)
        return;
    widget->setTag(tag);
    widget->setTouchEnabled(true);
    widget->addTouchEventListener(this, toucheventselector(BaccaratNewBoard::OnWidgetTouch));
}

void BaccaratNewBoard::InitButtons()
{
    for (int i = 0; i < kChipCount; ++i)
    {
        Widget* chip = GetWidget(kChipButtons[i]);
        Listen(chip, kChipTagBase + i);
        m_ChipRow.Add(chip, kChipValues[i]);
    }
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
    {
        const std::string name = std::string(kAreaFrames[area]) + "_BTN";
        m_pAreaButtons[area] = GetWidget(name.c_str());
        Listen(m_pAreaButtons[area], kAreaTagBase + area);
        // Chips land round the button's middle: widely on the three main
        // areas, closer on the small ones.
        games::ChipScatter scatter;
        scatter.yFirst = true;
        if (area <= AREA_ZHUANG)
        {
            scatter.x = -80;
            scatter.y = -80;
            scatter.width = 121;
            scatter.height = 111;
        }
        else
        {
            scatter.x = -40;
            scatter.y = -40;
            scatter.width = 51;
            scatter.height = 51;
        }
        m_ChipPile.SetArea(area + 1, m_pAreaButtons[area], CCPointZero, scatter);
    }
    m_pApplyButton = GetWidget("BT_APPLY_BANKER_01");
    m_pCancelButton = GetWidget("BT_CANCEL_APPLY_01");
    Listen(m_pApplyButton, kApplyTag);
    Listen(m_pCancelButton, kCancelTag);
    Listen(GetWidget("Button_Left"), kLeftTag);
    Listen(GetWidget("Button_Right"), kRightTag);
    Listen(GetWidget("Button_Top"), kTopTag);
    Listen(GetWidget("Button_Bottom"), kBottomTag);
    Listen(GetWidget("Button_CHART_CLOSE"), kChartCloseTag);
    Listen(GetWidget("Button_CHART"), kChartTag);
    Listen(GetWidget("Button_Bank"), kBankTag);
}

void BaccaratNewBoard::InitAreaLabels()
{
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
    {
        char name[24];
        std::snprintf(name, sizeof(name), "Image_%02d", area);
        if (Widget* mark = GetWidget(name))
        {
            mark->setZOrder(1);
            mark->setVisible(false);
        }
        std::snprintf(name, sizeof(name), "Label_%03d", area);
        if (auto* mine = dynamic_cast<Label*>(GetWidget(name)))
        {
            mine->setZOrder(1);
            mine->setVisible(false);
            mine->setFontSize(24);
            mine->setColor(kMyStakeColour);
        }
        std::snprintf(name, sizeof(name), "Label_%04d", area);
        if (Widget* total = GetWidget(name))
        {
            total->setZOrder(1);
            total->setVisible(false);
        }
    }
}

void BaccaratNewBoard::InitAreaFrames()
{
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
        m_pAreaFrames[area] = GetWidget(kAreaFrames[area]);
}

void BaccaratNewBoard::HideAreaFrames()
{
    for (Widget* frame : m_pAreaFrames)
        if (frame != nullptr)
            frame->setVisible(false);
}

void BaccaratNewBoard::SetAreasEnabled(bool enabled)
{
    for (Widget* button : m_pAreaButtons)
        if (button != nullptr)
            button->setTouchEnabled(enabled);
}

void BaccaratNewBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

void BaccaratNewBoard::ResetGameView()
{
    m_cbStatus = GS_FREE;
    m_lSelectedChip = 0;
    m_Bets.Clear();
    m_lMyAllowance = 0;
    m_lMyBankerScore = 0;
    m_wBankerChair = INVALID_CHAIR;
    m_lBankerScore = 0;
    m_lBankerWin = 0;
    m_lBankerWinKept = 0;
    m_wBankerRounds = 0;
    m_bSystemBanker = false;
    m_lBankerCondition = 0;
    m_lAreaLimit = 0;
    m_bApplied = false;
    m_Queue.Clear();
    m_nWonAreas = 0;
    m_nLostAreas = 0;
    ForgetRoundCounts();
    m_lRunningTotal = 0;
    ClearTable();
    games::SetButtonEnabled(m_pApplyButton, false);
    if (m_pApplyButton != nullptr)
        m_pApplyButton->setVisible(true);
    if (m_pCancelButton != nullptr)
        m_pCancelButton->setVisible(false);
}

// --- the chips and the bets --------------------------------------------------------------------

int64_t BaccaratNewBoard::GetMaxBet(int area) const
{
    if (MyChair() == INVALID_CHAIR || MyUser() == nullptr || area < 0 || area >= static_cast<int>(AREA_COUNT))
        return 0;
    // The banker's worst case over every outcome that lets the area win:
    // one of each group wins, the asked area's group is forced to it.
    static const int kNone = -1;
    const int groups[4][4] = {{AREA_XIAN_DUI, kNone, kNone, kNone},
                              {AREA_ZHUANG_DUI, kNone, kNone, kNone},
                              {AREA_XIAN, AREA_PING, AREA_ZHUANG, kNone},
                              {AREA_XIAN_TIAN_WANG, AREA_TONG_DIAN_PING, AREA_ZHUANG_TIAN_WANG, kNone}};
    const int choices[4] = {2, 2, 3, 4};
    int forced[4] = {kNone, kNone, kNone, kNone};
    for (int g = 0; g < 4; ++g)
        for (int c = 0; c < choices[g]; ++c)
            if (groups[g][c] == area)
                forced[g] = c;
    bool first = true;
    int64_t worst = 0;
    for (int a = 0; a < choices[0]; ++a)
        for (int b = 0; b < choices[1]; ++b)
            for (int c = 0; c < choices[2]; ++c)
                for (int d = 0; d < choices[3]; ++d)
                {
                    const int pick[4] = {forced[0] != kNone ? forced[0] : a, forced[1] != kNone ? forced[1] : b,
                                         forced[2] != kNone ? forced[2] : c, forced[3] != kNone ? forced[3] : d};
                    bool wins[AREA_COUNT] = {};
                    for (int g = 0; g < 4; ++g)
                        if (groups[g][pick[g]] != kNone)
                            wins[groups[g][pick[g]]] = true;
                    int64_t balance = m_lBankerScore;
                    for (int x = 0; x < static_cast<int>(AREA_COUNT); ++x)
                    {
                        // A tie returns the player and banker stakes.
                        if (wins[AREA_PING] && (x == AREA_XIAN || x == AREA_ZHUANG))
                            continue;
                        const int64_t stake = m_Bets.Total(x + 1);
                        if (wins[x])
                            balance = games::SaturatingSub(balance,
                                                           games::SaturatingMul(kAreaMultiple[x] - 1, stake));
                        else
                            balance = games::SaturatingAdd(balance, stake);
                    }
                    if (first || balance < worst)
                        worst = balance;
                    first = false;
                }
    const int64_t areaRoom = games::SaturatingSub(m_lAreaLimit, m_Bets.Total(area + 1));
    const int64_t myRoom = games::SaturatingSub(m_lMyAllowance, m_Bets.MySum());
    const int64_t bankerRoom = worst / (kAreaMultiple[area] - 1);
    const int64_t best = std::min(areaRoom, std::min(myRoom, bankerRoom));
    return best > 0 ? best : 0;
}

void BaccaratNewBoard::UpdateControls()
{
    BaccaratNewHandler* handler = Handler();
    const uint8_t kernelStatus = handler != nullptr ? handler->GetGameStatus() : GS_FREE;
    const int64_t before = m_lSelectedChip;
    if ((!m_bSystemBanker && m_wBankerChair == INVALID_CHAIR) || kernelStatus != GS_PLACE_BET || IsMeBanker())
    {
        m_ChipRow.DisableAll();
        m_lSelectedChip = 0;
    }
    else
    {
        int64_t best = 0;
        for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
            best = std::max(best, GetMaxBet(area));
        const size_t usable = m_ChipRow.Limit(best);
        m_lSelectedChip = games::LimitSelectedChip(m_lSelectedChip, kChipValues, usable, 0);
    }
    // The cursor shows the chip a bet is made with.
    if (m_lSelectedChip != before && m_pChipCursor != nullptr)
    {
        if (m_lSelectedChip == 0)
            RemoveChipCursor();
        else
            for (int i = 0; i < kChipCount; ++i)
                if (kChipValues[i] == m_lSelectedChip)
                    SelectChip(i);
    }

    tagUserData* me = MyUser();
    const bool applyEnabled = !IsMeBanker() && !m_bApplied && me != nullptr &&
                              m_lBankerCondition <= m_lMyBankerScore && m_lBankerCondition <= me->lScore;
    games::SetButtonEnabled(m_pApplyButton, applyEnabled);
    // A banker steps down only between rounds.
    const bool cancelEnabled = m_bApplied && !(IsMeBanker() && kernelStatus != GS_FREE);
    games::SetButtonEnabled(m_pCancelButton, cancelEnabled);
    if (m_pCancelButton != nullptr)
        m_pCancelButton->setVisible(m_bApplied);
    if (m_pApplyButton != nullptr)
        m_pApplyButton->setVisible(!m_bApplied);
}

void BaccaratNewBoard::RemoveChipCursor()
{
    if (m_pChipCursor == nullptr)
        return;
    m_pChipCursor->removeFromParentAndCleanup(true);
    m_pChipCursor = nullptr;
}

void BaccaratNewBoard::SelectChip(int index)
{
    Widget* button = m_ChipRow.Button(static_cast<size_t>(index));
    if (button == nullptr)
        return;
    // A new chip takes the place of the old one under the pointer; a first
    // one starts on its button.
    CCNode* table = GetContentRoot();
    CCPoint at = button->convertToWorldSpace(CCPointZero);
    if (m_pChipCursor != nullptr)
        at = m_pChipCursor->getPosition();
    else if (table != nullptr)
        at = table->convertToNodeSpace(at);
    RemoveChipCursor();
    Widget* cursor = button->clone();
    cursor->setTouchEnabled(false);
    cursor->setBright(true);
    cursor->setPosition(at);
    // The cursor lies on the table, scaled and moved with it.
    if (table != nullptr)
        AddContentChild(cursor, kChipCursorZ);
    else
        Dialog::AddDialogChild(this, cursor, kChipCursorZ);
    m_pChipCursor = cursor;
    m_lSelectedChip = kChipValues[index];
}

void BaccaratNewBoard::OnWidgetTouch(CCObject* sender, TouchEventType event)
{
    auto* widget = dynamic_cast<Widget*>(sender);
    if (event != TOUCH_EVENT_BEGAN || widget == nullptr)
        return;
    const int tag = widget->getTag();
    if (tag >= kChipTagBase && tag < kChipTagBase + kChipCount)
    {
        SelectChip(tag - kChipTagBase);
        return;
    }
    if (tag >= kAreaTagBase && tag < kAreaTagBase + static_cast<int>(AREA_COUNT))
    {
        if (m_lSelectedChip != 0)
            PlaceBet(tag - kAreaTagBase);
        return;
    }
    switch (tag)
    {
        case kApplyTag: ApplyBanker(true); break;
        case kCancelTag: ApplyBanker(false); break;
        case kLeftTag: ScrollRecords(-1); break;
        case kRightTag: ScrollRecords(1); break;
        case kChartCloseTag: CloseCharts(); break;
        case kChartTag: OpenCharts(); break;
        case kBankTag: OpenBank(); break;
        default: break;
    }
}

void BaccaratNewBoard::ScrollRecords(int items)
{
    for (const char* name : {"ListView_ZHUANG-XIAN", "ListView_bottom_record"})
        games::ScrollListBy(dynamic_cast<ListView*>(GetWidget(name)), items, 0);
}

void BaccaratNewBoard::PlaceBet(int area)
{
    if (IsMeBanker() || area < 0 || area >= static_cast<int>(AREA_COUNT))
        return;
    BaccaratNewHandler* handler = Handler();
    if (handler == nullptr || handler->GetGameStatus() != GS_PLACE_BET)
    {
        UpdateControls();
        return;
    }
    const int64_t chip = m_lSelectedChip;
    // Counted at once: a refusal comes back as sub 107.
    m_Bets.Add(area + 1, chip, true);
    AddChips(area, chip);
    ShowChips();
    handler->SendPlaceBet(static_cast<uint8_t>(area), chip);
    UpdateControls();
    PlaySound("BaccaratNew/music/ADD_GOLD");
}

void BaccaratNewBoard::ApplyBanker(bool apply)
{
    tagUserData* me = MyUser();
    BaccaratNewHandler* handler = Handler();
    if (me == nullptr || handler == nullptr)
        return;
    // Only applying asks for the banker condition: a player whose score
    // fell below it can always leave the queue or step down.
    if (apply && (m_lBankerCondition > me->lScore || m_lBankerCondition > m_lMyBankerScore))
        return;
    if (apply)
    {
        if (IsMeBanker())
            return;
        handler->SendApplyBanker();
        m_bApplied = true;
    }
    else
    {
        handler->SendCancelBanker();
        m_bApplied = false;
    }
    UpdateControls();
}

void BaccaratNewBoard::AddChips(int area, int64_t amount)
{
    if (area < 0 || area >= static_cast<int>(AREA_COUNT))
        return;
    // However large the amount, an area holds a pile of a few dozen chips;
    // its label says the exact amount.
    std::vector<int>& pending = m_PendingChips[area];
    const size_t held = pending.size() + m_ChipPile.CountOn(area + 1);
    if (held >= kMostChipsPerArea)
        return;
    static const int64_t kDescending[kChipCount] = {5000000, 1000000, 100000, 10000, 1000, 100};
    for (int64_t value : games::SplitIntoChips(amount, kDescending, kChipCount, kMostChipsPerArea - held))
        for (int i = 0; i < kChipCount; ++i)
            if (kChipValues[i] == value)
                pending.push_back(i);
}

void BaccaratNewBoard::ShowChips()
{
    for (int area = 0; area < static_cast<int>(AREA_COUNT); ++area)
    {
        for (int index : m_PendingChips[area])
        {
            ImageView* chip = ImageView::create();
            chip->loadTexture(kChipPictures[index], UI_TEX_TYPE_PLIST);
            chip->setScale(0.7f);
            chip->setAnchorPoint(CCPointZero);
            chip->setZOrder(0);
            m_ChipPile.Lay(area + 1, chip);
        }
        m_PendingChips[area].clear();

        char name[24];
        const int64_t mine = m_Bets.Mine(area + 1);
        const int64_t total = m_Bets.Total(area + 1);
        std::snprintf(name, sizeof(name), "Image_%02d", area);
        Widget* mark = GetWidget(name);
        std::snprintf(name, sizeof(name), "Label_%03d", area);
        Widget* mineLabel = GetWidget(name);
        char totalName[24];
        std::snprintf(totalName, sizeof(totalName), "Label_%04d", area);
        Widget* totalLabel = GetWidget(totalName);
        if (totalLabel != nullptr)
            totalLabel->setColor(ccWHITE);
        if (mine > 0)
        {
            if (mark != nullptr)
                mark->setVisible(true);
            SetLabelText(name, Lld(mine));
            SetLabelText(totalName, "总注: " + Lld(total));
        }
        else
        {
            if (mark != nullptr)
                mark->setVisible(false);
            // A stake taken back leaves no amount of mine on the area.
            if (mineLabel != nullptr)
                mineLabel->setVisible(false);
            if (total > 0)
                SetLabelText(totalName, "总注: " + Lld(total));
            else if (totalLabel != nullptr)
                totalLabel->setVisible(false);
        }
        // However long, an amount stays on its bar or its mark.
        char barName[32];
        std::snprintf(barName, sizeof(barName), "Image_total_bar_%d", area);
        if (Widget* bar = GetWidget(barName))
            Sexy::FitToWidth(totalLabel, bar->getSize().width - kLabelMargin);
        if (mark != nullptr)
            Sexy::FitToWidth(mineLabel, mark->getSize().width - kLabelMargin);
    }
}

void BaccaratNewBoard::OnMouseMove(const CCPoint& point)
{
    CGameBoard::OnMouseMove(point);
    if (m_pChipCursor == nullptr)
        return;
    // The pointer is the window's; the cursor lies on the table, which the
    // window moves and scales as it grows: it goes under the pointer at any
    // window size.
    CCNode* parent = m_pChipCursor->getParent();
    m_pChipCursor->setPosition(parent != nullptr ? parent->convertToNodeSpace(point) : point);
    for (Widget* frame : m_pAreaFrames)
        if (frame != nullptr)
            frame->setVisible(games::WidgetContains(frame, point));
}

void BaccaratNewBoard::OnRButtonUp()
{
    CGameBoard::OnRButtonUp();
    RemoveChipCursor();
}

// --- the panels --------------------------------------------------------------------------------

void BaccaratNewBoard::SetLabelText(const char* name, const std::string& utf8)
{
    Widget* widget = GetWidget(name);
    if (widget == nullptr)
        return;
    widget->setVisible(true);
    games::SetWidgetText(m_pUILayer, name, utf8);
}

void BaccaratNewBoard::ShowWidget(const char* name, const CCPoint& place)
{
    Widget* widget = GetWidget(name);
    if (widget == nullptr)
        return;
    widget->setVisible(true);
    widget->stopAllActions();
    widget->runAction(CCMoveTo::create(0.5f, place));
    if (place.y < VisibleRect::top().y + 200)
        PlaySound("BaccaratNew/music/GAME_START");
}

void BaccaratNewBoard::MoveAway(const char* name, float x, float above)
{
    Widget* widget = GetWidget(name);
    if (widget == nullptr)
        return;
    widget->stopAllActions();
    widget->runAction(CCMoveTo::create(0.2f, CCPoint(x, VisibleRect::top().y + above)));
    widget->setVisible(false);
}

void BaccaratNewBoard::ShowScoreInfo()
{
    const struct
    {
        const char* label;
        int area;
    } rooms[] = {{"SCORE_INFO_ZHUANG", AREA_ZHUANG}, {"SCORE_INFO_XIAN", AREA_XIAN}, {"SCORE_INFO_PING", AREA_PING}};
    for (const auto& room : rooms)
    {
        SetLabelText(room.label, Lld(GetMaxBet(room.area)));
        Sexy::FitToWidth(GetWidget(room.label), kMaxBetWidth);
    }
}

void BaccaratNewBoard::ShowBankerInfo()
{
    std::string name = "无人坐庄";
    int64_t amount = 0;
    tagUserData* banker = UserAt(m_wBankerChair);
    if (m_wBankerChair == INVALID_CHAIR || banker == nullptr)
    {
        if (m_bSystemBanker)
        {
            name = "系统坐庄";
            amount = m_lBankerScore;
        }
    }
    else
    {
        name = games::NickName(banker);
        amount = banker->lScore;
    }
    SetLabelText("BANKER_USERNAME", name);
    SetLabelText("BANKER_MONEY", Lld(amount));
    SetLabelText("BANKER_SCORE", Lld(m_lBankerWin));
    SetLabelText("BANKER_NUMS", std::to_string(m_wBankerRounds));
}

void BaccaratNewBoard::ShowSelfInfo()
{
    tagUserData* me = MyUser();
    if (me == nullptr)
        return;
    SetLabelText("self_username", games::NickName(me));
    SetLabelText("self_money", Lld(me->lScore));
    SetLabelText("self_score", Lld(m_lRunningTotal));
    const int64_t played = static_cast<int64_t>(m_nWonAreas) + m_nLostAreas;
    const double ratio = played >= 1 ? 100.0 * m_nWonAreas / static_cast<double>(played) : 0;
    if (played < 1 || ratio < 0.001)
    {
        SetLabelText("self_mingzhonglv", "无战果");
    }
    else
    {
        char text[32];
        std::snprintf(text, sizeof(text), "%.2f%%", ratio);
        SetLabelText("self_mingzhonglv", text);
    }
}

void BaccaratNewBoard::RefreshBankerList()
{
    for (int row = 0; row < kQueueRows; ++row)
    {
        Widget* item = ListItem("ListView_Wait", row);
        if (item == nullptr)
            continue;
        auto* name = dynamic_cast<Label*>(ItemChild(item, kQueueLabelTag + 10 * row));
        auto* score = dynamic_cast<Label*>(ItemChild(item, kQueueLabelTag + 10 * row + 1));
        if (static_cast<size_t>(row) < m_Queue.Size())
        {
            tagUserData* user = UserAt(m_Queue.At(static_cast<size_t>(row)));
            if (user == nullptr)
                continue;
            // Each in its column: a long name cut, a long score smaller.
            if (name != nullptr)
            {
                name->setText(games::NickName(user));
                Sexy::FitTextToWidth(name, kQueueNameWidth);
            }
            if (score != nullptr)
            {
                score->setText(Lld(user->lScore));
                Sexy::FitToWidth(score, kQueueScoreWidth);
            }
        }
        else
        {
            if (name != nullptr)
                name->setText("    ");
            if (score != nullptr)
                score->setText("    ");
        }
    }
}

}  // namespace BaccaratNew
