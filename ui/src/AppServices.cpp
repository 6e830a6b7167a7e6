#include "ui/AppServices.h"

using namespace cocos2d;

namespace app_services {

namespace {

IAppServices* g_services = nullptr;
InputTargetResolver g_inputResolver = nullptr;
ResizeHandler g_resizeHandler = nullptr;
CloseHandler g_closeHandler = nullptr;

}  // namespace

IAppServices* Get() { return g_services; }

void Install(IAppServices* services) { g_services = services; }

void PlayLoopMusic(const char* name)
{
    if (g_services != nullptr)
        g_services->playLoopMusic(name);
}

void StopBackgroundMusic()
{
    if (g_services != nullptr)
        g_services->stopBackgroundMusic();
}

CCSize WindowSize()
{
    if (g_services != nullptr)
        return CCSize(static_cast<float>(g_services->GetWindowWidth()),
                      static_cast<float>(g_services->GetWindowHeight()));
    return CCEGLView::sharedOpenGLView()->getFrameSize();
}

bool IsMaximized() { return g_services != nullptr && g_services->IsMaximized(); }

void ToggleMaximize()
{
    if (g_services != nullptr)
        g_services->ToggleMaximize();
}

void SetInputTargetResolver(InputTargetResolver resolver) { g_inputResolver = resolver; }
InputTargetResolver GetInputTargetResolver() { return g_inputResolver; }
void SetResizeHandler(ResizeHandler handler) { g_resizeHandler = handler; }
ResizeHandler GetResizeHandler() { return g_resizeHandler; }
void SetCloseHandler(CloseHandler handler) { g_closeHandler = handler; }
CloseHandler GetCloseHandler() { return g_closeHandler; }

}  // namespace app_services
