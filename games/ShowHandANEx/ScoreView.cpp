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

constexpr int kPieceCycle = 8;

}  // namespace

// --- the flying pieces ----------------------------------------------------------------------------

CFlyingPieces* CFlyingPieces::create(const char* format, const CCPoint& gather)
{
    auto* pieces = new (std::nothrow) CFlyingPieces();
    if (pieces != nullptr && pieces->init(format, gather))
    {
        pieces->autorelease();
        return pieces;
    }
    delete pieces;
    return nullptr;
}

CFlyingPieces::~CFlyingPieces()
{
    for (CCSpriteFrame* frame : m_pFrames)
        CC_SAFE_RELEASE(frame);
}

bool CFlyingPieces::init(const char* format, const CCPoint& gather)
{
    if (!CCNode::init())
        return false;
    m_ptGather = gather;
    // The frames of one sheet: one picture for every piece of the family.
    for (int n = 1; n <= kFramesPerTurn; ++n)
    {
        CCAnimation* one = Sexy::FrameAnimation(format, n, n, kFrameDelay, false);
        CCArray* frames = one->getFrames();
        if (frames == nullptr || frames->count() == 0)
            continue;
        CCSpriteFrame* frame = static_cast<CCAnimationFrame*>(frames->objectAtIndex(0))->getSpriteFrame();
        if (m_pTexture == nullptr)
            m_pTexture = frame->getTexture();
        if (frame->getTexture() != m_pTexture)
            continue;
        frame->retain();
        m_pFrames[n] = frame;
    }
    return true;
}

void CFlyingPieces::onEnter()
{
    CCNode::onEnter();
    if (m_bTicking)
        schedule(schedule_selector(CFlyingPieces::Tick));
}

void CFlyingPieces::AddPiece(const CCPoint& from, const int (&frames)[kFramesPerTurn], float delay, bool fadeIn)
{
    Piece piece;
    piece.from = from;
    for (int i = 0; i < kFramesPerTurn; ++i)
        piece.frames[i] = frames[i];
    piece.delay = delay;
    piece.fadeIn = fadeIn;
    m_Pieces.push_back(piece);
    if (!m_bTicking)
    {
        m_bTicking = true;
        schedule(schedule_selector(CFlyingPieces::Tick));
    }
    ccSetNeedsRedraw();
}

bool CFlyingPieces::IsMoving() const
{
    for (const Piece& piece : m_Pieces)
        if (m_fElapsed < piece.delay + kFlight)
            return true;
    return false;
}

void CFlyingPieces::Tick(float dt)
{
    m_fElapsed += dt;
    ccSetNeedsRedraw();
    // At rest: the last frame was drawn where everything ended.
    if (!IsMoving())
    {
        m_bTicking = false;
        unschedule(schedule_selector(CFlyingPieces::Tick));
    }
}

CFlyingPieces::Shown CFlyingPieces::GetPiece(size_t i) const
{
    Shown shown{false, CCPointZero, 0, 0};
    if (i >= m_Pieces.size())
        return shown;
    const Piece& piece = m_Pieces[i];
    const float t = m_fElapsed - piece.delay;
    if (t < 0)
        return shown;
    const float flown = t >= kFlight ? 1.0f : t / kFlight;
    shown.position = piece.from + (m_ptGather - piece.from) * flown;
    const float fade = piece.fadeIn ? flown : 1.0f - flown;
    shown.opacity = static_cast<unsigned char>(255.0f * fade + 0.5f);
    // The nine frames four times over, then the last stays.
    const int slot = static_cast<int>(t / kFrameDelay);
    shown.frame = piece.frames[slot >= kFramesPerTurn * kTurns ? kFramesPerTurn - 1 : slot % kFramesPerTurn];
    shown.visible = shown.opacity > 0;
    return shown;
}

void CFlyingPieces::draw()
{
    if (m_pTexture == nullptr || m_Pieces.empty())
        return;
    const float width = static_cast<float>(m_pTexture->getPixelsWide());
    const float height = static_cast<float>(m_pTexture->getPixelsHigh());
    if (width <= 0 || height <= 0)
        return;
    std::vector<ccV2F_C4B_T2F> vertices;
    std::vector<int> indices;
    vertices.reserve(m_Pieces.size() * 4);
    indices.reserve(m_Pieces.size() * 6);
    for (size_t i = 0; i < m_Pieces.size(); ++i)
    {
        const Shown shown = GetPiece(i);
        CCSpriteFrame* frame = shown.frame >= 1 && shown.frame <= kFramesPerTurn ? m_pFrames[shown.frame] : nullptr;
        if (!shown.visible || frame == nullptr)
            continue;
        // Only the frame's drawing is packed in the sheet: it is laid where
        // it stands in the whole frame (its offset from the frame's middle),
        // not stretched over the frame's clear rows.
        const CCRect& r = frame->getRectInPixels();
        const CCSize size = frame->getRect().size;
        const CCPoint middle = shown.position + frame->getOffset();
        const float x0 = middle.x - size.width / 2, x1 = middle.x + size.width / 2;
        const float y0 = middle.y - size.height / 2, y1 = middle.y + size.height / 2;
        const ccColor4B colour = {255, 255, 255, shown.opacity};
        ccTex2F bl, br, tl, tr;
        if (frame->isRotated())
        {
            // Stored a quarter turn clockwise: the region is h wide and w tall.
            const float left = r.origin.x / width, right = (r.origin.x + r.size.height) / width;
            const float top = r.origin.y / height, bottom = (r.origin.y + r.size.width) / height;
            bl = {left, top};
            br = {left, bottom};
            tl = {right, top};
            tr = {right, bottom};
        }
        else
        {
            const float left = r.origin.x / width, right = (r.origin.x + r.size.width) / width;
            const float top = r.origin.y / height, bottom = (r.origin.y + r.size.height) / height;
            bl = {left, bottom};
            br = {right, bottom};
            tl = {left, top};
            tr = {right, top};
        }
        const int base = static_cast<int>(vertices.size());
        vertices.push_back({{x0, y0}, colour, bl});
        vertices.push_back({{x1, y0}, colour, br});
        vertices.push_back({{x0, y1}, colour, tl});
        vertices.push_back({{x1, y1}, colour, tr});
        for (int k : {0, 1, 2, 2, 1, 3})
            indices.push_back(base + k);
    }
    if (vertices.empty())
        return;
    CCRenderer::sharedRenderer()->drawTriangles(m_pTexture, vertices.data(), static_cast<int>(vertices.size()),
                                                indices.data(), static_cast<int>(indices.size()),
                                                ccBlendFunc{CC_BLEND_SRC, CC_BLEND_DST});
}

// --- the view ----------------------------------------------------------------------------------

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
    if (m_pCoins == nullptr && (m_pCoins = CFlyingPieces::create(kCoinFrames, kGatherPoint)) != nullptr)
        addChild(m_pCoins);
    if (m_pStars == nullptr && (m_pStars = CFlyingPieces::create(kStarFrames, kGatherPoint)) != nullptr)
        addChild(m_pStars);
    for (int i = 0; i < kCoins; ++i)
    {
        const CCPoint from(static_cast<float>(100 + std::rand() % 601), static_cast<float>(200 + std::rand() % 511));
        const int variant = std::rand() % 9;
        FlyPiece(m_pCoins, from, variant, static_cast<float>(i) / 90.0f);
    }
    for (int i = 0; i < kStars; ++i)
    {
        const CCPoint from(static_cast<float>(std::rand() % 701), static_cast<float>(std::rand() % 711));
        const int variant = std::rand() % 9;
        FlyPiece(m_pStars, from, variant, static_cast<float>(i) / 150.0f);
    }
}

void CScoreView::FlyPiece(CFlyingPieces* family, const CCPoint& from, int variant, float delay)
{
    // Frame (j mod 8) + 1, or + 2 turning the other way, for j from the variant on.
    const int shift = std::rand() % 2 == 0 ? 1 : 2;
    int frames[CFlyingPieces::kFramesPerTurn];
    for (int j = 0; j < CFlyingPieces::kFramesPerTurn; ++j)
        frames[j] = (variant + j) % kPieceCycle + shift;
    const bool fadeIn = std::rand() % 2 == 0;
    if (family != nullptr)
        family->AddPiece(from, frames, delay, fadeIn);
}

}  // namespace ShowHandANEx
