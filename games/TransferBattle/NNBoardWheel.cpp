// The presentation of a result: the light running round the sixteen points
// and slowing to the stop, the flash there, the banners, the beasts with the
// end dial, the strip of past results and the result panel.
#include "games/TransferBattle/NNBoard.h"
#include "games/TransferBattle/NNHandler.h"
#include "games/TransferBattle/ScoreView.h"
#include "games/framework/BoardArt.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::ui;

namespace TransferBattle {

namespace {

// The four beasts: the sprite, its frames and its sound, at points 0, 4, 8, 12.
const struct
{
    const char* sprite;
    const char* frames;
    const char* sound;
} kBeasts[4] = {
    {"TransferBattle/xuanwu/XuanWu", "TransferBattle/xuanwu/XuanWu_%02d.png", "TransferBattle/Sound/xuanwu"},
    {"TransferBattle/qinglong/QingLong", "TransferBattle/qinglong/QingLong_%02d.png", "TransferBattle/Sound/qinglong"},
    {"TransferBattle/baihu/BaiHu", "TransferBattle/baihu/BaiHu_%02d.png", "TransferBattle/Sound/baihu"},
    {"TransferBattle/zhuque/ZhuQue", "TransferBattle/zhuque/ZhuQue_%02d.png", "TransferBattle/Sound/zhuque"},
};

// Each point's banner, by its index in the banners field: beasts 0 to 3,
// groups {5, 10, 15} 4, {1, 6, 11} 5, {2, 7, 13} 6, {3, 9, 14} 7.
const int kPointBanner[WHEEL_POINTS] = {0, 5, 6, 7, 1, 4, 5, 6, 2, 7, 4, 5, 3, 6, 7, 4};
// The record picture of each banner.
const char* const kBannerRecord[8] = {
    "TransferBattle/btn_chqcxbg_0.png", "TransferBattle/btn_chqcxbg_2.png", "TransferBattle/btn_chqcxbg_4.png",
    "TransferBattle/btn_chqcxbg_6.png", "TransferBattle/btn_chqcxbg_1.png", "TransferBattle/btn_chqcxbg_3.png",
    "TransferBattle/btn_chqcxbg_5.png", "TransferBattle/btn_chqcxbg_7.png",
};

constexpr int kFlashFrames = 10;
constexpr int kBeastFrames = 14;
constexpr int kDialFrames = 11;
constexpr float kFrameDelay = 0.1f;

}  // namespace

// --- pure parts ---------------------------------------------------------------------------------

int NNBoard::StopPointOf(int winSlot)
{
    int point = winSlot - 1;
    if (point < 0)
        point += WHEEL_POINTS;
    return point;
}

std::vector<float> NNBoard::WheelMoveDurations(int stopPoint)
{
    const int n = stopPoint + 48;
    const float a = 6.0f / static_cast<float>(n - 16);
    const float delta = (0.3f - a) * 0.5f;
    std::vector<float> durations;
    durations.reserve(n + 1);
    for (int i = 0; i <= n; ++i)
    {
        float d = 0;
        if (i <= 7)
            d = 0.5f - static_cast<float>(i) * delta;
        else if (i <= n - 8)
            d = 3.0f / static_cast<float>(n);
        else if (i < n)
            d = a + static_cast<float>(i - (n - 7)) * delta;
        else
            d = 0.4f;
        durations.push_back(d > 0 ? d : 0);
    }
    return durations;
}

int NNBoard::BeastOfPoint(int point) { return point >= 0 && point < WHEEL_POINTS && point % 4 == 0 ? point / 4 : -1; }

int NNBoard::BannerOfPoint(int point) { return point >= 0 && point < WHEEL_POINTS ? kPointBanner[point] : -1; }

const char* NNBoard::RecordPicture(int record)
{
    const int banner = BannerOfPoint(record - 1);
    return banner >= 0 ? kBannerRecord[banner] : nullptr;
}

// --- the run ------------------------------------------------------------------------------------

void NNBoard::StartWheel(uint8_t winSlot)
{
    m_Chips.DisableAll();
    m_nRunStart = 1;
    unschedule(schedule_selector(NNBoard::OnWheelTick));
    if (m_pMarker == nullptr)
        return;
    m_pMarker->stopAllActions();
    m_pMarker->setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pMarker->setPosition(WheelPoint(m_nRunStart - 1));
    m_pMarker->setVisible(false);

    // The handler let only 0 to 16 through: the point is 0 to 15.
    m_nStopPoint = StopPointOf(winSlot);
    const std::vector<float> durations = WheelMoveDurations(m_nStopPoint);
    CCArray* steps = CCArray::createWithCapacity(static_cast<unsigned int>(durations.size()) + 2);
    steps->addObject(CCDelayTime::create(0.5f));
    for (size_t i = 0; i < durations.size(); ++i)
    {
        const CCPoint& to = WheelPoint(static_cast<int>(i) % WHEEL_POINTS);
        if (durations[i] > 0)
            steps->addObject(CCMoveTo::create(durations[i], to));
        else
            steps->addObject(CCPlace::create(to));
    }
    steps->addObject(CCCallFunc::create(this, callfunc_selector(NNBoard::OnWheelStopped)));
    m_pMarker->runAction(CCSequence::create(steps));
    schedule(schedule_selector(NNBoard::OnWheelTick), kWheelTick);
}

bool NNBoard::IsWheelRunning() const { return m_pMarker != nullptr && m_pMarker->numberOfRunningActions() > 0; }

void NNBoard::OnWheelTick(float)
{
    // A still marker lights nothing new: the tick ends with the run (a
    // result scene schedules it without one), so a waiting table stays idle.
    if (!IsWheelRunning())
    {
        unschedule(schedule_selector(NNBoard::OnWheelTick));
        return;
    }
    const CCPoint at = m_pMarker->getPosition();
    for (int point = 0; point < WHEEL_POINTS; ++point)
    {
        const CCPoint& p = m_WheelPoints[point];
        if (at.x < p.x - 25 || at.x > p.x + 25 || at.y < p.y - 25 || at.y > p.y + 25)
            continue;
        if (Widget* light = GetSlotLight(point))
        {
            // One light a tick: while the marker stays on a point its light
            // starts its fade again rather than piling fades up.
            light->stopAllActions();
            light->setOpacity(255);
            light->setVisible(true);
            light->runAction(CCSequence::create(CCFadeOut::create(0.3f), CCHide::create(), CCFadeIn::create(0.3f), nullptr));
        }
        return;
    }
}

void NNBoard::OnWheelStopped()
{
    const int point = m_nStopPoint;
    PlayStopFlash(point);
    ShowSlotBanners(point);
    PlayBeastAnimation(point);
    scheduleOnce(schedule_selector(NNBoard::ShowScoreView), kScoreViewDelay);
    m_cbRecordValue = static_cast<uint8_t>(point + 1);
    AppendRecord();
    unschedule(schedule_selector(NNBoard::OnWheelTick));
}

void NNBoard::PlayStopFlash(int point)
{
    if (point < 0 || point >= WHEEL_POINTS)
        return;
    CCSprite* flash = CCSprite::create("TransferBattle/gross/grossini");
    flash->setPosition(WheelPoint(point));
    AddContentChild(flash, kBeastZ);
    flash->setVisible(true);
    RunFrames(flash, "TransferBattle/gross/grossini_dance_%02d.png", 1, kFlashFrames, 1,
              CCSequence::create(CCFadeOut::create(1.0f), CCRemoveSelf::create(), nullptr));
}

void NNBoard::ShowSlotBanners(int point)
{
    const int banner = BannerOfPoint(point);
    // The beasts' banners come with their animation.
    if (banner < 4)
        return;
    if (m_pEndBackground != nullptr)
        m_pEndBackground->setVisible(true);
    if (m_pBanners[banner] != nullptr)
        m_pBanners[banner]->setVisible(true);
}

void NNBoard::PlayBeastAnimation(int point)
{
    const int beast = BeastOfPoint(point);
    if (beast < 0)
        return;
    CCSprite* sprite = CCSprite::create(kBeasts[beast].sprite);
    sprite->setPosition(WheelPoint(point));
    AddContentChild(sprite, kBeastZ);
    sprite->setVisible(true);
    if (m_pEndBackground != nullptr)
        m_pEndBackground->setVisible(true);
    if (m_pBanners[beast] != nullptr)
        m_pBanners[beast]->setVisible(true);
    PlayEndDial();
    RunFrames(sprite, kBeasts[beast].frames, 1, kBeastFrames, 1,
              CCSequence::create(CCFadeOut::create(2.0f), CCRemoveSelf::create(), nullptr));
    PlaySound(kBeasts[beast].sound);
}

void NNBoard::PlayEndDial()
{
    for (int i = 0; i < 2; ++i)
    {
        CCSprite* dial = CCSprite::create("TransferBattle/gross/End_Dial");
        dial->setPosition(CCPoint(520, 410));
        AddContentChild(dial, kDialZ);
        dial->setVisible(true);
        RunFrames(dial, "TransferBattle/gross/End_Dial_%02d.png", 1, kDialFrames, 3, CCRemoveSelf::create());
    }
}

void NNBoard::RunFrames(CCSprite* sprite, const char* format, int first, int last, int loops,
                        CCFiniteTimeAction* after)
{
    CCAnimation* animation = Sexy::FrameAnimation(format, first, last, kFrameDelay);
    animation->setLoops(static_cast<unsigned int>(loops));
    animation->setRestoreOriginalFrame(true);
    sprite->runAction(CCSequence::create(CCAnimate::create(animation), after, nullptr));
}

void NNBoard::HideBanners()
{
    if (m_pEndBackground != nullptr)
        m_pEndBackground->setVisible(false);
    for (CCSprite* banner : m_pBanners)
    {
        if (banner != nullptr)
            banner->setVisible(false);
    }
}

void NNBoard::ResetGameView() { unschedule(schedule_selector(NNBoard::OnWheelTick)); }

// --- records ------------------------------------------------------------------------------------

void NNBoard::AppendRecord()
{
    const char* picture = RecordPicture(m_cbRecordValue);
    if (picture == nullptr)
        return;
    // The layout's 17 items take the first records; each later record, and
    // any the layout has no item for, gets an item of its own.
    Widget* column = m_Records.NextColumn();
    if (column == nullptr)
        return;
    // One picture a record: a beast's at (0, -15), a small animal's at (0, 15).
    const bool beast = BeastOfPoint(m_cbRecordValue - 1) >= 0;
    games::RecordListStrip::AddMark(column, picture, beast ? CCPoint(0, -15) : CCPoint(0, 15));
    scheduleOnce(schedule_selector(NNBoard::ScrollRecordsToEnd), 0);
}

void NNBoard::ScrollRecordsToEnd(float) { m_Records.ScrollToEnd(); }

// --- the result panel ---------------------------------------------------------------------------

void NNBoard::ShowScoreView(float)
{
    RemoveScoreView();
    m_pScoreView = CScoreView::create();
    if (m_pScoreView == nullptr)
        return;
    m_pScoreView->setPosition(CCPoint(520, 347));
    m_pScoreView->SetEndResult(m_LastResult);
    AddContentChild(m_pScoreView, kScoreViewZ);
    m_pScoreView->setVisible(true);
}

void NNBoard::RemoveScoreView()
{
    // A panel still due from the last round's stop must not show over the next.
    unschedule(schedule_selector(NNBoard::ShowScoreView));
    if (m_pScoreView != nullptr)
    {
        m_pScoreView->removeFromParentAndCleanup(true);
        m_pScoreView = nullptr;
    }
}

}  // namespace TransferBattle
