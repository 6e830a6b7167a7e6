#include "games/ShowHandANEx/ScoreView.h"

#include "games/framework/BoardArt.h"

#include <cstdlib>
#include <new>

using namespace cocos2d;

namespace ShowHandANEx {

namespace {

const char* const kCoinFrames = "flymonney1_0%d";
const char* const kStarFrames = "xing_0%d";
const char* const kCoinSheet = "ShowHandANEx/flymonney.plist";
const char* const kStarSheet = "ShowHandANEx/xing.plist";

// Frames per turn of a piece, the repeats and the flight.
constexpr int kPieceFrames = 9;
constexpr int kPieceCycle = 8;
constexpr float kFrameDelay = 0.05f;
constexpr unsigned int kTurns = 4;
constexpr float kFlight = 2.0f;

}  // namespace

const CCPoint CScoreView::kGatherPoint(150, 80);

CScoreView* CScoreView::create()
{
    auto* view = new (std::nothrow) CScoreView();
    if (view != nullptr && view->init())
    {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

CScoreView::~CScoreView()
{
    delete m_pLayout;
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->removeSpriteFramesFromFile(kCoinSheet);
    cache->removeSpriteFramesFromFile(kStarSheet);
}

bool CScoreView::init()
{
    if (!CCSprite::init())
        return false;
    m_pLayout = new (std::nothrow) LayoutPoints();
    if (m_pLayout == nullptr)
        return false;
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->addSpriteFramesWithFile(kCoinSheet, "ShowHandANEx/flymonney");
    cache->addSpriteFramesWithFile(kStarSheet, "ShowHandANEx/xing");
    return true;
}

void CScoreView::Show(const tagGameEnd&) { setVisible(true); }

void CScoreView::PlayWinAnimation(bool play)
{
    if (!play)
        return;
    static const char* const kBagPictures[kBags] = {"ShowHandANEx/bag-1", "ShowHandANEx/bag-2", "ShowHandANEx/bag-3"};
    static const CCPoint kBagPoints[kBags] = {{180, 52}, {154, 90}, {140, 130}};
    for (int i = 0; i < kBags; ++i)
    {
        if (m_pBags[i] != nullptr)
            continue;
        m_pBags[i] = CCSprite::create(kBagPictures[i]);
        m_pBags[i]->setPosition(kBagPoints[i]);
        m_pBags[i]->setVisible(true);
        addChild(m_pBags[i]);
    }
    for (int i = 0; i < kCoins; ++i)
    {
        const CCPoint from(static_cast<float>(100 + std::rand() % 601), static_cast<float>(200 + std::rand() % 511));
        const int variant = std::rand() % 9;
        FlyPiece(kCoinFrames, from, variant, static_cast<float>(i) / 90.0f);
    }
    for (int i = 0; i < kStars; ++i)
    {
        const CCPoint from(static_cast<float>(std::rand() % 701), static_cast<float>(std::rand() % 711));
        const int variant = std::rand() % 9;
        FlyPiece(kStarFrames, from, variant, static_cast<float>(i) / 150.0f);
    }
}

void CScoreView::FlyPiece(const char* format, const CCPoint& from, int variant, float delay)
{
    // Frame (j mod 8) + 1, or + 2 turning the other way, for j from the
    // variant on: two runs of the sheet's numbers, the second wrapping round.
    const int shift = std::rand() % 2 == 0 ? 1 : 2;
    const int first = variant % kPieceCycle + shift;
    const int tail = kPieceFrames - (kPieceCycle + shift - first);
    CCAnimation* animation = Sexy::FrameAnimation(format, first, kPieceCycle - 1 + shift, kFrameDelay, false);
    if (tail > 0)
    {
        CCAnimation* wrapped = Sexy::FrameAnimation(format, shift, shift + tail - 1, kFrameDelay, false);
        CCArray* frames = wrapped->getFrames();
        for (unsigned int i = 0; frames != nullptr && i < frames->count(); ++i)
            animation->addSpriteFrame(static_cast<CCAnimationFrame*>(frames->objectAtIndex(i))->getSpriteFrame());
    }
    animation->setLoops(kTurns);

    CCSprite* piece = CCSprite::create();
    piece->setPosition(from);
    addChild(piece);
    CCFiniteTimeAction* fade =
        std::rand() % 2 == 0 ? static_cast<CCFiniteTimeAction*>(CCFadeIn::create(kFlight)) : CCFadeOut::create(kFlight);
    piece->runAction(CCSequence::create(
        CCDelayTime::create(delay),
        CCSpawn::create(CCAnimate::create(animation), CCMoveTo::create(kFlight, kGatherPoint), fade, nullptr),
        nullptr));
}

}  // namespace ShowHandANEx
