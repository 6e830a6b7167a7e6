// The room's chat pane: the latest lines of chat, notices and loudspeaker
// messages, each "[sender] text" wrapped to the pane's width, newest at the
// bottom.
#pragma once

#include "cocos2d.h"
#include "ui/ListNodes.h"

#include <deque>
#include <string>

class GameChatLayerG : public cocos2d::CCLayer
{
public:
    static constexpr size_t kMaxLines = 20;
    static constexpr float kFontSize = 12;
    static constexpr float kLineHeight = 18;
    enum LineKind
    {
        kChat = 0,
        kNotice = 1,
        kSpeakerBig = 2,
        kSpeakerSmall = 3
    };
    enum
    {
        kTagLines = 1,
        kTagLineBase = 100
    };

    struct Line
    {
        std::string sender;  // GBK
        std::string text;    // GBK
        int kind = kChat;
    };

    CREATE_FUNC(GameChatLayerG)
    bool init() override;

    // GBK sender and text; the oldest line goes past kMaxLines.
    void AddChatLine(const std::string& sender, const std::string& text, int kind);
    // Called before each loudspeaker line; the pane needs nothing then.
    void PrepareSpeakerLine() {}
    void LayoutChat(float width, float height);
    const std::deque<Line>& GetLines() const { return m_Lines; }

private:
    void Redraw();

    std::deque<Line> m_Lines;
    cocos2d::CCNode* m_pLines = nullptr;
};
