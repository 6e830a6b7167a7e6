#include "core/ClientGlobal.h"
#include "ui/GBKLabel.h"
#include "ui/MyPoint.h"
#include "ui/VisibleRect.h"
#include "ui/WebBrowserHost.h"
#include "ui/WinSizeRects.h"

using namespace cocos2d;

CMyPoint* CMyPoint::create(float x, float y)
{
    CMyPoint* point = new CMyPoint();
    point->m_point = CCPoint(x, y);
    point->autorelease();
    return point;
}

// Read from the view every time: the window can be maximised and restored,
// and the boards map mouse points with these.
CCRect VisibleRect::getVisibleRect()
{
    CCDirector* director = CCDirector::sharedDirector();
    CCPoint origin = director->getVisibleOrigin();
    CCSize size = director->getVisibleSize();
    return CCRect(origin.x, origin.y, size.width, size.height);
}

CCPoint VisibleRect::left()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x, r.origin.y + r.size.height / 2);
}

CCPoint VisibleRect::right()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width, r.origin.y + r.size.height / 2);
}

CCPoint VisibleRect::top()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width / 2, r.origin.y + r.size.height);
}

CCPoint VisibleRect::bottom()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width / 2, r.origin.y);
}

CCPoint VisibleRect::center()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2);
}

CCPoint VisibleRect::leftTop()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x, r.origin.y + r.size.height);
}

CCPoint VisibleRect::rightTop()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width, r.origin.y + r.size.height);
}

CCPoint VisibleRect::leftBottom() { return getVisibleRect().origin; }

CCPoint VisibleRect::rightBottom()
{
    CCRect r = getVisibleRect();
    return CCPoint(r.origin.x + r.size.width, r.origin.y);
}

CCPoint VisibleRect::windowToGL(const CCPoint& windowPixel)
{
    CCEGLView* view = CCDirector::sharedDirector()->getOpenGLView();
    if (view == nullptr || view->getScaleX() == 0 || view->getScaleY() == 0)
        return windowPixel;
    const CCRect& port = view->getViewPortRect();
    return CCPoint((windowPixel.x - port.origin.x) / view->getScaleX(),
                   (windowPixel.y - port.origin.y) / view->getScaleY());
}

CCLabelTTF* CreateGBKLabel(const std::string& gbkText, const char* fontName, float fontSize)
{
    return CCLabelTTF::create(CClientGlobal::GBKToUTF8(gbkText).c_str(), fontName != nullptr ? fontName : "", fontSize);
}

CWinSizeRects* CWinSizeRects::GetInstance()
{
    static CWinSizeRects* rects = [] {
        auto* r = new CWinSizeRects();
        r->Refresh();
        return r;
    }();
    return rects;
}

void CWinSizeRects::Refresh()
{
    m_rcWindow = VisibleRect::getVisibleRect();
    const float x = m_rcWindow.origin.x, y = m_rcWindow.origin.y;
    const float w = m_rcWindow.size.width, h = m_rcWindow.size.height;
    const float below = h > kTitleHeight ? h - kTitleHeight : 0;
    m_rcTitle = CCRect(x, y + below, w, h - below);
    m_rcLeft = CCRect(x, y, kBorder, below);
    m_rcRight = CCRect(x + w - kBorder, y, kBorder, below);
    m_rcBottom = CCRect(x, y, w, kBorder);
    m_rcClient =
        CCRect(x + kBorder, y + kBorder, w > 2 * kBorder ? w - 2 * kBorder : 0, below > kBorder ? below - kBorder : 0);
}

CWebBrowserHost* CWebBrowserHost::GetInstance()
{
    static CWebBrowserHost* host = new CWebBrowserHost();
    return host;
}

void CWebBrowserHost::ShowWebWindows(bool) {}
