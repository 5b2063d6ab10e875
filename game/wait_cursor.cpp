#include "wait_cursor.h"

namespace wait_cursor {

namespace {
const Ops* g_ops = nullptr;
}

void Install(const Ops* ops) { g_ops = ops; }

void Begin() {
    if (g_ops != nullptr && g_ops->begin != nullptr)
        g_ops->begin();
}

void Restore() {
    if (g_ops != nullptr && g_ops->restore != nullptr)
        g_ops->restore();
}

void End() {
    if (g_ops != nullptr && g_ops->end != nullptr)
        g_ops->end();
}

} // namespace wait_cursor
