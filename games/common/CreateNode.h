// Two-phase construction of the games' nodes, as the engine's own: new,
// init, autorelease; null when either fails (a failed init deletes the node).
#pragma once

#include <new>

namespace games {

template <class Node>
Node* CreateNode()
{
    auto* node = new (std::nothrow) Node();
    if (node != nullptr && node->init())
    {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

}  // namespace games
