// The text input of every dialog: a box with a caret, password masking, a
// maximum length, read-only mode and a right-click menu to copy and paste.
//
// Typed text reaches the field that is editing through InsertText and
// DeleteBackward, which the application's window hook calls.
#pragma once

#include "cocos2d.h"

#include <string>

class CCCursorTextField : public cocos2d::CCLayer
{
public:
    static constexpr float kCaretBlink = 0.5f;
    enum
    {
        kMenuCopy = 1,
        kMenuPaste = 2
    };

    static CCCursorTextField* create(const char* placeholder, const char* fontName, float fontSize,
                                     const cocos2d::CCSize& box);
    ~CCCursorTextField() override;
    bool initField(const char* placeholder, const char* fontName, float fontSize, const cocos2d::CCSize& box);

    void onEnter() override;
    void onExit() override;
    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;

    // GBK text; the caret goes behind it. "" empties the field.
    void setText(const std::string& gbkText);
    // The text as typed (GBK) and as shown ('*' for each character when masked).
    const std::string& getInputText() const { return m_strInput; }
    std::string getShowText() const;

    void setPasswordMode(bool on);
    bool isPasswordMode() const { return m_bPassword; }
    // Characters at most; 0 = no limit. Input that would pass it is refused.
    void setMaxLength(int length) { m_nMaxLength = length; }
    int getMaxLength() const { return m_nMaxLength; }
    // A read-only field does not start editing when touched.
    void setReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
    bool isReadOnly() const { return m_bReadOnly; }

    // The line sits in the middle of the box, or at its top.
    void setVerticalAlignment(cocos2d::CCVerticalTextAlignment alignment);
    void setTextColor(const cocos2d::ccColor3B& color);
    void setPlaceholderColor(const cocos2d::ccColor3B& color);

    void openInput();
    void closeInput();
    bool isEditing() const { return s_pEditing == this; }
    static CCCursorTextField* GetEditingField() { return s_pEditing; }

    // UTF-8 typed or pasted; false when refused (read-only, too long).
    bool InsertText(const std::string& utf8);
    void DeleteBackward();

    // The right-click menu's entries, also reached by Ctrl+C / Ctrl+V.
    bool CopyToClipboard();
    bool PasteFromClipboard();
    bool isMenuShown() const { return m_pMenu != nullptr; }
    void OnMenuItem(int item);

    bool containsWorldPoint(const cocos2d::CCPoint& world);

private:
    void refresh();
    void blinkCaret(float dt);
    void onRightButtonUp(cocos2d::CCObject* point);
    void onCopy(cocos2d::CCObject*);
    void onPaste(cocos2d::CCObject*);
    void showMenu(const cocos2d::CCPoint& world);
    void hideMenu();

    static CCCursorTextField* s_pEditing;

    std::string m_strInput;  // GBK
    std::string m_strPlaceholder;
    cocos2d::CCLabelTTF* m_pLabel = nullptr;
    cocos2d::CCLayerColor* m_pCaret = nullptr;
    cocos2d::CCLayer* m_pMenu = nullptr;
    cocos2d::ccColor3B m_textColor{255, 255, 255};
    cocos2d::ccColor3B m_placeholderColor{127, 127, 127};
    cocos2d::CCVerticalTextAlignment m_eVAlign = cocos2d::kCCVerticalTextAlignmentCenter;
    int m_nMaxLength = 0;
    bool m_bPassword = false;
    bool m_bReadOnly = false;
};
