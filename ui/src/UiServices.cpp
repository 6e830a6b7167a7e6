#include "ui/UiServices.h"

#include "core/ClientGlobal.h"
#include "platform/Clipboard.h"
#include "ui/Dialog.h"

#include "cocos2d.h"

#include <string>
#include <unordered_map>

using namespace cocos2d;

namespace {

void ShowMessageBoxDialog(const std::string& gbkText)
{
    Dialog* dialog = Dialog::create();
    if (dialog != nullptr)
        dialog->ShowMessage(CClientGlobal::UTF8ToGBK("友情提示").c_str(), gbkText.c_str());
}

float LabelWidth(const std::string& utf8, const std::string& font, float size)
{
    // Wrapping measures one character at a time, and chat and lists wrap the
    // same few hundred characters again and again: a drawn label each time
    // would cost a texture.
    static std::unordered_map<std::string, float> widths;
    std::string key = font;
    key += '\x1f';
    key += std::to_string(size);
    key += '\x1f';
    key += utf8;
    auto it = widths.find(key);
    if (it != widths.end())
        return it->second;
    CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), font.c_str(), size);
    const float width = label != nullptr ? label->getContentSize().width : 0.0f;
    if (widths.size() >= 8192)
        widths.clear();
    widths.emplace(std::move(key), width);
    return width;
}

bool WindowOpen() { return CCEGLView::sharedOpenGLView()->isOpenGLReady(); }
bool SetWindowClipboard(const std::string& utf8) { return CCEGLView::sharedOpenGLView()->setClipboardText(utf8); }
bool GetWindowClipboard(std::string& utf8) { return CCEGLView::sharedOpenGLView()->getClipboardText(utf8); }

}  // namespace

void InstallUiCoreServices()
{
    CClientGlobal::SetMessageBoxHandler(&ShowMessageBoxDialog);
    CClientGlobal::SetTextMeasure(&LabelWidth);
    platform::SystemClipboard clipboard;
    clipboard.isReady = &WindowOpen;
    clipboard.setText = &SetWindowClipboard;
    clipboard.getText = &GetWindowClipboard;
    platform::SetSystemClipboard(clipboard);
}
