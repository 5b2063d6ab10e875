#include "wait_cursor.h"

namespace {
const WaitCursorOps* g_ops = nullptr;
}

void SetWaitCursorOps(const WaitCursorOps* ops) { g_ops = ops; }

void BeginWaitCursor() {
    if (g_ops != nullptr && g_ops->begin != nullptr)
        g_ops->begin();
}

void RestoreWaitCursor() {
    if (g_ops != nullptr && g_ops->restore != nullptr)
        g_ops->restore();
}

void EndWaitCursor() {
    if (g_ops != nullptr && g_ops->end != nullptr)
        g_ops->end();
}
