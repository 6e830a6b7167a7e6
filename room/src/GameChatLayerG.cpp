#include "room/GameChatLayerG.h"

#include "core/ClientGlobal.h"
#include "ui/GBKLabel.h"

#include <algorithm>
#include <vector>

using namespace cocos2d;

namespace {

constexpr float kMargin = 6;

ccColor3B KindColour(int kind)
{
    switch (kind)
    {
        case GameChatLayerG::kNotice: return ccc3(200, 40, 40);
        case GameChatLayerG::kSpeakerBig: return ccc3(214, 110, 0);
        case GameChatLayerG::kSpeakerSmall: return ccc3(130, 60, 170);
        default: return ccc3(30, 60, 100);
    }
}

// Loudspeaker lines say which loudspeaker carried them.
std::string LinePrefix(int kind)
{
    switch (kind)
    {
        case GameChatLayerG::kSpeakerBig: return "【大喇叭】";
        case GameChatLayerG::kSpeakerSmall: return "【小喇叭】";
        default: return std::string();
    }
}

}  // namespace

bool GameChatLayerG::init()
{
    if (!CCLayer::init())
        return false;
    m_pLines = CCNode::create();
    addChild(m_pLines, 0, kTagLines);
    setContentSize(CCSize(240, 200));
    return true;
}

void GameChatLayerG::AddChatLine(const std::string& sender, const std::string& text, int kind)
{
    m_Lines.push_back(Line{sender, text, kind});
    while (m_Lines.size() > kMaxLines)
        m_Lines.pop_front();
    Redraw();
}

void GameChatLayerG::LayoutChat(float width, float height)
{
    setContentSize(CCSize(width, height));
    setClipRect(CCRect(0, 0, width, height));
    Redraw();
}

void GameChatLayerG::Redraw()
{
    m_pLines->removeAllChildrenWithCleanup(true);
    const CCSize& size = getContentSize();
    const int width = static_cast<int>(size.width - 2 * kMargin);
    // Wrap every line, then stack the pieces from the bottom up.
    struct Piece
    {
        std::string utf8;
        int kind;
    };
    std::vector<Piece> pieces;
    for (const Line& line : m_Lines)
    {
        std::string utf8 = CClientGlobal::GBKToUTF8(line.sender);
        utf8 = LinePrefix(line.kind) + (line.kind == kNotice ? "[" + utf8 + "] " : utf8 + "：") +
               CClientGlobal::GBKToUTF8(line.text);
        int start = 0;
        do
        {
            const textwidth::Split part = CClientGlobal::SplitTextByWidth(utf8, start, width, kFontSize, "Arial");
            if (part.end <= start)
            {  // no measure: keep the rest whole
                pieces.push_back({utf8.substr(static_cast<size_t>(start)), line.kind});
                break;
            }
            pieces.push_back({part.part, line.kind});
            start = part.end;
        } while (start < static_cast<int>(utf8.size()));
    }
    float y = kMargin + kLineHeight;
    int tag = kTagLineBase;
    for (auto it = pieces.rbegin(); it != pieces.rend() && y - kLineHeight < size.height; ++it)
    {
        CCLabelTTF* label = CreateChatLineNode(CClientGlobal::UTF8ToGBK(it->utf8), tag++, static_cast<int>(kMargin),
                                               static_cast<int>(y), KindColour(it->kind), static_cast<int>(kFontSize),
                                               static_cast<int>(kLineHeight));
        m_pLines->addChild(label);
        y += kLineHeight;
    }
}
