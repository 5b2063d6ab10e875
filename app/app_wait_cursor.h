// CAppWaitCursor: while one lives, the computer player's wait cursor is the application's.
#pragma once

class CAppWaitCursor {
public:
    CAppWaitCursor();
    ~CAppWaitCursor();
    CAppWaitCursor(const CAppWaitCursor&) = delete;
    CAppWaitCursor& operator=(const CAppWaitCursor&) = delete;
};
