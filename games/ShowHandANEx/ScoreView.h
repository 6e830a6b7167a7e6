// Five-card stud's win animation: a transparent layer on the table that,
// when my result is positive, shows three money bags and sends sixty coins
// and a hundred and twenty stars flying to them. It stays until the next
// table clear.
#pragma once

#include "cocos2d.h"
#include "games/ShowHandANEx/LayoutPoints.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"

#include <vector>

namespace ShowHandANEx {

// One family of the win animation's flying pieces (the coins, or the stars),
// drawn by one node in one draw: each piece waits its delay, then turns
// through nine frames of the family from its variant on (0.05 s a frame, four
// times), flies to the gather point in 2 s and fades in or out over the same
// 2 s; it stays there, faded or not. A frame of the table with a hundred
// pieces moving thus changes two draws, not two hundred, and is drawn again
// only where they fly.
class CFlyingPieces : public cocos2d::CCNode
{
public:
    static constexpr int kFramesPerTurn = 9;
    static constexpr int kTurns = 4;
    static constexpr float kFrameDelay = 0.05f;
    static constexpr float kFlight = 2.0f;

    // format: the family's frame names with one number, 1 to 9.
    static CFlyingPieces* create(const char* format, const cocos2d::CCPoint& gather);
    ~CFlyingPieces() override;
    bool init(const char* format, const cocos2d::CCPoint& gather);
    void onEnter() override;
    void draw() override;

    // A piece from the point. frames: the nine frame numbers in turn; it
    // starts after the delay and fades in when fadeIn is set, else out.
    void AddPiece(const cocos2d::CCPoint& from, const int (&frames)[kFramesPerTurn], float delay, bool fadeIn);

    struct Shown
    {
        bool visible;  // started, and not faded away
        cocos2d::CCPoint position;
        unsigned char opacity;
        int frame;  // the frame number shown, 0 before the start
    };
    size_t GetPieceCount() const { return m_Pieces.size(); }
    // Where a piece is and what it shows now.
    Shown GetPiece(size_t i) const;
    // Whether any piece still waits or moves.
    bool IsMoving() const;

private:
    struct Piece
    {
        cocos2d::CCPoint from;
        int frames[kFramesPerTurn];
        float delay;
        bool fadeIn;
    };
    void Tick(float dt);

    std::vector<Piece> m_Pieces;
    cocos2d::CCSpriteFrame* m_pFrames[kFramesPerTurn + 1] = {};  // by number 1..9, retained
    cocos2d::CCTexture2D* m_pTexture = nullptr;
    cocos2d::CCPoint m_ptGather;
    float m_fElapsed = 0;
    bool m_bTicking = false;
};

class CScoreView : public cocos2d::CCSprite
{
public:
    static constexpr int kBags = 3;
    static constexpr int kCoins = 60;
    static constexpr int kStars = 120;
    // Where every coin and star ends, in the view's space.
    static const cocos2d::CCPoint kGatherPoint;

    static CScoreView* create();
    ~CScoreView() override;
    bool init() override;

    // Makes the view visible; the record is not read.
    void Show(const tagGameEnd& end);
    // Nothing unless play is true.
    void PlayWinAnimation(bool play);

    cocos2d::CCSprite* Bag(int i) const { return i >= 0 && i < kBags ? m_pBags[i] : nullptr; }
    CFlyingPieces* Coins() const { return m_pCoins; }
    CFlyingPieces* Stars() const { return m_pStars; }

private:
    // One coin or star: its frames turn from the variant on (direction by
    // rand), it flies to the gather point and fades in or out (by rand),
    // starting after the delay.
    static void FlyPiece(CFlyingPieces* family, const cocos2d::CCPoint& from, int variant, float delay);

    cocos2d::CCSprite* m_pBags[kBags] = {};
    CFlyingPieces* m_pCoins = nullptr;
    CFlyingPieces* m_pStars = nullptr;
    LayoutPoints* m_pLayout = nullptr;
};

}  // namespace ShowHandANEx
