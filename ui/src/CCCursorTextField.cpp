#include "ui/CCCursorTextField.h"

#include "core/ClientGlobal.h"
#include "platform/Clipboard.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"
#include "ui/WindyTopLayer.h"

using namespace cocos2d;

CCCursorTextField* CCCursorTextField::s_pEditing = nullptr;

namespace {

size_t CountChars(const std::string& utf8)
{
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

// A small two-entry menu that closes on any touch outside it.
class FieldMenu : public CCLayerColor
{
public:
    static FieldMenu* create(CCCursorTextField* field)
    {
        FieldMenu* menu = new FieldMenu();
        menu->m_pField = field;
        menu->initWithColor(ccc4(245, 245, 245, 255), kWidth, 2 * kRow);
        menu->autorelease();
        const char* names[2] = {"复制", "粘贴"};
        for (int i = 0; i < 2; ++i)
        {
            CCLabelTTF* label = CCLabelTTF::create(names[i], "Arial", 14);
            label->setColor(ccc3(0, 0, 0));
            label->setAnchorPoint(CCPoint(0, 0.5f));
            label->setPosition(CCPoint(10, kRow * (1.5f - i)));
            menu->addChild(label);
        }
        menu->setTouchPriority(-130);
        menu->setTouchEnabled(true);
        return menu;
    }
    void registerWithTouchDispatcher() override
    {
        CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), true);
    }
    bool ccTouchBegan(CCTouch* touch, CCEvent*) override
    {
        CCPoint local = convertToNodeSpace(touch->getLocation());
        int item = 0;
        if (local.x >= 0 && local.x <= kWidth && local.y >= 0 && local.y <= 2 * kRow)
            item = local.y >= kRow ? CCCursorTextField::kMenuCopy : CCCursorTextField::kMenuPaste;
        m_pField->OnMenuItem(item);  // removes this menu
        return true;
    }

    static constexpr float kWidth = 70;
    static constexpr float kRow = 24;
    CCCursorTextField* m_pField = nullptr;
};

}  // namespace

CCCursorTextField* CCCursorTextField::create(const char* placeholder, const char* fontName, float fontSize,
                                             const CCSize& box)
{
    CCCursorTextField* field = new CCCursorTextField();
    if (!field->initField(placeholder, fontName, fontSize, box))
    {
        delete field;
        return nullptr;
    }
    field->autorelease();
    return field;
}

CCCursorTextField::~CCCursorTextField()
{
    if (s_pEditing == this)
        s_pEditing = nullptr;
    CCNotificationCenter* center = CCNotificationCenter::sharedNotificationCenter();
    center->removeObserver(this, notify::kRButtonUp);
    center->removeObserver(this, notify::kCopy);
    center->removeObserver(this, notify::kPaste);
}

bool CCCursorTextField::initField(const char* placeholder, const char* fontName, float fontSize, const CCSize& box)
{
    if (!CCLayer::init())
        return false;
    ignoreAnchorPointForPosition(false);
    setAnchorPoint(CCPoint(0, 0));
    setContentSize(box);
    m_strPlaceholder = placeholder != nullptr ? placeholder : "";
    // One line, clipped to the box; a longer text slides left so that its
    // end and the caret stay in view.
    m_pLabel = CCLabelTTF::create("", fontName != nullptr ? fontName : "", fontSize);
    m_pLabel->setAnchorPoint(CCPoint(0, 0.5f));
    addChild(m_pLabel);
    setClipRect(CCRect(0, 0, box.width, box.height));
    m_pCaret = CCLayerColor::create(ccc4(255, 255, 255, 255), 2, fontSize + 2);
    m_pCaret->setVisible(false);
    addChild(m_pCaret, 1);
    setTouchEnabled(true);
    refresh();
    return true;
}

void CCCursorTextField::onEnter()
{
    CCLayer::onEnter();
    CCNotificationCenter* center = CCNotificationCenter::sharedNotificationCenter();
    center->addObserver(this, callfuncO_selector(CCCursorTextField::onRightButtonUp), notify::kRButtonUp, nullptr);
    center->addObserver(this, callfuncO_selector(CCCursorTextField::onCopy), notify::kCopy, nullptr);
    center->addObserver(this, callfuncO_selector(CCCursorTextField::onPaste), notify::kPaste, nullptr);
}

void CCCursorTextField::onExit()
{
    closeInput();
    hideMenu();
    CCNotificationCenter* center = CCNotificationCenter::sharedNotificationCenter();
    center->removeObserver(this, notify::kRButtonUp);
    center->removeObserver(this, notify::kCopy);
    center->removeObserver(this, notify::kPaste);
    CCLayer::onExit();
}

void CCCursorTextField::registerWithTouchDispatcher()
{
    // Not swallowing: a touch elsewhere must still reach the rest.
    CCDirector::sharedDirector()->getTouchDispatcher()->addTargetedDelegate(this, getTouchPriority(), false);
}

bool CCCursorTextField::containsWorldPoint(const CCPoint& world)
{
    for (CCNode* node = this; node != nullptr; node = node->getParent())
        if (!node->isVisible())
            return false;
    CCPoint local = convertToNodeSpace(world);
    return local.x >= 0 && local.y >= 0 && local.x <= getContentSize().width && local.y <= getContentSize().height;
}

bool CCCursorTextField::ccTouchBegan(CCTouch* touch, CCEvent*)
{
    if (containsWorldPoint(touch->getLocation()))
    {
        if (!m_bReadOnly)
            openInput();
    }
    else if (isEditing())
    {
        closeInput();
    }
    return false;
}

void CCCursorTextField::setText(const std::string& gbkText)
{
    m_strInput = gbkText;
    refresh();
}

std::string CCCursorTextField::getShowText() const
{
    if (!m_bPassword)
        return m_strInput;
    return std::string(CountChars(CClientGlobal::GBKToUTF8(m_strInput)), '*');
}

void CCCursorTextField::setPasswordMode(bool on)
{
    m_bPassword = on;
    refresh();
}

void CCCursorTextField::setVerticalAlignment(CCVerticalTextAlignment alignment)
{
    m_eVAlign = alignment;
    refresh();
}

void CCCursorTextField::setTextColor(const ccColor3B& color)
{
    m_textColor = color;
    refresh();
}

void CCCursorTextField::setPlaceholderColor(const ccColor3B& color)
{
    m_placeholderColor = color;
    refresh();
}

void CCCursorTextField::openInput()
{
    if (m_bReadOnly || isEditing())
        return;
    if (s_pEditing != nullptr)
        s_pEditing->closeInput();
    s_pEditing = this;
    m_pCaret->setVisible(true);
    schedule(schedule_selector(CCCursorTextField::blinkCaret), kCaretBlink);
    refresh();
}

void CCCursorTextField::closeInput()
{
    if (s_pEditing == this)
        s_pEditing = nullptr;
    unschedule(schedule_selector(CCCursorTextField::blinkCaret));
    if (m_pCaret != nullptr)
        m_pCaret->setVisible(false);
    refresh();
}

bool CCCursorTextField::InsertText(const std::string& utf8)
{
    if (m_bReadOnly || utf8.empty())
        return false;
    std::string clean;
    for (char c : utf8)
        if (c != '\r' && c != '\n')
            clean.push_back(c);
    const std::string current = CClientGlobal::GBKToUTF8(m_strInput);
    if (m_nMaxLength > 0 && CountChars(current) + CountChars(clean) > static_cast<size_t>(m_nMaxLength))
        return false;
    m_strInput += CClientGlobal::UTF8ToGBK(clean);
    refresh();
    return true;
}

void CCCursorTextField::DeleteBackward()
{
    if (m_bReadOnly || m_strInput.empty())
        return;
    std::string utf8 = CClientGlobal::GBKToUTF8(m_strInput);
    size_t end = utf8.size();
    do
        --end;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80);
    m_strInput = CClientGlobal::UTF8ToGBK(utf8.substr(0, end));
    refresh();
}

bool CCCursorTextField::CopyToClipboard()
{
    // A password never leaves the field.
    if (m_bPassword || m_strInput.empty())
        return false;
    return CClientGlobal::CopyUTF8TextToClipboard(CClientGlobal::GBKToUTF8(m_strInput));
}

bool CCCursorTextField::PasteFromClipboard() { return InsertText(platform::GetClipboardText()); }

void CCCursorTextField::OnMenuItem(int item)
{
    hideMenu();
    if (item == kMenuCopy)
        CopyToClipboard();
    else if (item == kMenuPaste)
        PasteFromClipboard();
}

void CCCursorTextField::showMenu(const CCPoint& world)
{
    hideMenu();
    FieldMenu* menu = FieldMenu::create(this);
    menu->setPosition(CCPoint(world.x, world.y - 2 * FieldMenu::kRow));
    WindyTopLayer::sharedTopLayer()->addChild(menu, 2000);
    m_pMenu = menu;
}

void CCCursorTextField::hideMenu()
{
    if (m_pMenu == nullptr)
        return;
    CCLayer* menu = m_pMenu;
    m_pMenu = nullptr;
    menu->removeFromParentAndCleanup(true);
}

void CCCursorTextField::onRightButtonUp(CCObject* object)
{
    auto* point = dynamic_cast<CMyPoint*>(object);
    if (point == nullptr)
        return;
    const CCPoint world = VisibleRect::windowToGL(point->m_point);
    if (containsWorldPoint(world))
        showMenu(world);
}

void CCCursorTextField::onCopy(CCObject*)
{
    if (isEditing())
        CopyToClipboard();
}

void CCCursorTextField::onPaste(CCObject*)
{
    if (isEditing())
        PasteFromClipboard();
}

void CCCursorTextField::blinkCaret(float)
{
    if (m_pCaret != nullptr)
        m_pCaret->setVisible(!m_pCaret->isVisible());
}

void CCCursorTextField::refresh()
{
    if (m_pLabel == nullptr)
        return;
    const bool empty = m_strInput.empty();
    if (empty && !isEditing())
    {
        m_pLabel->setString(CClientGlobal::GBKToUTF8(m_strPlaceholder).c_str());
        m_pLabel->setColor(m_placeholderColor);
    }
    else
    {
        m_pLabel->setString(CClientGlobal::GBKToUTF8(getShowText()).c_str());
        m_pLabel->setColor(m_textColor);
    }
    const CCSize box = getContentSize();
    const float textWidth = empty ? 0 : m_pLabel->getContentSize().width;
    const float room = box.width - m_pCaret->getContentSize().width - 1;
    const float shift = textWidth > room ? textWidth - room : 0;
    const float caretHeight = m_pCaret->getContentSize().height;
    const float middle = m_eVAlign == kCCVerticalTextAlignmentTop ? box.height - caretHeight / 2 - 2 : box.height / 2;
    m_pLabel->setPosition(CCPoint(-shift, middle));
    m_pCaret->setPosition(CCPoint(textWidth - shift, middle - caretHeight / 2));
    m_pCaret->setColor(m_textColor);
}
