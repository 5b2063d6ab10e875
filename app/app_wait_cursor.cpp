#include "app/app_wait_cursor.h"

#include "framework/app.h"
#include "game/wait_cursor.h"

namespace {

void AppBeginWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->BeginWaitCursor();
}

void AppRestoreWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->RestoreWaitCursor();
}

void AppEndWaitCursor() {
    if (CWinApp* pApp = CWinApp::GetApp())
        pApp->EndWaitCursor();
}

const wait_cursor::Ops APP_WAIT_CURSOR = {&AppBeginWaitCursor, &AppRestoreWaitCursor,
                                          &AppEndWaitCursor};

} // namespace

CAppWaitCursor::CAppWaitCursor() { wait_cursor::Install(&APP_WAIT_CURSOR); }

CAppWaitCursor::~CAppWaitCursor() { wait_cursor::Install(nullptr); }
