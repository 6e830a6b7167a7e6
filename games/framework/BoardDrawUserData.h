// The seat panel of a seated game: a background, the player's level face,
// nickname and score, and for other players the device they play from.
// My own panel (view position 0) is laid out by the game through the board's
// LayoutMyInfo (SetTextLayout); the others share one fixed layout. The board
// keeps the panels on its content root, tagged view position + 100.
#pragma once

#include "cocos2d.h"
#include "games/framework/UserData.h"

#include <cstdint>
#include <string>

namespace Sexy {

class CGameBoard;

class CBoardDrawUserData : public cocos2d::CCSprite
{
public:
    static constexpr int kReadySignTagBase = 100;

    static CBoardDrawUserData* create();

    // My own panel's layout: where the face, name and score go, the two font
    // sizes and the background picture (none: an empty sprite); and the
    // widest the name and the score are drawn (0: as wide as they are), so
    // a long one is drawn smaller instead of past the panel's edge.
    void SetTextLayout(const cocos2d::CCPoint& face, const cocos2d::CCPoint& name, int nameFontSize,
                       const cocos2d::CCPoint& score, int scoreFontSize, const char* backgroundImage,
                       float nameWidth = 0, float scoreWidth = 0);
    // Builds the panel for a user at a view position; my own (view 0) asks
    // the board's LayoutMyInfo first. Nothing without a user.
    void Build(CGameBoard* board, uint16_t view, const tagUserData* user);
    // Score and face again; the name too when the user is not the one the
    // panel was built for (the panel keeps its first game ID).
    void Update(const tagUserData* user);
    // Status 3 (ready): an animated sign at the point, tagged view + 100 (a
    // sign already there is replaced). Any other status removes the sign.
    void ShowReadySign(const cocos2d::CCPoint& point, uint16_t view, uint8_t status);

    uint32_t GetGameID() const { return m_dwGameID; }
    uint16_t GetViewID() const { return m_wViewID; }
    cocos2d::CCSprite* GetBackground() const { return m_pBackground; }
    cocos2d::CCSprite* GetFace() const { return m_pFace; }
    cocos2d::CCSprite* GetDeviceIcon() const { return m_pDeviceIcon; }
    cocos2d::CCLabelTTF* GetNameLabel() const { return m_pNameLabel; }
    cocos2d::CCLabelTTF* GetScoreLabel() const { return m_pScoreLabel; }
    const std::string& GetFaceName() const { return m_strFace; }

    // The picture of a user's level face.
    static std::string FaceOf(const tagUserData* user);
    // The nickname in GBK, cut to maxBytes without splitting a character.
    static std::string NickOf(const tagUserData* user, size_t maxBytes);

private:
    void SetFace(const tagUserData* user);
    // The name and score fitted to their columns, after either changed.
    void FitTexts();

    cocos2d::CCSprite* m_pBackground = nullptr;
    cocos2d::CCSprite* m_pFace = nullptr;
    cocos2d::CCSprite* m_pDeviceIcon = nullptr;
    cocos2d::CCLabelTTF* m_pNameLabel = nullptr;
    cocos2d::CCLabelTTF* m_pScoreLabel = nullptr;
    uint32_t m_dwGameID = 0;
    uint16_t m_wViewID = 0;
    cocos2d::CCPoint m_ptFace;
    cocos2d::CCPoint m_ptScore;
    cocos2d::CCPoint m_ptName;
    int m_nNameFontSize = 18;
    int m_nScoreFontSize = 14;
    float m_fNameWidth = 0;
    float m_fScoreWidth = 0;
    std::string m_strBackground;
    std::string m_strFace;
};

// The two own-panel layouts the seated card tables share, as their
// LayoutMyInfo bodies (nothing for a null panel):
// the name above the face and the score below it (the landlord, Shuang Kou
// and three-card tables);
void LayoutCardTableMyInfo(CBoardDrawUserData* panel);
// the name and score to the right of the face (the bull tables and
// five-card stud).
void LayoutBullTableMyInfo(CBoardDrawUserData* panel);

}  // namespace Sexy
