#pragma once

// Walks the accessibility tree as a screen reader finds it: `root`'s node and every
// node below it. A hidden node and what lies below it are passed over unless
// `withHidden`.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QObject>

#include <functional>

inline void visitAccessible(QAccessibleInterface *node, const std::function<void(QAccessibleInterface *)> &visit,
                            bool withHidden = false)
{
    if (!node || (!withHidden && node->state().invisible))
        return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        visitAccessible(node->child(i), visit, withHidden);
}

inline void visitAccessible(QObject *root, const std::function<void(QAccessibleInterface *)> &visit,
                            bool withHidden = false)
{
    visitAccessible(QAccessible::queryAccessibleInterface(root), visit, withHidden);
}
