// The race: the clipped track with its scrolling ground, the horses, the
// fence and the start clock; the race played back from the server's course
// at 50 steps a second, the finish run, the ranking, the result panel and
// the history list.
#include "core/ClientGlobal.h"
#include "games/HorseBattle/PaoMaBoard.h"
#include "games/HorseBattle/PaoMaHandler.h"
#include "games/framework/BoardArt.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace cocos2d;
using namespace cocos2d::ui;
using namespace cocos2d::extension;

namespace HorseBattle {

namespace {

const char* const kHorseFile = "HorseBattle/Animations/HorseAnimation/HorseAnimation.ExportJson";
const char* const kFenceFile = "HorseBattle/Animations/FenceAnimation/FenceAnimation.ExportJson";
const char* const kClockFile = "HorseBattle/Animations/TimeClockAnimation/TimeClockAnimation.ExportJson";
// The lanes from the middle of the table, horse 0 lowest.
const float kLaneOffsets[HORSE_COUNT] = {-265, -185, -105, -35, 35, 105};
constexpr float kLaneSpacing = 40;
constexpr float kGroundY = 50;
constexpr float kPostSpacing = 256;

std::string Numbered(const char* format, int n)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, n);
    return text;
}

// The lead-in bob holds each of its four poses for six frames. Started on
// one of them, the six horses bob out of step but change in the same
// frames, so a waiting table wakes ten times a second, not sixty.
constexpr int kBobPoses = 4;
constexpr int kBobPoseFrames = 6;

// A horse's lead-in bob from a random pose.
void PlayLeadIn(CCArmature* horse, int h)
{
    horse->getAnimation()->play(Numbered("AnimationPre%02d", h + 1).c_str());
    horse->getAnimation()->gotoAndPlay(kBobPoseFrames * (std::rand() % kBobPoses));
}

// The rank picture of a horse 0..5 on a sprite of the rank panel.
void ShowRankHorse(CCSprite* sprite, int horse)
{
    if (sprite == nullptr || horse < 0 || horse >= HORSE_COUNT)
        return;
    if (CCSpriteFrame* frame = CCResolvePicture(Numbered("HorseBattle/RankHorse%d", horse + 1).c_str()))
        sprite->setDisplayFrame(frame);
}

}  // namespace

// --- the track ----------------------------------------------------------------------------------

void PaoMaBoard::BuildTrack()
{
    CCSprite* stencil = CCSprite::create("HorseBattle/Tile");
    stencil->setAnchorPoint(CCPointZero);
    stencil->setPosition(CCPointZero);
    m_pTrack = CCClippingNode::create(stencil);
    m_pTrack->setInverted(false);
    m_pTrack->setContentSize(CCSize(kTrackWidth, kTrackHeight));
    AddContentChild(m_pTrack, 0);

    for (int i = 0; i < 2; ++i)
    {
        CCSprite* back = CCSprite::create("HorseBattle/pm_runbj");
        back->setAnchorPoint(CCPointZero);
        back->setPosition(CCPoint(i * kTrackWidth, 0));
        m_pTrack->addChild(back, 0);
    }
    // The ground scrolls as one: the second piece, the start, the fence and
    // the finish line ride on the first.
    m_pGround = CCSprite::create("HorseBattle/pm_cd");
    m_pGround->setAnchorPoint(CCPointZero);
    m_pGround->setPosition(CCPoint(0, kGroundY));
    m_pTrack->addChild(m_pGround, 1);
    CCSprite* second = CCSprite::create("HorseBattle/pm_cd");
    second->setAnchorPoint(CCPointZero);
    second->setPosition(CCPoint(m_pGround->getContentSize().width, 0));
    m_pGround->addChild(second);
    CCSprite* start = CCSprite::create("HorseBattle/pm_ksb");
    start->setPosition(CCPoint(130, m_pGround->getContentSize().height / 2));
    m_pGround->addChild(start);
    CCSprite* finish = CCSprite::create("HorseBattle/FinishLine");
    finish->setPosition(CCPoint(kFinishLineX, m_pGround->getContentSize().height / 2));
    m_pGround->addChild(finish);
    // Rail posts along both edges show the ground going by.
    const CCSize ground = m_pGround->getContentSize();
    for (float x = kPostSpacing / 2; x < 2 * ground.width; x += kPostSpacing)
    {
        for (float y : {ground.height - 12, 12.0f})
        {
            CCSprite* post = CCSprite::create("HorseBattle/pm_post");
            post->setPosition(CCPoint(x, y));
            m_pGround->addChild(post);
        }
    }

    // The rank panel: the first two horses of the race as it runs.
    m_pRankPanel = CCNode::create();
    m_pRankPanel->setPosition(CCPoint(150, 615));
    m_pRankPanel->setVisible(false);
    m_pTrack->addChild(m_pRankPanel, 20);
    for (int i = 0; i < 2; ++i)
    {
        CCSprite* caption = CCSprite::create(i == 0 ? "HorseBattle/first" : "HorseBattle/second");
        caption->setPosition(CCPoint(i * 150.0f - 40, 0));
        m_pRankPanel->addChild(caption);
        m_pRankImages[i] = CCSprite::create(i == 0 ? "HorseBattle/RankHorse1" : "HorseBattle/RankHorse2");
        m_pRankImages[i]->setPosition(CCPoint(i * 150.0f + 25, 0));
        m_pRankPanel->addChild(m_pRankImages[i]);
    }
    // My areas, from the right edge.
    m_pMyAreasBox = CCScale9Sprite::create("HorseBattle/pm_tx");
    m_pMyAreasBox->setVisible(false);
    m_pTrack->addChild(m_pMyAreasBox, 20);
    m_pMyAreasLabel = CCLabelTTF::create("", "Arial", 30);
    m_pMyAreasBox->addChild(m_pMyAreasLabel);
    FitMyAreas();

    CCArmatureDataManager* armatures = CCArmatureDataManager::sharedArmatureDataManager();
    armatures->addArmatureFileInfo(kFenceFile);
    m_pFence = CCArmature::create("FenceAnimation");
    m_pFence->setPosition(CCPoint(110, kTableHeight / 2 - kGroundY - 80));
    m_pGround->addChild(m_pFence, 2);
    m_pFence->getAnimation()->play("open");
    armatures->addArmatureFileInfo(kHorseFile);
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        CCArmature* horse = CCArmature::create("HorseAnimation");
        m_pTrack->addChild(horse, 10 + HORSE_COUNT - h);
        PlayLeadIn(horse, h);
        m_pHorses[h] = horse;
    }
    ClearRaceState();
    PlaceHorses();
}

CCArmature* PaoMaBoard::GetHorse(int horse) const
{
    return horse >= 0 && horse < HORSE_COUNT ? m_pHorses[horse] : nullptr;
}

CCPoint PaoMaBoard::GetHorsePoint(int horse) const
{
    return horse >= 0 && horse < HORSE_COUNT ? m_ptHorses[horse] : CCPointZero;
}

void PaoMaBoard::ClearRaceState()
{
    m_cbRacing = 0;
    std::memset(m_nStepIndex, 0, sizeof(m_nStepIndex));
    m_Ranking = Ranking();
    m_fScroll = 0;
    m_fStepTime = 0;
}

void PaoMaBoard::PlaceHorses()
{
    const float middle = static_cast<float>(static_cast<int>(m_fTableHeight) / 2);
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        const float y = middle + kLaneOffsets[h];
        m_ptHorses[h] = CCPoint(kStartX, y);
        m_ptHorses[HORSE_COUNT + h] = CCPoint(kStartX, y);
        m_ptHorses[2 * HORSE_COUNT + h] = CCPoint(kStartX - kLaneSpacing, y);
        if (m_pHorses[h] != nullptr)
        {
            m_pHorses[h]->stopAllActions();
            m_pHorses[h]->setPosition(m_ptHorses[h]);
        }
    }
}

void PaoMaBoard::ResetRace()
{
    unschedule(schedule_selector(PaoMaBoard::RaceStep));
    unschedule(schedule_selector(PaoMaBoard::ScheduleRaceSteps));
    unschedule(schedule_selector(PaoMaBoard::FinishCheck));
    ClearRaceState();
    PlaceHorses();
    if (m_pGround != nullptr)
    {
        m_pGround->stopAllActions();
        m_pGround->setPosition(CCPoint(0, kGroundY));
    }
    if (m_pRankPanel != nullptr)
        m_pRankPanel->setVisible(false);
    if (m_pMyAreasBox != nullptr)
        m_pMyAreasBox->setVisible(false);
    LineUpHorses();
}

void PaoMaBoard::LineUpHorses()
{
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        if (m_pHorses[h] != nullptr)
            PlayLeadIn(m_pHorses[h], h);
    }
    if (m_pFence != nullptr)
        m_pFence->getAnimation()->play("open");
}

// --- the start clock ----------------------------------------------------------------------------

void PaoMaBoard::ShowClock(float)
{
    CCArmatureDataManager::sharedArmatureDataManager()->addArmatureFileInfo(kClockFile);
    StopClock();
    if (m_pClock != nullptr)
        m_pClock->removeFromParentAndCleanup(true);
    m_pClock = CCArmature::create("TimeClockAnimation");
    m_pClock->setScale(0.5f);
    if (m_pContentRoot != nullptr)
    {
        const CCSize visible = CCDirector::sharedDirector()->getVisibleSize();
        const CCPoint middle = m_pContentRoot->convertToNodeSpace(
            ccpAdd(CCDirector::sharedDirector()->getVisibleOrigin(), CCPoint(visible.width / 2, visible.height / 2)));
        m_pClock->setPosition(middle);
    }
    m_pClock->getAnimation()->play("Animation1");
    AddContentChild(m_pClock, kClockZ);
    scheduleOnce(schedule_selector(PaoMaBoard::PlayReadyGo), 3.5f);
}

void PaoMaBoard::PlayReadyGo(float) { PlaySound("HorseBattle/music/ReadyGo"); }

void PaoMaBoard::StopClock()
{
    unschedule(schedule_selector(PaoMaBoard::PlayReadyGo));
    if (m_pClock == nullptr)
        return;
    m_pClock->stopAllActions();
    m_pClock->getAnimation()->stop();
    m_pClock->setVisible(false);
}

// --- the race -----------------------------------------------------------------------------------

void PaoMaBoard::BuildRacePaths(const int32_t checkpoints[HORSE_COUNT][CHECKPOINTS])
{
    HorseBattle::BuildRacePaths(checkpoints, m_Course, m_nPaths);
    std::memset(m_nStepIndex, 0, sizeof(m_nStepIndex));
    m_Ranking = Ranking();
    m_cbRacing = 1;
}

void PaoMaBoard::StartRace()
{
    if (m_pFence != nullptr)
        m_pFence->getAnimation()->play("open");
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        if (m_pHorses[h] == nullptr)
            continue;
        CCArmatureAnimation* animation = m_pHorses[h]->getAnimation();
        animation->play(Numbered("AnimationRun%02d", h + 1).c_str());
        animation->gotoAndPlay(1 + std::rand() % 12);
        animation->setSpeedScale(1.0f);
    }
    if (m_pMyAreasBox != nullptr)
        m_pMyAreasBox->setVisible(true);
    scheduleOnce(schedule_selector(PaoMaBoard::ScheduleRaceSteps), 0.1f);
}

void PaoMaBoard::ScheduleRaceSteps(float)
{
    m_fStepTime = 0;
    schedule(schedule_selector(PaoMaBoard::RaceStep), kRaceStep);
}

void PaoMaBoard::RunRaceEnd()
{
    if (m_pGround == nullptr)
        return;
    m_pGround->stopAllActions();
    m_pGround->runAction(CCSequence::create(CCDelayTime::create(0.1f), CCMoveBy::create(10.0f, CCPoint(-kGroundRun, 0)),
                                            CCCallFunc::create(this, callfunc_selector(PaoMaBoard::StopRaceSteps)),
                                            nullptr));
}

void PaoMaBoard::RaceStep(float dt)
{
    if (m_cbRacing == 0)
        return;
    // Fifty steps a second whatever the frames: a frame of 1/60 s lets the
    // scheduler call only every other frame, with the time it counted.
    m_fStepTime += dt;
    while (m_fStepTime >= kRaceStep * 0.999f)
    {
        m_fStepTime -= kRaceStep;
        for (int h = 0; h < HORSE_COUNT; ++h)
        {
            m_ptHorses[h].x += static_cast<float>(StepDelta(m_nPaths[h], m_nStepIndex[h]));
            m_nStepIndex[h] = NextStepIndex(m_nStepIndex[h]);
        }
        // The track scroll: the horses come forward to their racing places.
        m_fScroll = std::min(m_fScroll + 10, 200.0f);
    }
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        if (m_pHorses[h] != nullptr)
            m_pHorses[h]->setPosition(CCPoint(m_ptHorses[h].x + m_fScroll, m_ptHorses[h].y));
        m_ptHorses[HORSE_COUNT + h] = m_ptHorses[h];
    }
    RefreshRanking();
}

void PaoMaBoard::StopRaceSteps()
{
    unschedule(schedule_selector(PaoMaBoard::RaceStep));
    FinishRun();
}

void PaoMaBoard::FinishRun()
{
    m_fScroll = kFinishReach;
    RefreshRanking();
    float positions[HORSE_COUNT];
    for (int h = 0; h < HORSE_COUNT; ++h)
        positions[h] = m_pHorses[h] != nullptr ? m_pHorses[h]->getPositionX() : m_ptHorses[h].x;
    const Ranking ranking = RankHorses(positions);
    float distances[HORSE_COUNT];
    FinishDistances(ranking, m_cbFirstHorse, m_cbSecondHorse, kFinishReach, distances);
    for (int h = 0; h < HORSE_COUNT; ++h)
    {
        if (m_pHorses[h] != nullptr)
            m_pHorses[h]->runAction(CCMoveBy::create(2.0f, CCPoint(distances[h], 0)));
    }
    schedule(schedule_selector(PaoMaBoard::FinishCheck), 0.001f);
}

void PaoMaBoard::FinishCheck(float)
{
    int past = 0;
    for (CCArmature* horse : m_pHorses)
        past += horse != nullptr && horse->getPositionX() >= kFinishX ? 1 : 0;
    if (past < 2)
        return;
    // Once: the result may show nothing (a restored table), and the check
    // must not come round again.
    unschedule(schedule_selector(PaoMaBoard::FinishCheck));
    for (CCArmature* horse : m_pHorses)
    {
        if (horse == nullptr)
            continue;
        horse->stopAllActions();
        horse->getAnimation()->stop();
    }
    if (PaoMaHandler* handler = Handler())
    {
        handler->StopAllGameSounds();
        handler->PlayGameSound("HorseBattle/music/camera", false);
        handler->PlayGameSound("HorseBattle/music/Finish", false);
        m_bFinishSounded = true;
        handler->StopBackgroundMusic();
        handler->PlayBackgroundMusic("HorseBattle/music/RunBackground");
    }
    const uint8_t first = m_cbFirstHorse;
    const uint8_t second = m_cbSecondHorse;
    ShowResult();
    m_cbRacing = 0;
    ShowRankHorse(m_pRankImages[0], first);
    ShowRankHorse(m_pRankImages[1], second);
    RefreshRanking();
}

void PaoMaBoard::RefreshRanking()
{
    if (m_cbRacing == 0)
        return;
    float positions[HORSE_COUNT];
    for (int h = 0; h < HORSE_COUNT; ++h)
        positions[h] = m_pHorses[h] != nullptr ? m_pHorses[h]->getPositionX() : m_ptHorses[h].x;
    m_Ranking = RankHorses(positions);
    if (m_Ranking.leader < 0 || m_Ranking.runnerUp < 0 || m_Ranking.leader == m_Ranking.runnerUp)
        return;
    if (m_pRankPanel != nullptr)
    {
        m_pRankPanel->setVisible(true);
        ShowRankHorse(m_pRankImages[0], m_Ranking.leader);
        ShowRankHorse(m_pRankImages[1], m_Ranking.runnerUp);
    }
    std::string areas;
    for (int area = 0; area < AREA_COUNT; ++area)
    {
        if (m_lLastPlaced[area] > 0)
            areas += std::string(" ") + kAreaPairs[area];
    }
    if (m_pMyAreasLabel != nullptr && areas != m_pMyAreasLabel->getString())
    {
        m_pMyAreasLabel->setString(areas.c_str());
        FitMyAreas();
    }
}

void PaoMaBoard::FitMyAreas()
{
    // The plate grows leftwards with the pairs, from its right end, as far
    // as the ranking beside it allows; beyond that the pairs are drawn
    // smaller: fifteen of them still fit.
    constexpr float kRight = kTrackWidth - 20;
    constexpr float kLeftmost = 400;
    constexpr float kNarrowest = 320;
    constexpr float kMargin = 20;
    const float text = m_pMyAreasLabel->getContentSize().width;
    const float width = std::max(kNarrowest, std::min(kRight - kLeftmost, text + 2 * kMargin));
    m_pMyAreasBox->setPreferredSize(CCSize(width, 56));
    m_pMyAreasBox->setPosition(CCPoint(kRight - width / 2, 615));
    m_pMyAreasLabel->setPosition(CCPoint(width / 2, 28));
    Sexy::FitToWidth(m_pMyAreasLabel, width - 2 * kMargin);
}

// --- the result ---------------------------------------------------------------------------------

void PaoMaBoard::ShowResult()
{
    if (m_cbRoundStatus == GS_FREE || m_cbRoundStatus == GS_BETTING)
        return;
    // Horses outside 0 to 5 are none: no pair, no result.
    const int area = m_cbFirstHorse < HORSE_COUNT && m_cbSecondHorse < HORSE_COUNT
                         ? AreaOfPair(m_cbFirstHorse + 1, m_cbSecondHorse + 1)
                         : -1;
    if (area < 0)
        return;
    ShowResultPanel(true);
    const bool won = m_lLastPlaced[area] > 0;
    if (auto* image = dynamic_cast<ImageView*>(GetWidget("Img_Result")))
        image->loadTexture(won ? "HorseBattle/pm_youwin" : "HorseBattle/pm_bsjgz");
    if (won)
    {
        if (m_pWinBox != nullptr)
            m_pWinBox->setVisible(true);
        ActionManager::shareManager()->playActionByName("PaoMaUI.ExportJson", "AnimationWin");
    }
    else if (m_pWinBox != nullptr)
    {
        m_pWinBox->setVisible(false);
    }
    char text[96];
    std::snprintf(text, sizeof(text), CClientGlobal::UTF8ToGBK("本局赔率:%d").c_str(),
                  static_cast<int>(m_dwAreaOdds[area]));
    SetLabel(GetWidget("lbl_playerName"), CClientGlobal::GBKToUTF8(text));
    std::snprintf(text, sizeof(text), CClientGlobal::UTF8ToGBK("本局输赢:%lld").c_str(),
                  static_cast<long long>(m_lRoundResult));
    SetLabel(GetWidget("lbl_GetScore"), CClientGlobal::GBKToUTF8(text));
    if (auto* first = dynamic_cast<ImageView*>(GetWidget("FirstHorse")))
        first->loadTexture(Numbered("HorseBattle/RankHorse%d", m_cbFirstHorse + 1).c_str());
    if (auto* second = dynamic_cast<ImageView*>(GetWidget("SecondHorse")))
        second->loadTexture(Numbered("HorseBattle/RankHorse%d", m_cbSecondHorse + 1).c_str());
    if (m_pRankPanel != nullptr)
    {
        m_pRankPanel->setVisible(false);
        ShowRankHorse(m_pRankImages[0], 0);
        ShowRankHorse(m_pRankImages[1], 1);
    }
    ResetGameView();
}

// --- the history --------------------------------------------------------------------------------

Widget* PaoMaBoard::HistoryItem(int k)
{
    if (m_pHistoryList == nullptr)
        return nullptr;
    // A layout with fewer items than the list shows gets the rest made alike.
    while (m_pHistoryList->getItem(static_cast<unsigned int>(k)) == nullptr)
    {
        Widget* model = m_pHistoryList->getItem(0);
        Widget* item = model != nullptr ? model->clone() : nullptr;
        if (item == nullptr)
        {
            Layout* made = Layout::create();
            made->setSize(CCSize(300, 40));
            for (int i = 0; i < 6; ++i)
            {
                Widget* part = nullptr;
                if (i == 0 || i == 2)
                {
                    part = ImageView::create();
                }
                else
                {
                    Label* label = Label::create();
                    label->setFontSize(20);
                    part = label;
                }
                part->setTag(kHistoryItemTag + i);
                part->setPosition(CCPoint(30 + 50.0f * i, 20));
                made->addChild(part);
            }
            item = made;
        }
        m_pHistoryList->pushBackCustomItem(item);
    }
    return m_pHistoryList->getItem(static_cast<unsigned int>(k));
}

void PaoMaBoard::RefreshHistory()
{
    if (m_pHistoryList == nullptr)
        return;
    const int count = static_cast<int>(m_History.size());
    for (int k = 0; k < kHistoryItems; ++k)
    {
        Widget* item = HistoryItem(k);
        if (item == nullptr)
            continue;
        int horseA = 0, horseB = 0;
        const RaceRecord* record = k < count ? &m_History[count - 1 - k] : nullptr;
        if (record == nullptr || !HorsesOfArea(static_cast<int>(record->dwWinArea), horseA, horseB))
        {
            item->setVisible(false);
            continue;
        }
        item->setVisible(true);
        const int horses[2] = {horseA, horseB};
        for (int i = 0; i < 2; ++i)
        {
            if (auto* image = dynamic_cast<ImageView*>(UIHelper::seekWidgetByTag(item, kHistoryItemTag + 2 * i)))
                image->loadTexture(Numbered("HorseBattle/horse%d", horses[i]).c_str());
            SetLabel(UIHelper::seekWidgetByTag(item, kHistoryItemTag + 2 * i + 1), Numbered("%d", horses[i]));
        }
        SetLabel(UIHelper::seekWidgetByTag(item, kHistoryItemTag + 4), Numbered("%d", static_cast<int>(record->dwOdds)));
    }
    m_pHistoryList->refreshView();
}

}  // namespace HorseBattle
