// The room's loudspeaker dialog: the small or the big loudspeaker, its price
// and how many of each are left, a line of text, and the request that sends
// it to the room server. The room opens it when the server sends the
// player's allowance; the server decides whether the player may pay.
#pragma once

#include "room/RoomMessages.h"
#include "ui/Dialog.h"

class CCCursorTextField;

class CDlgSpeaker : public Dialog
{
public:
    enum
    {
        kKindSmall = 0,
        kKindBig = 1
    };
    enum
    {
        kTagSend = 100,
        kTagClose = 101,
        kTagPriceLine = 10001,
        kTagPrice = 10002,
        // Parts of our own.
        kTagBackground = 1,
        kTagField = 2,
        kTagMenu = 3,
        kTagSmallLeft = 4,
        kTagBigLeft = 5,
        kTagNote = 6
    };
    // The room's tag for the open dialog.
    enum
    {
        kDialogTag = 5604
    };
    // Characters of the text field, for both loudspeakers.
    static constexpr int kMaxLength = 100;

    static CDlgSpeaker* create();
    bool init() override;

    // Keeps a copy of the allowance and chooses the big loudspeaker.
    void SetSpeakerInfo(const tagSpeakerInfo& info);
    // A choice item: the small (first) or the big one. A chosen item stays
    // chosen when pressed again.
    void OnKindSelected(cocos2d::CCObject* item);
    // Send (tag 100) sends the text and empties the field, keeping the dialog
    // open; any other button closes it.
    void OnButton(cocos2d::CCObject* button);
    void OnControlButton(cocos2d::CCObject* button, unsigned int controlEvent);

    int GetKind() const { return m_nKind; }
    bool IsSelected(int kind) const { return m_bSelected[kind != 0]; }
    const tagSpeakerInfo& GetSpeakerInfo() const { return m_Info; }
    CCCursorTextField* GetField() const { return m_pField; }
    cocos2d::CCMenuItemImage* GetItem(int kind) const { return m_pItems[kind != 0]; }
    cocos2d::CCSprite* GetBackground() const { return m_pBackground; }

private:
    void ShowChoice(int kind, bool selected);
    void ShowLeftCounts();

    tagSpeakerInfo m_Info{};
    int m_nKind = kKindBig;
    bool m_bSelected[2] = {false, false};
    cocos2d::CCSprite* m_pBackground = nullptr;
    CCCursorTextField* m_pField = nullptr;
    cocos2d::CCMenuItemImage* m_pItems[2] = {nullptr, nullptr};
};
