// The wait-cursor seam: the Windows build installs the real cursor, natively nothing is shown.
#pragma once

namespace wait_cursor {

struct Ops {
    void (*begin)();
    void (*restore)();
    void (*end)();
};

// Installs the cursor operations; nullptr removes them. The object must outlive its use.
void Install(const Ops* ops);

void Begin();
void Restore();
void End();

} // namespace wait_cursor

// Ends the wait cursor however the scope is left, exceptions included.
class CWaitCursorScope {
public:
    CWaitCursorScope() { wait_cursor::Begin(); }
    ~CWaitCursorScope() { wait_cursor::End(); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;
};
