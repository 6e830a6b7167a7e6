// What the result shows: the badges that light up as the car passes and the
// winning badge's flash, the strip of past results, how often each class
// has won, the result panel, the winning car, and the three round banners.
#include "core/ClientGlobal.h"
#include "games/BumperCarBattle/NNBoard.h"
#include "games/framework/BoardArt.h"
#include "ui/GBKLabel.h"

#include <algorithm>
#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace BumperCarBattle {

namespace {

const char* const kWinRecordLabels[AREA_COUNT] = {
    "label_win_record_bsj_d", "label_win_record_bsj_x", "label_win_record_bm_d", "label_win_record_bm_x",
    "label_win_record_bc_d",  "label_win_record_bc_x",  "label_win_record_dz_d", "label_win_record_dz_x",
};

// By brand: bsj, bm, bc, dz.
const char* const kSmallCarWins[4] = {"BumperCarBattle/win_bsj", "BumperCarBattle/win_bm", "BumperCarBattle/win_bc",
                                      "BumperCarBattle/win_dz"};
const char* const kBigCarMovements[4] = {"win_bsj_ani", "win_bm_ani", "win_bc_ani", "win_dz_ani"};

int PositiveMod(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

// The room of each result figure, centred on its point, between the
// panel's captions: the upper two on either side of "返还", the lower one
// after "庄家成绩".
constexpr float kUpperFigureWidth = 78;
constexpr float kLowerFigureWidth = 120;

}  // namespace

// --- track lights -------------------------------------------------------------------------------

void NNBoard::StepTrackLight(CCNode*)
{
    if (Widget* badge = GetTrackBadge(PositiveMod(m_nLampSlot - 1, TRACK_SLOTS)))
    {
        badge->setVisible(true);
        badge->setOpacity(255);
        badge->runAction(CCSequence::create(CCFadeOut::create(0.06f), CCHide::create(), nullptr));
    }
    ++m_nLampSlot;
}

int NNBoard::TrackIndexUnderCar() const
{
    if (m_pCar == nullptr)
        return -1;
    const CCPoint car = m_pCar->getPosition();
    for (int t = 0; t < TRACK_SLOTS; ++t)
    {
        const CCPoint point = TrackPoint(t + 1);
        if (CCRect(point.x - 25, point.y - 25, 50, 50).containsPoint(car))
            return t;
    }
    return -1;
}

void NNBoard::LightTrackUnderCar(float)
{
    Widget* badge = GetTrackBadge(TrackIndexUnderCar());
    if (badge == nullptr)
        return;
    // Lit again each frame the car stays: the light holds still, and a
    // table waiting with the car on its slot draws nothing new.
    badge->stopActionByTag(kUnderCarActionTag);
    badge->setVisible(true);
    if (badge->getOpacity() != 255)
        badge->setOpacity(255);
    CCAction* hold = CCSequence::create(CCDelayTime::create(0.09f), CCHide::create(), nullptr);
    hold->setTag(kUnderCarActionTag);
    badge->runAction(hold);
}

void NNBoard::LightBadgeUnderParkedCar()
{
    // A car that stands keeps its badge lit as the running light would, but
    // without lighting it again every frame: the table sleeps while it waits.
    const int under = TrackIndexUnderCar();
    PutOutParkedBadge(under);
    m_nParkedBadge = under;
    Widget* badge = GetTrackBadge(under);
    if (badge == nullptr)
        return;
    badge->stopActionByTag(kUnderCarActionTag);
    badge->setVisible(true);
    badge->setOpacity(255);
}

void NNBoard::PutOutParkedBadge(int keep)
{
    if (m_nParkedBadge != keep)
    {
        if (Widget* parked = GetTrackBadge(m_nParkedBadge))
        {
            parked->stopActionByTag(kUnderCarActionTag);
            parked->setVisible(false);
        }
    }
    m_nParkedBadge = -1;
}

void NNBoard::FlashResultLight(float)
{
    Widget* badge = GetTrackBadge(m_nCarSlot - 1);
    if (badge == nullptr)
        return;
    badge->setVisible(true);
    badge->setOpacity(255);
    badge->runAction(CCSequence::create(CCFadeOut::create(0.1f), CCHide::create(), nullptr));
}

// --- the history strip --------------------------------------------------------------------------

void NNBoard::AddHistoryColumn(uint8_t trackIndex)
{
    Widget* column = m_History.NextColumn();
    if (column == nullptr)
        return;
    const int cls = trackIndex % AREA_COUNT;
    char picture[48];
    std::snprintf(picture, sizeof(picture), "BumperCarBattle/btn_chqcxbg_%d.png", cls);
    // Big cars below, small cars above.
    games::RecordListStrip::AddMark(column, picture, CCPoint(0, cls % 2 == 0 ? -15 : 15));
    scheduleOnce(schedule_selector(NNBoard::JumpHistoryToEnd), 0);
}

// Byte j of a record is the win of class j: its column and its count.
void NNBoard::AddRecordColumns(const RoundRecord& record)
{
    for (int cls = 0; cls < AREA_COUNT; ++cls)
    {
        if (record.cbWon[cls] != 0)
            AddHistoryColumn(static_cast<uint8_t>(cls));
    }
}

void NNBoard::CountRecord(const RoundRecord& record)
{
    for (int cls = 0; cls < AREA_COUNT; ++cls)
    {
        if (record.cbWon[cls] != 0)
            ++m_dwWinCounts[cls];
    }
}

void NNBoard::JumpHistoryToEnd(float) { m_History.ScrollToEnd(); }

// One column towards the older results, or back towards the newest.
void NNBoard::OnHistoryLeft(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_BEGAN)
        games::ScrollListBy(m_History.List(), -1, 0.3f);
}

void NNBoard::OnHistoryRight(CCObject*, TouchEventType event)
{
    if (event == TOUCH_EVENT_BEGAN)
        games::ScrollListBy(m_History.List(), 1, 0.3f);
}

// --- the win record -----------------------------------------------------------------------------

void NNBoard::RefreshWinRecord()
{
    uint64_t total = 0;
    for (uint32_t count : m_dwWinCounts)
        total += count;
    for (int cls = 0; cls < AREA_COUNT; ++cls)
    {
        // No round counted yet is no share at all, not a division by zero.
        const double share = total == 0 ? 0.0 : static_cast<double>(m_dwWinCounts[cls]) * 100.0 / total;
        char text[32];
        std::snprintf(text, sizeof(text), "%.2f%s", share, "%");
        SetLabel(kWinRecordLabels[cls], text);
    }
}

// --- the result panel and the winning car ---------------------------------------------------------

CCLabelTTF* NNBoard::CreateResultLabel(const char* text, float x, float y, CCTextAlignment alignment,
                                       const ccColor3B& colour)
{
    CCLabelTTF* label = CreateGBKLabel(text, "Arial", 16);
    label->setAnchorPoint(CCPoint(0.5f, 0.5f));
    label->setHorizontalAlignment(alignment);
    label->setVerticalAlignment(kCCVerticalTextAlignmentCenter);
    label->setColor(colour);
    label->setPosition(CCPoint(x, y));
    return label;
}

void NNBoard::ShowResultPanel(const RoundEndMessage& message)
{
    CCSprite* panel = CCSprite::create("BumperCarBattle/bg_result");
    panel->setVisible(false);
    panel->setAnchorPoint(CCPointZero);
    panel->setPosition(CCPoint(100, 10));
    m_pEndBackground->addChild(panel, kResultPanelZ, kResultPanelTag);
    const ccColor3B white = ccc3(255, 255, 255);
    const struct
    {
        int64_t amount;
        float x, y, width;
    } figures[] = {{message.lMyScore, 136, 50, kUpperFigureWidth},
                   {message.lPanelUpperRight, 250, 50, kUpperFigureWidth},
                   {message.lPanelLower, 136, 28, kLowerFigureWidth}};
    for (const auto& f : figures)
    {
        CCNode* label = CreateResultLabel(CClientGlobal::FormatScore(f.amount).c_str(), f.x, f.y,
                                          kCCTextAlignmentCenter, white);
        // A long amount is drawn smaller rather than over the captions.
        Sexy::FitToWidth(label, f.width);
        panel->addChild(label);
    }
}

void NNBoard::ShowResultPanelAfter(float delay)
{
    CCNode* panel = m_pEndBackground->getChildByTag(kResultPanelTag);
    if (panel == nullptr)
        return;
    panel->runAction(CCSequence::create(CCDelayTime::create(delay),
                                        CCCallFuncN::create(this, callfuncN_selector(NNBoard::ShowNode)),
                                        CCFadeIn::create(0.5f), nullptr));
}

void NNBoard::ShowSmallCarWin()
{
    // Slots 2, 4, 6 and 8 (mod 8) are the small cars of bsj, bm, bc and dz.
    const int r = m_nCarSlot % AREA_COUNT;
    CCSprite* win = CCSprite::create(kSmallCarWins[(r == 0 ? 8 : r) / 2 - 1]);
    win->setAnchorPoint(CCPointZero);
    win->setPosition(CCPoint(0, 30));
    m_pEndBackground->addChild(win);
    ShowResultPanelAfter(0.5f);
}

void NNBoard::ShowBigCarWin()
{
    // Slots 1, 3, 5 and 7 (mod 8) are the big cars of bsj, bm, bc and dz.
    const int r = m_nCarSlot % AREA_COUNT;
    CCArmature* car = CCArmature::create("Car");
    car->getAnimation()->play(kBigCarMovements[PositiveMod(r, AREA_COUNT) / 2], -1, -1, -1, 10000);
    car->setPosition(CCPoint(290, 144));
    m_pEndBackground->addChild(car);
    for (Widget* corner : m_pWinCorners)
    {
        if (corner == nullptr)
            continue;
        corner->setVisible(true);
        corner->runAction(CCSequence::create(CCBlink::create(2.0f, 4), CCHide::create(), nullptr));
    }
    ShowResultPanelAfter(2.0f);
}

// --- round banners ------------------------------------------------------------------------------

void NNBoard::ShowBanner(const char* picture, SEL_CallFuncN end)
{
    CCSprite* banner = CCSprite::create(picture);
    banner->setPosition(CCPoint(540, 465));
    banner->setVisible(false);
    banner->setOpacity(0);
    AddContentChild(banner, kBannerZ);
    banner->runAction(CCSequence::create(CCCallFuncN::create(this, callfuncN_selector(NNBoard::ShowNode)),
                                         CCFadeIn::create(2.9f), CCFadeOut::create(0.1f), CCCallFuncN::create(this, end),
                                         nullptr));
}

void NNBoard::ShowGameEndBanner()
{
    ShowBanner("BumperCarBattle/game_end_status", callfuncN_selector(NNBoard::RemoveNode));
}

void NNBoard::ShowChangeBankerBanner()
{
    ShowBanner("BumperCarBattle/change_banker_status", callfuncN_selector(NNBoard::OnChangeBankerBannerEnd));
}

void NNBoard::ShowPlaceJettonBanner()
{
    ShowBanner("BumperCarBattle/place_jetton_status", callfuncN_selector(NNBoard::OnPlaceJettonBannerEnd));
}

void NNBoard::OnChangeBankerBannerEnd(CCNode* banner)
{
    m_pEndBackground->setVisible(false);
    m_pEndBackground->removeAllChildren();
    RemoveNode(banner);
}

void NNBoard::OnPlaceJettonBannerEnd(CCNode* banner)
{
    UpdateChipButtons(m_wBankerChair == NO_BANKER);
    RemoveNode(banner);
}

void NNBoard::ShowNode(CCNode* node)
{
    if (node != nullptr)
        node->setVisible(true);
}

void NNBoard::HideNode(CCNode* node)
{
    if (node != nullptr)
        node->setVisible(false);
}

void NNBoard::RemoveNode(CCNode* node)
{
    if (node != nullptr)
        node->removeFromParentAndCleanup(true);
}

}  // namespace BumperCarBattle
