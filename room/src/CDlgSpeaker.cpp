#include "room/CDlgSpeaker.h"

#include "cocos-ext.h"
#include "core/ClientGlobal.h"
#include "room/RoomScene.h"
#include "ui/CCCursorTextField.h"
#include "ui/VisibleRect.h"

#include <cstdio>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace {

const char* const kUnselected = "Speaker/SingleSelect_01";
const char* const kSelectedMark = "Speaker/SingleSelect_02";

// A size-14 label anchored at its bottom-left corner, left-aligned and
// vertically centred in its box.
CCLabelTTF* MakeLabel(const char* utf8, const char* font, float width, const ccColor3B& colour, const CCPoint& at)
{
    CCLabelTTF* label =
        CCLabelTTF::create(utf8, font, 14, CCSize(width, 30), kCCTextAlignmentLeft, kCCVerticalTextAlignmentCenter);
    label->setAnchorPoint(CCPoint(0, 0));
    label->setColor(colour);
    label->setPosition(at);
    return label;
}

CCControlButton* MakeButton(const char* normal, const char* pressed, const char* hover)
{
    CCScale9Sprite* background = CCScale9Sprite::create(normal);
    CCControlButton* button = CCControlButton::create(background);
    button->setPreferredSize(background->getOriginalSize());
    button->setBackgroundSpriteForState(CCScale9Sprite::create(pressed), CCControlStateHighlighted);
    button->setBackgroundSpriteForState(CCScale9Sprite::create(hover), CCControlStateHover);
    return button;
}

}  // namespace

CDlgSpeaker* CDlgSpeaker::create()
{
    auto* dialog = new CDlgSpeaker();
    if (!dialog->init())
    {
        delete dialog;
        return nullptr;
    }
    dialog->autorelease();
    return dialog;
}

bool CDlgSpeaker::init()
{
    if (!Dialog::init())
        return false;
    AddSkinBackground();
    m_pBackground = CCSprite::create("Speaker/bglog");
    if (m_pBackground == nullptr)
        return false;
    m_pBackground->setPosition(VisibleRect::center());
    AddDialogChild(this, m_pBackground, 1, kTagBackground);

    const ccColor3B red = ccc3(255, 0, 0);
    const ccColor3B black = ccc3(0, 0, 0);
    AddDialogChild(m_pBackground, MakeLabel("提示：喇叭花费直接从游戏保险箱扣除", "Arial", 300, red, CCPoint(100, 230)),
                   1, kTagNote);
    AddDialogChild(
        m_pBackground,
        MakeLabel("小喇叭   价格：                 金币，最多可发送50字", "Arial", 370, black, CCPoint(20, 50)), 1,
        kTagPriceLine);
    AddDialogChild(m_pBackground, MakeLabel("10000", "simfang", 370, red, CCPoint(110, 50)), 2, kTagPrice);

    CCControlButton* send = MakeButton("Speaker/ensure", "Speaker/ensurepressed_3", "Speaker/ensurepressed");
    send->setPosition(CCPoint(300, 25));
    send->addTargetWithActionForControlEvents(this, cccontrol_selector(CDlgSpeaker::OnControlButton),
                                              CCControlEventTouchUpInside);
    AddDialogChild(m_pBackground, send, 1, kTagSend);
    CCControlButton* close =
        MakeButton("Speaker/turn-down", "Speaker/turn-down-pressed_3", "Speaker/turn-down-pressed");
    close->setPosition(CCPoint(100, 25));
    close->addTargetWithActionForControlEvents(this, cccontrol_selector(CDlgSpeaker::OnControlButton),
                                               CCControlEventTouchUpInside);
    AddDialogChild(m_pBackground, close, 1, kTagClose);

    for (int kind = kKindSmall; kind <= kKindBig; ++kind)
    {
        m_pItems[kind] =
            CCMenuItemImage::create(kUnselected, kSelectedMark, this, menu_selector(CDlgSpeaker::OnKindSelected));
        if (m_pItems[kind] == nullptr)
            return false;
        m_pItems[kind]->setPosition(kind == kKindSmall ? CCPoint(220, 202) : CCPoint(220, 225));
    }
    CCMenu* menu = CCMenu::create(m_pItems[kKindSmall], m_pItems[kKindBig], nullptr);
    menu->setPosition(CCPoint(0, 0));
    AddDialogChild(m_pBackground, menu, 1, kTagMenu);
    m_bSelected[kKindSmall] = true;

    m_pField = CCCursorTextField::create(" ", "Arial", 15, CCSize(350, 100));
    m_pField->setAnchorPoint(CCPoint(0, 0));
    m_pField->setPosition(CCPoint(30, 80));
    m_pField->setMaxLength(kMaxLength);
    m_pField->setTextColor(black);
    m_pField->setVerticalAlignment(kCCVerticalTextAlignmentTop);
    AddDialogChild(m_pBackground, m_pField, 1, kTagField);
    AddInputBox(m_pBackground, m_pField);
    return true;
}

void CDlgSpeaker::SetSpeakerInfo(const tagSpeakerInfo& info)
{
    m_Info = info;
    OnKindSelected(m_pItems[kKindBig]);
}

void CDlgSpeaker::ShowChoice(int kind, bool selected)
{
    CCMenuItemImage* item = m_pItems[kind];
    item->setNormalImage(CCSprite::create(selected ? kSelectedMark : kUnselected));
    item->setSelectedImage(CCSprite::create(selected ? kUnselected : kSelectedMark));
    m_bSelected[kind] = selected;
}

void CDlgSpeaker::OnKindSelected(CCObject* sender)
{
    const int kind = sender == m_pItems[kKindBig] ? kKindBig : kKindSmall;
    if (sender != m_pItems[kind])
        return;
    const int other = 1 - kind;
    // The only chosen item stays chosen.
    if (!m_bSelected[kind])
        ShowChoice(kind, true);
    else if (m_bSelected[other])
        ShowChoice(kind, false);
    ShowChoice(other, false);

    char price[16];
    if (kind == kKindSmall)
    {
        std::snprintf(price, sizeof(price), "%u", static_cast<unsigned>(m_Info.dwSmallPrice));
        if (auto* line = dynamic_cast<CCLabelTTF*>(m_pBackground->getChildByTag(kTagPriceLine)))
            line->setString("小喇叭   价格：               金币，最多可发送50字");
    }
    else
    {
        std::snprintf(price, sizeof(price), "%u", static_cast<unsigned>(m_Info.dwBigPrice));
        if (auto* line = dynamic_cast<CCLabelTTF*>(m_pBackground->getChildByTag(kTagPriceLine)))
            line->setString("大喇叭   价格：              金币，最多可发送100字");
    }
    if (auto* label = dynamic_cast<CCLabelTTF*>(m_pBackground->getChildByTag(kTagPrice)))
        label->setString(price);
    m_nKind = kind;
    ShowLeftCounts();
}

void CDlgSpeaker::ShowLeftCounts()
{
    const struct
    {
        int tag;
        const char* format;
        uint32_t count;
        float y;
    } rows[] = {
        {kTagSmallLeft, "小喇叭剩余数量 %u条", m_Info.dwSmallCount, 185},
        {kTagBigLeft, "大喇叭剩余数量 %u条", m_Info.dwBigCount, 210},
    };
    for (const auto& row : rows)
    {
        char text[64];
        std::snprintf(text, sizeof(text), row.format, static_cast<unsigned>(row.count));
        if (auto* label = dynamic_cast<CCLabelTTF*>(m_pBackground->getChildByTag(row.tag)))
            label->setString(text);
        else
            AddDialogChild(m_pBackground, MakeLabel(text, "Arial", 370, ccc3(0, 0, 0), CCPoint(20, row.y)), 1, row.tag);
    }
}

void CDlgSpeaker::OnControlButton(CCObject* sender, unsigned int) { OnButton(sender); }

void CDlgSpeaker::OnButton(CCObject* sender)
{
    auto* node = dynamic_cast<CCNode*>(sender);
    if (node == nullptr || node->getTag() != kTagSend)
    {
        m_pField->closeInput();
        removeFromParentAndCleanup(true);
        return;
    }
    const std::string text = m_pField->getInputText();
    if (text.empty())
        CClientGlobal::ShowMessageBox(CClientGlobal::UTF8ToGBK("喇叭内容为空"));
    else if (g_pRoomScene != nullptr)
        g_pRoomScene->GetSession().SendSpeaker(m_nKind, text);
    m_pField->setText("");
}
