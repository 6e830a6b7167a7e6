// The board's construction from its layout, the phases of a round with
// their music, the player's touches (bets, the chip cycle, the panels) and
// my panel.
#include "games/HorseBattle/PaoMaBoard.h"

#include "core/ClientGlobal.h"
#include "games/HorseBattle/HorseBattleMobile.h"
#include "games/HorseBattle/PaoMaHandler.h"
#include "games/common/BankerBetting.h"
#include "games/common/CreateNode.h"
#include "games/framework/GameAudio.h"
#include "ui/VisibleRect.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace HorseBattle {

namespace {

const char* const kLayoutFile = "HorseBattle/UI/PaoMaUI/PaoMaUI.ExportJson";

std::string Format(const char* format, long long value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

// The phase seconds come from the wire as any i32; kept within it.
int32_t Countdown(float seconds)
{
    if (seconds >= 2147483648.0f)
        return std::numeric_limits<int32_t>::max();
    if (seconds <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return seconds == seconds ? static_cast<int32_t>(seconds) : 0;
}

}  // namespace

constexpr int64_t PaoMaBoard::kChipValues[];

PaoMaBoard::PaoMaBoard()
{
    for (uint32_t& odds : m_dwAreaOdds)
        odds = 1;
}

PaoMaBoard::~PaoMaBoard() = default;

PaoMaBoard* PaoMaBoard::create() { return games::CreateNode<PaoMaBoard>(); }

bool PaoMaBoard::init()
{
    if (!CCLayer::init())
        return false;
    setTouchEnabled(true);
    ResetGameView();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const std::string run = Sexy::CGameHandler::ResolveSoundPath("HorseBattle/music/RunBackground");
    if (CCFileUtils::sharedFileUtils()->isFileExist(run))
        Sexy::GetGameAudio()->PreloadMusic(run);
    AddGameTitle("HorseBattle/LOGO");
    InitGameTable("HorseBattle/Tile", "HorseBattle/bm", nullptr, CCPointZero);
    BuildTrack();
    setKeypadEnabled(true);

    m_pWhite = ImageView::create();
    m_pWhite->loadTexture("HorseBattle/white");
    m_pWhite->setPosition(CCPointZero);
    m_pWhite->setVisible(false);
    AddContentChild(m_pWhite, 0);

    m_pUILayer = TouchGroup::create();
    AddContentChild(m_pUILayer, kUILayerZ);
    m_pUILayer->addWidget(GUIReader::shareReader()->widgetFromJsonFile(kLayoutFile));
    InitStartPanel();
    InitHistoryPanel();
    m_pHelpPanel = GetWidget("HelpPanel");
    InitResultPanel();
    BindButtons();
    ShowHelp(false);
    ShowHistory(false);
    ShowResultPanel(false);
    if (m_pWinBox != nullptr)
        m_pWinBox->setVisible(false);

    schedule(schedule_selector(PaoMaBoard::update), 1.0f);
    return CGameBoard::init();
}

void PaoMaBoard::InitStartPanel()
{
    m_pBetPanel = GetWidget("StartPanel");
    SetLabel(GetWidget("Lbl_Myname"), "");
    for (const char* text : {"Txt_1", "Txt_2"})
    {
        if (Widget* widget = GetWidget(text))
            widget->setVisible(false);
    }
    if (Widget* free = GetWidget("Txt_3"))
        free->setVisible(true);
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        for (int tag : {kOddsLabelTag + area, kMyBetLabelTag + area, kWanSignTag + area})
        {
            if (Widget* widget = GetWidgetByTag(tag))
            {
                widget->setVisible(false);
                widget->setTouchEnabled(false);
            }
        }
        Widget* button = GetAreaButton(area);
        if (button == nullptr)
            continue;
        button->addTouchEventListener(this, toucheventselector(PaoMaBoard::OnTouchEvent));
        button->setBright(false);
        Label* floating = Label::create();
        floating->setFontName("Arial");
        floating->setFontSize(30);
        floating->setColor(ccc3(240, 252, 2));
        floating->setText("");
        floating->setVisible(false);
        floating->setAnchorPoint(CCPoint(0.5f, 0.5f));
        floating->setPosition(CCPoint(5, 25));
        button->addChild(floating, 100000);
        m_pFloating[area] = floating;
    }
}

void PaoMaBoard::InitHistoryPanel()
{
    m_pHistoryPanel = GetWidget("HistoryPanel");
    m_pHistoryList = dynamic_cast<ListView*>(GetWidget("ListView_History"));
}

void PaoMaBoard::InitResultPanel()
{
    m_pResultPanel = GetWidget("ResultPanel");
    m_pWinBox = GetWidget("Win_Box");
    if (Widget* close = GetWidget("Btn_ResultClose"))
        close->addTouchEventListener(this, toucheventselector(PaoMaBoard::OnResultClose));
}

void PaoMaBoard::BindButtons()
{
    for (const char* name : {"Btn_HelpClose", "Btn_HistoryClose", "Btn_Help", "Btn_ls", "Btn_xiazhu", "Btn_Bank"})
    {
        if (Widget* button = GetWidget(name))
            button->addTouchEventListener(this, toucheventselector(PaoMaBoard::OnTouchEvent));
    }
}

void PaoMaBoard::LayoutGameTable(int width, int height, bool maximised, bool stretchBoth)
{
    FitContentToPlayArea(width, height, maximised, stretchBoth);
}

void PaoMaBoard::ResetGameView()
{
    m_fTableWidth = 1024;
    m_fTableHeight = kTableHeight;
    m_cbRoundStatus = 0;
    m_wMyViewChair = 0xFFFF;
    for (uint32_t& odds : m_dwAreaOdds)
        odds = 1;
    m_cbFirstHorse = NO_HORSE;
    m_cbSecondHorse = NO_HORSE;
    ClearRaceState();
    ClearRound();
}

// --- the phases ---------------------------------------------------------------------------------

void PaoMaBoard::SetGameState(int state, float seconds)
{
    if (state != kStateFreeScene && state != kStateFree && state != kStateBetting && state != kStateLineUp &&
        state != kStateRace)
        return;
    PaoMaHandler* handler = Handler();
    if (state != kStateRace)
    {
        if (handler != nullptr)
        {
            // The finish's jingle rings out over the free time after the
            // race; a phase with a start of its own stops what still sounds.
            if (state != kStateFree || !m_bFinishSounded)
                handler->StopAllGameSounds();
            handler->StopBackgroundMusic();
            handler->PlayBackgroundMusic(state == kStateBetting ? "HorseBattle/music/ChipBackground"
                                                                : "HorseBattle/music/RunBackground");
        }
        m_bFinishSounded = false;
        // A start clock still due, or still showing (a race entered under
        // way is not run), belongs to a lining-up that is over.
        unschedule(schedule_selector(PaoMaBoard::ShowClock));
        StopClock();
    }
    const int32_t countdown = Countdown(seconds);
    switch (state)
    {
        case kStateFreeScene:
        case kStateFree:
        case kStateBetting:
            m_nCountdown = countdown;
            ResetRace();
            ShowResultPanel(false);
            ShowHelp(false);
            ShowHistory(false);
            ShowBetPanel(true);
            RefreshPhaseTexts();
            RefreshMyPanel();
            RefreshChipLabel();
            break;
        case kStateLineUp:
            // The cycle starts again from its first chip.
            m_lSelectedChip = 1;
            m_lCycleValue = 1;
            m_dwCycleIndex = 0;
            m_nCountdown = countdown;
            ResetRace();
            ShowBetPanel(false);
            ShowHistory(false);
            ShowHelp(false);
            LineUpHorses();
            scheduleOnce(schedule_selector(PaoMaBoard::ShowClock), 3.0f);
            break;
        case kStateRace:
            unschedule(schedule_selector(PaoMaBoard::ShowClock));
            StopClock();
            m_nCountdown = countdown;
            StartRace();
            RunRaceEnd();
            break;
        default: break;
    }
}

void PaoMaBoard::update(float)
{
    if (m_nCountdown > std::numeric_limits<int32_t>::min())
        --m_nCountdown;
    RefreshPhaseTexts();
    RefreshMyPanel();
    RefreshChipLabel();
    RefreshRanking();
}

void PaoMaBoard::RefreshPhaseTexts()
{
    Widget* texts[3] = {GetWidget("Txt_1"), GetWidget("Txt_2"), GetWidget("Txt_3")};
    for (Widget* text : texts)
    {
        if (text != nullptr)
            text->setVisible(false);
    }
    Widget* shown = m_cbRoundStatus == GS_BETTING ? texts[0] : m_cbRoundStatus == GS_LINE_UP ? texts[1] : texts[2];
    if (shown != nullptr)
        shown->setVisible(true);
    if (Widget* time = GetWidget("Lbl_Time"))
    {
        SetLabel(time, Format("%02lld", m_nCountdown));
        time->setVisible(m_nCountdown >= 0);
    }
}

void PaoMaBoard::RefreshMyPanel()
{
    const tagUserData* me = MyRecord();
    if (m_wMyViewChair == 0xFFFF || me == nullptr)
        return;
    if (auto* head = dynamic_cast<ImageView*>(GetWidget("Img_Head")))
    {
        head->loadTexture(
            Format("ChangePhoto/people1-%lld", CClientGlobal::GetUserLevel(me->lScore, me->cbGender)).c_str());
        head->setScale(0.5f);
    }
    SetLabel(GetWidget("Lbl_Myname"), GBKToUTF8String(CClientGlobal::WideToAnsi(FieldText(me->szNickName))));
    SetLabel(GetWidget("Lbl_MyScore"), Format("%lld", static_cast<long long>(me->lScore)));
    int64_t mine = 0;
    int64_t all = 0;
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (Widget* odds = GetWidgetByTag(kOddsLabelTag + area))
        {
            SetLabel(odds, Format(":%lld", static_cast<long long>(m_dwAreaOdds[area])));
            odds->setVisible(true);
        }
        if (m_lMyBets[area] != 0)
        {
            Widget* label = GetWidgetByTag(kMyBetLabelTag + area);
            Widget* wan = GetWidgetByTag(kWanSignTag + area);
            if (label != nullptr)
            {
                SetLabel(label, Format("%lld", static_cast<long long>(m_lMyBets[area] / kChipUnit)));
                label->setVisible(true);
                if (wan != nullptr)
                {
                    wan->setVisible(true);
                    wan->setPositionX(label->getPositionX() + label->getSize().width / 2 + 20);
                }
            }
        }
        mine = games::SaturatingAdd(mine, m_lMyBets[area]);
        all = games::SaturatingAdd(all, m_lAreaTotals[area]);
    }
    SetLabel(GetWidget("MyScore"), Format("%lld", static_cast<long long>(mine)));
    SetLabel(GetWidget("AllScore"), Format("%lld", static_cast<long long>(all)));
}

void PaoMaBoard::RefreshChipLabel()
{
    Widget* score = GetWidget("lblScore");
    SetLabel(score, Format("%lld", static_cast<long long>(m_lCycleValue)));
    Widget* wan = GetWidget("Img_w");
    if (score != nullptr && wan != nullptr)
        wan->setPositionX(score->getPositionX() + score->getSize().width / 2 + wan->getSize().width / 2 + 2);
}

void PaoMaBoard::ShowBetPanel(bool show)
{
    if (m_pBetPanel != nullptr)
    {
        m_pBetPanel->setVisible(show);
        m_pBetPanel->setTouchEnabled(show);
        m_pBetPanel->setPosition(CCPoint(show ? 0 : -VisibleRect::getVisibleRect().size.width, 0));
    }
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (Widget* button = GetAreaButton(area))
            button->setTouchEnabled(show);
    }
}

void PaoMaBoard::ShowResultPanel(bool show)
{
    if (m_pResultPanel == nullptr)
        return;
    m_pResultPanel->setVisible(show);
    m_pResultPanel->setTouchEnabled(show);
}

// The help and the history take the same place over the areas: one shown
// puts the other away, rather than lie half over it.
void PaoMaBoard::ShowHelp(bool show)
{
    if (m_pHelpPanel == nullptr)
        return;
    if (show)
        ShowHistory(false);
    m_pHelpPanel->setVisible(show);
    m_pHelpPanel->setTouchEnabled(show);
}

void PaoMaBoard::ShowHistory(bool show)
{
    if (m_pHistoryPanel == nullptr)
        return;
    if (show)
        ShowHelp(false);
    m_pHistoryPanel->setVisible(show);
    m_pHistoryPanel->setTouchEnabled(show);
}

// --- bets ---------------------------------------------------------------------------------------

void PaoMaBoard::AddAreaBet(uint16_t viewChair, uint8_t area, int64_t amount)
{
    if (!ValidArea(area))
        return;
    if (viewChair == m_wMyViewChair)
    {
        m_lMyBets[area] = games::SaturatingAdd(m_lMyBets[area], amount);
        SetLabel(GetWidgetByTag(kMyBetLabelTag + area), Format("%lld", static_cast<long long>(m_lMyBets[area])));
    }
    m_lAreaTotals[area] = games::SaturatingAdd(m_lAreaTotals[area], amount);
    const int64_t wan = amount / kChipUnit;
    Label* floating = m_pFloating[area];
    if (wan <= 0 || floating == nullptr)
        return;
    // A 64-bit number: "%d" would read half of it.
    floating->setText(Format("%lld万", static_cast<long long>(wan)));
    floating->setVisible(true);
    floating->runAction(CCSequence::create(CCMoveBy::create(0.5f, CCPoint(0, 50)),
                                           CCCallFuncN::create(this, callfuncN_selector(PaoMaBoard::HideFloatingLabel)),
                                           nullptr));
}

void PaoMaBoard::HideFloatingLabel(CCNode* label)
{
    label->setVisible(false);
    label->setPosition(ccpSub(label->getPosition(), CCPoint(0, 50)));
}

void PaoMaBoard::SetAreaTotal(uint8_t area, int64_t amount)
{
    if (ValidArea(area))
        m_lAreaTotals[area] = amount;
}

void PaoMaBoard::ClearRoundBets()
{
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        m_lMyBets[area] = 0;
        m_lAreaTotals[area] = 0;
    }
}

void PaoMaBoard::ClearRound()
{
    ClearRoundBets();
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        m_lLastPlaced[area] = 0;
        m_ePress[area] = kPressNone;
    }
    m_lRoundResult = 0;
    ResetAreaButtons();
}

void PaoMaBoard::SetAreaOdds(const uint32_t odds[AREA_COUNT])
{
    for (int area = 0; area < AREA_COUNT; ++area)
        m_dwAreaOdds[area] = odds[area];
}

void PaoMaBoard::SetRaceResult(uint8_t first, uint8_t second)
{
    m_cbFirstHorse = CheckedHorse(first);
    m_cbSecondHorse = CheckedHorse(second);
}

void PaoMaBoard::ResetAreaButtons()
{
    if (m_pUILayer == nullptr)
        return;
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        for (int tag : {kMyBetLabelTag + area, kWanSignTag + area})
        {
            if (Widget* widget = GetWidgetByTag(tag))
                widget->setVisible(false);
        }
        if (Widget* button = GetAreaButton(area))
        {
            button->setBright(false);
            button->setTouchEnabled(true);
        }
    }
}

void PaoMaBoard::AddRoundToHistory(const RaceRecord& record)
{
    if (m_History.empty() ||
        static_cast<int32_t>(m_History.back().dwRound) < static_cast<int32_t>(record.dwRound))
        AppendHistory(record);
    if (m_History.size() > static_cast<size_t>(HISTORY_KEPT))
        m_History.erase(m_History.begin());
}

void PaoMaBoard::AppendHistory(const RaceRecord& record)
{
    // The area indexes the fifteen pairs: a record of none is not kept.
    if (record.dwWinArea < static_cast<uint32_t>(AREA_COUNT))
        m_History.push_back(record);
}

// --- touches ------------------------------------------------------------------------------------

void PaoMaBoard::OnTouchEvent(CCObject* sender, TouchEventType type)
{
    auto* widget = dynamic_cast<Widget*>(sender);
    if (widget == nullptr)
        return;
    const int tag = widget->getTag();
    if (tag >= kAreaButtonTag && tag < kAreaButtonTag + AREA_COUNT)
    {
        if (type == TOUCH_EVENT_BEGAN)
            OnAreaPressed(tag - kAreaButtonTag);
        else if (type == TOUCH_EVENT_ENDED)
            OnAreaReleased(tag - kAreaButtonTag);
        return;
    }
    if (type != TOUCH_EVENT_BEGAN)
        return;
    switch (tag)
    {
        case kHelpCloseTag: ShowHelp(false); break;
        case kHistoryCloseTag: ShowHistory(false); break;
        case kHelpTag: ShowHelp(m_pHelpPanel != nullptr && !m_pHelpPanel->isVisible()); break;
        case kHistoryTag:
            if (m_pHistoryPanel != nullptr && m_pHistoryPanel->isVisible())
            {
                ShowHistory(false);
            }
            else
            {
                RefreshHistory();
                ShowHistory(true);
            }
            break;
        case kChipTag: StepChipCycle(); break;
        case kBankTag: OpenBank(); break;
        default: break;
    }
}

void PaoMaBoard::OnResultClose(CCObject*, TouchEventType type)
{
    if (type == TOUCH_EVENT_ENDED)
        ShowResultPanel(false);
}

void PaoMaBoard::StepChipCycle()
{
    ++m_dwCycleIndex;
    if (m_lCycleValue == kChipValues[kChipCycle - 1] || m_dwCycleIndex >= static_cast<uint32_t>(kChipCycle))
    {
        m_lCycleValue = kChipValues[0];
        m_dwCycleIndex = 0;
    }
    else
    {
        m_lCycleValue = kChipValues[m_dwCycleIndex];
    }
    m_lSelectedChip = m_lCycleValue;
    RefreshChipLabel();
}

void PaoMaBoard::OnAreaPressed(int area)
{
    m_ePress[area] = kPressNone;
    PaoMaHandler* handler = Handler();
    const tagUserData* me = MyRecord();
    if (m_cbRoundStatus != GS_BETTING || m_wMyViewChair == 0xFFFF || me == nullptr || handler == nullptr)
        return;
    const int64_t amount = games::SaturatingMul(m_lSelectedChip, kChipUnit);
    int64_t mine = 0;
    for (int64_t bet : m_lMyBets)
        mine = games::SaturatingAdd(mine, bet);
    if (m_lSelectedChip == 0 || me->lScore < amount || me->lScore < mine)
        return;
    m_lLastPlaced[area] = amount;
    int64_t bets[AREA_COUNT] = {};
    bets[area] = amount;
    m_ePress[area] = handler->SendBets(bets) ? kPressSent : kPressRefused;
    RefreshMyPanel();
    PlaySound("HorseBattle/music/Button");
}

void PaoMaBoard::OnAreaReleased(int area)
{
    if (m_cbRoundStatus != GS_BETTING)
    {
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("下注未开始！"));
        return;
    }
    if (m_wMyViewChair == 0xFFFF || MyRecord() == nullptr)
        return;
    // The press sent the bet and counted it already: the release only shows
    // what the press did, and asks nothing of the score again.
    const PressOutcome outcome = m_ePress[area];
    m_ePress[area] = kPressNone;
    if (outcome == kPressSent)
    {
        if (Widget* button = GetAreaButton(area))
            button->setBright(true);
        RefreshMyPanel();
    }
    else if (outcome == kPressNone)
    {
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("下注金额超过玩家现有金额，请重新下注！"));
    }
}

// --- lookups ------------------------------------------------------------------------------------

PaoMaHandler* PaoMaBoard::Handler() const { return HorseBattleMobile::GetHandler(); }

const tagUserData* PaoMaBoard::MyRecord() const
{
    PaoMaHandler* handler = Handler();
    const uint16_t me = MyChair();
    return handler != nullptr && me != INVALID_CHAIR ? handler->GetTableUserData(me) : nullptr;
}

Widget* PaoMaBoard::GetWidget(const char* name) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByName(name) : nullptr;
}

Widget* PaoMaBoard::GetWidgetByTag(int tag) const
{
    return m_pUILayer != nullptr ? m_pUILayer->getWidgetByTag(tag) : nullptr;
}

void PaoMaBoard::SetLabel(Widget* widget, const std::string& text)
{
    if (auto* label = dynamic_cast<Label*>(widget))
        label->setText(text);
    else if (auto* atlas = dynamic_cast<LabelAtlas*>(widget))
        atlas->setStringValue(text);
}

std::string PaoMaBoard::LabelText(const char* name) const
{
    Widget* widget = GetWidget(name);
    if (auto* label = dynamic_cast<Label*>(widget))
        return label->getStringValue();
    if (auto* atlas = dynamic_cast<LabelAtlas*>(widget))
        return atlas->getStringValue();
    return std::string();
}

std::string PaoMaBoard::LabelText(int tag) const
{
    Widget* widget = GetWidgetByTag(tag);
    if (auto* label = dynamic_cast<Label*>(widget))
        return label->getStringValue();
    return std::string();
}

}  // namespace HorseBattle
