#include "ui/UiServices.h"

#include "core/ClientGlobal.h"
#include "ui/Dialog.h"

#include "cocos2d.h"

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
    CCLabelTTF* label = CCLabelTTF::create(utf8.c_str(), font.c_str(), size);
    return label != nullptr ? label->getContentSize().width : 0.0f;
}

}  // namespace

void InstallUiCoreServices()
{
    CClientGlobal::SetMessageBoxHandler(&ShowMessageBoxDialog);
    CClientGlobal::SetTextMeasure(&LabelWidth);
}
