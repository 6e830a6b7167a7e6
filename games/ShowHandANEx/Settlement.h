// Five-card stud's settlement panel: both players' names and results of the
// hand, on a panel the player can drag about the window (the drag is the one
// San Gong's result view has, Sexy::CDragPanel).
#pragma once

#include "cocos2d.h"
#include "games/ShowHandANEx/LayoutPoints.h"
#include "games/framework/DragPanel.h"
#include "games/ShowHandANEx/ShowHandANExMessages.h"

#include <string>

namespace ShowHandANEx {

class Settlement : public Sexy::CDragPanel
{
public:
    static Settlement* create();
    ~Settlement() override;
    bool init() override;

    // A name and a result per chair, then the panel shows.
    void ShowResult(const tagGameEnd& end);

    // The name of a chair's user for a row: empty when nobody sits there any more.
    static std::string NickName(uint16_t chair);

    cocos2d::CCLabelTTF* NameLabel(uint16_t chair) const { return chair < GAME_PLAYER ? m_pNames[chair] : nullptr; }
    cocos2d::CCLabelTTF* ResultLabel(uint16_t chair) const { return chair < GAME_PLAYER ? m_pResults[chair] : nullptr; }

private:
    LayoutPoints* m_pLayout = nullptr;
    cocos2d::CCLabelTTF* m_pNames[GAME_PLAYER] = {};
    cocos2d::CCLabelTTF* m_pResults[GAME_PLAYER] = {};
};

}  // namespace ShowHandANEx
