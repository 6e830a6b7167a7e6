#include "ui/WindowCaption.h"

#include "ui/ImageButton.h"
#include "ui/VisibleRect.h"

#include "cocos-ext.h"

#include <vector>

using namespace cocos2d;
using namespace cocos2d::extension;

namespace window_caption {

namespace {

enum class Hit
{
    kNothing,
    kButton,
    kCaption,
    kClient
};

bool ButtonAt(CCNode* node, const CCPoint& world)
{
    if (auto* image = dynamic_cast<CImageButton*>(node))
        return image->isEnabled() && image->hitTest(world);
    auto* control = dynamic_cast<CCControl*>(node);
    auto* item = dynamic_cast<CCMenuItem*>(node);
    if ((control == nullptr || !control->isEnabled()) && (item == nullptr || !item->isEnabled()))
        return false;
    const CCPoint local = node->convertToNodeSpace(world);
    const CCSize size = node->getContentSize();
    return CCRect(0, 0, size.width, size.height).containsPoint(local);
}

Hit NodeAt(CCNode* node, const CCPoint& world)
{
    if (ButtonAt(node, world))
        return Hit::kButton;
    if (auto* frame = dynamic_cast<IWindowCaption*>(node); frame != nullptr && frame->FrameContains(world))
        return frame->CaptionContains(world) ? Hit::kCaption : Hit::kClient;
    return Hit::kNothing;
}

// The shown subtree front to back: children above the node, the node, the
// children below it, each group last drawn first.
Hit FrontToBack(CCNode* node, const CCPoint& world)
{
    if (node == nullptr || !node->isVisible())
        return Hit::kNothing;
    node->sortAllChildren();
    std::vector<CCNode*> children;
    if (CCArray* list = node->getChildren())
        for (unsigned int i = 0; i < list->count(); ++i)
            children.push_back(static_cast<CCNode*>(list->objectAtIndex(i)));
    size_t below = 0;
    while (below < children.size() && children[below]->getZOrder() < 0)
        ++below;
    for (size_t i = children.size(); i > below; --i)
        if (const Hit hit = FrontToBack(children[i - 1], world); hit != Hit::kNothing)
            return hit;
    if (const Hit hit = NodeAt(node, world); hit != Hit::kNothing)
        return hit;
    for (size_t i = below; i > 0; --i)
        if (const Hit hit = FrontToBack(children[i - 1], world); hit != Hit::kNothing)
            return hit;
    return Hit::kNothing;
}

}  // namespace

bool IsCaptionAt(CCNode* scene, CCNode* topLayer, const CCPoint& world)
{
    Hit hit = FrontToBack(topLayer, world);
    if (hit == Hit::kNothing)
        hit = FrontToBack(scene, world);
    return hit == Hit::kCaption;
}

bool FrameAt(CCNode* frame, const CCPoint& world)
{
    return VisibleRect::getVisibleRect().containsPoint(frame->convertToNodeSpace(world));
}

bool TopStripAt(CCNode* frame, const CCPoint& world, float depth)
{
    const CCPoint local = frame->convertToNodeSpace(world);
    const CCRect visible = VisibleRect::getVisibleRect();
    return visible.containsPoint(local) && local.y >= visible.getMaxY() - depth;
}

}  // namespace window_caption
