// Nodes the room's and the games' lists share.
#pragma once

#include "cocos2d.h"

#include <string>

// A left-aligned GBK label anchored at its top-left corner; the line height
// is not used.
cocos2d::CCLabelTTF* CreateChatLineNode(const std::string& gbkText, int tag, int x, int y,
                                        const cocos2d::ccColor3B& colour, int fontSize, int lineHeight);

// The sprite frame "status_%d" of a user status, or "people0-9999" (scaled
// to 0.12 x 0.13) for 9999; anchor (1, 0), pixel-exact filtering. Null when
// the frame cannot be made.
cocos2d::CCSprite* CreateUserStatusIcon(int status, const cocos2d::CCPoint& position, int tag);
