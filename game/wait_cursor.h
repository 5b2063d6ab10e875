// The wait-cursor seam: the Windows build installs the real cursor, natively nothing is shown.
#pragma once

struct WaitCursorOps {
    void (*begin)();
    void (*restore)();
    void (*end)();
};

// Installs the cursor operations; nullptr removes them. The object must outlive its use.
void SetWaitCursorOps(const WaitCursorOps* ops);

void BeginWaitCursor();
void RestoreWaitCursor();
void EndWaitCursor();

// Ends the wait cursor however the scope is left, exceptions included.
class CWaitCursorScope {
public:
    CWaitCursorScope() { BeginWaitCursor(); }
    ~CWaitCursorScope() { EndWaitCursor(); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;
};
