// Dialogs on real windows: data exchange, the ways a modal run ends, list data, nesting, the
// application's pre-filter inside the modal loop, and the message map.
#include "framework/app.h"
#include "framework/dialog.h"
#include "test_resources.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <iterator>

namespace {

constexpr UINT WM_RUN_START_ACTION = WM_APP + 1;
// A dialog that has not ended this long after it began fails its test.
constexpr UINT_PTR DEADLINE_TIMER = 0xDEAD;
constexpr UINT DEADLINE_MS = 5000;

std::wstring ListText(HWND hList, int index) {
    wchar_t text[64] = L"";
    ::SendMessageW(hList, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

// The Options dialog's fields and exchange; an action to run once its modal loop is going.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT templateId = 0, CWnd* pParent = nullptr)
        : CDialog(templateId, pParent) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SHOWWINDOW && wParam != 0)
            m_bShown = true;
        if (message == WM_INITDIALOG)
            m_bAttachedAtInit = FromHandlePermanent(m_hWnd) == this;
        if (message == WM_NCCREATE)
            m_bSawCreation = true;
        if (message == WM_RUN_START_ACTION) {
            m_onStart(*this);
            return 0;
        }
        if (message == WM_TIMER && wParam == DEADLINE_TIMER) {
            ADD_FAILURE() << "dialog " << m_nIDTemplate << " did not end within " << DEADLINE_MS
                          << " ms of its start";
            EndDialog(DIALOG_FAILED);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    int m_nFirst = -1;
    int m_bGuide = 0;
    int m_nLast = -1;
    std::function<void(CTestDialog&)> m_onStart;
    bool m_bShown = false;
    bool m_bAttachedAtInit = false;
    bool m_bSawCreation = false;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CDialog::OnInitDialog();
        if (m_onStart)
            ::PostMessageW(m_hWnd, WM_RUN_START_ACTION, 0, 0);
        ::SetTimer(m_hWnd, DEADLINE_TIMER, DEADLINE_MS, nullptr);
        return result;
    }

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBIndex(pDX, IDC_TEST_FIRST, m_nFirst);
        DDX_Check(pDX, IDC_TEST_GUIDE, m_bGuide);
        DDX_CBIndex(pDX, IDC_TEST_LAST, m_nLast);
    }
};

TEST(DataExchange, MovesFieldsIntoControlsAndBack) {
    CTestDialog dlg(IDD_TEST_LISTS);
    dlg.m_nFirst = 2;
    dlg.m_bGuide = 5;
    dlg.m_nLast = 7; // no such entry
    dlg.m_onStart = [](CTestDialog& d) {
        const HWND hFirst = d.GetDlgItem(IDC_TEST_FIRST);
        const HWND hLast = d.GetDlgItem(IDC_TEST_LAST);
        const HWND hGuide = d.GetDlgItem(IDC_TEST_GUIDE);

        // The lists were filled before the values went in.
        EXPECT_EQ(::SendMessageW(hFirst, CB_GETCOUNT, 0, 0), 6);
        EXPECT_EQ(ListText(hFirst, 0), L"\u4eba\u9593");
        EXPECT_EQ(ListText(hLast, 5), L"COM(Lv 5)");
        EXPECT_EQ(::SendMessageW(hFirst, CB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(::SendMessageW(hLast, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(d.m_bGuide, 0); // set to 0 in the field itself
        EXPECT_EQ(::SendMessageW(hGuide, BM_GETCHECK, 0, 0), BST_UNCHECKED);

        EXPECT_TRUE(d.UpdateData(TRUE));
        EXPECT_EQ(d.m_nFirst, 2);
        EXPECT_EQ(d.m_nLast, -1);
        EXPECT_EQ(d.m_bGuide, 0);

        d.m_nFirst = -1;
        d.m_bGuide = 2; // in range: kept, and shown as ticked by a two-state box
        d.UpdateData(FALSE);
        EXPECT_EQ(::SendMessageW(hFirst, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(d.m_bGuide, 2);
        d.UpdateData(TRUE);
        EXPECT_EQ(d.m_nFirst, -1);
        EXPECT_EQ(d.m_bGuide, 1);

        d.m_bGuide = -1;
        d.UpdateData(FALSE);
        EXPECT_EQ(d.m_bGuide, 0);
        EXPECT_EQ(::SendMessageW(hGuide, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

struct EndingCase {
    const char* name;
    void (*end)(HWND hDlg); // run once the loop is going, the focus on the first list
    INT_PTR result;
};

void PrintTo(const EndingCase& c, std::ostream* os) { *os << c.name; }

void PostToFocus(UINT key) {
    const HWND hFocus = ::GetFocus();
    ::PostMessageW(hFocus, WM_KEYDOWN, key, 1);
    ::PostMessageW(hFocus, WM_KEYUP, key, 0xC0000001);
}

class ModalEnding : public testing::TestWithParam<EndingCase> {};

TEST_P(ModalEnding, ReturnsItsResultAndExchangesOutOnlyOnOK) {
    CTestDialog dlg(IDD_TEST_LISTS);
    dlg.m_nFirst = 0;
    dlg.m_bGuide = 1;
    dlg.m_nLast = 1;
    HWND hFocusAtStart = nullptr;
    dlg.m_onStart = [&](CTestDialog& d) {
        hFocusAtStart = ::GetFocus();
        ::SendMessageW(d.GetDlgItem(IDC_TEST_FIRST), CB_SETCURSEL, 4, 0);
        ::SendMessageW(d.GetDlgItem(IDC_TEST_GUIDE), BM_SETCHECK, BST_UNCHECKED, 0);
        GetParam().end(d.m_hWnd);
    };
    const INT_PTR result = dlg.DoModal();
    EXPECT_EQ(result, GetParam().result);
    EXPECT_TRUE(dlg.m_bShown);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_NE(hFocusAtStart, nullptr);
    if (result == IDOK) {
        EXPECT_EQ(dlg.m_nFirst, 4);
        EXPECT_EQ(dlg.m_bGuide, 0);
    } else {
        EXPECT_EQ(dlg.m_nFirst, 0);
        EXPECT_EQ(dlg.m_bGuide, 1);
    }
    EXPECT_EQ(dlg.m_nLast, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ModalEnding,
    testing::Values(EndingCase{"OkButton",
                               [](HWND h) {
                                   ::PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                                  reinterpret_cast<LPARAM>(::GetDlgItem(h, IDOK)));
                               },
                               IDOK},
                    EndingCase{"CancelButton",
                               [](HWND h) {
                                   ::PostMessageW(
                                       h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(::GetDlgItem(h, IDCANCEL)));
                               },
                               IDCANCEL},
                    EndingCase{"EnterKey", [](HWND) { PostToFocus(VK_RETURN); }, IDOK},
                    EndingCase{"EscapeKey", [](HWND) { PostToFocus(VK_ESCAPE); }, IDCANCEL},
                    EndingCase{"CloseBox",
                               [](HWND h) { ::PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); },
                               IDCANCEL}),
    [](const testing::TestParamInfo<EndingCase>& info) { return info.param.name; });

TEST(ModalRun, WithoutUsableListDataEndsAtOnceUnshown) {
    for (const UINT id : {IDD_TEST_NO_LIST_DATA, IDD_TEST_BAD_LIST_DATA, IDD_TEST_MISSING}) {
        CTestDialog dlg(id);
        EXPECT_EQ(dlg.DoModal(), -1) << "template " << id;
        EXPECT_FALSE(dlg.m_bShown);
    }
}

TEST(ModalRun, FromTheExecutablesResources) {
    CTestDialog dlg(IDD_TEST_LISTS);
    dlg.m_nLast = 3;
    std::wstring firstEntry;
    dlg.m_onStart = [&](CTestDialog& d) {
        firstEntry = ListText(d.GetDlgItem(IDC_TEST_FIRST), 0);
        ::PostMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(firstEntry, L"\u4eba\u9593");
    EXPECT_EQ(dlg.m_nLast, 3);

    // Without lists no list data is needed; and the same object runs again.
    CTestDialog plain(IDD_TEST_PLAIN);
    plain.m_onStart = [](CTestDialog& d) { ::PostMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(plain.DoModal(), IDOK);
    EXPECT_EQ(plain.DoModal(), IDOK);
}

// An application whose pre-filter turns F2 into a command for the main window, as an
// accelerator table would.
class CTestApp : public CWinApp {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        ++m_nSeen;
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2 && m_pMainWnd != nullptr) {
            ::PostMessageW(m_pMainWnd->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), 0);
            return TRUE;
        }
        return FALSE;
    }
    int m_nSeen = 0;
};

TEST(ModalRun, NestedDialogsDisableTheirOwnerAndThePreFilterSeesTheirMessages) {
    CTestApp app;
    CTestDialog outer(IDD_TEST_PLAIN);
    app.m_pMainWnd = &outer;
    bool ownerDisabledInside = false;
    HWND ownerInside = nullptr;
    INT_PTR innerResult = 0;
    bool ownerEnabledAfter = false;
    outer.m_onStart = [&](CTestDialog& o) {
        CTestDialog inner(IDD_TEST_LISTS); // no parent: owned by the application's main window
        inner.m_onStart = [&](CTestDialog& i) {
            ownerDisabledInside = !::IsWindowEnabled(o.m_hWnd);
            ownerInside = ::GetWindow(i.m_hWnd, GW_OWNER);
            PostToFocus(VK_F2); // becomes the main window's Cancel: not this dialog's
            ::PostMessageW(i.m_hWnd, WM_COMMAND, IDOK, 0);
        };
        innerResult = inner.DoModal();
        ownerEnabledAfter = ::IsWindowEnabled(o.m_hWnd) != FALSE;
    };
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerResult, IDOK);
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_NE(ownerInside, nullptr);
    EXPECT_TRUE(ownerEnabledAfter);
    EXPECT_GT(app.m_nSeen, 0);
}

// A window dragged half past each edge of the work area in turn (left, right, top, bottom): the
// dialog it opens stays whole on the work area, against that edge, over the window's middle.
TEST(ModalRun, ADialogOfAWindowHalfOffTheScreenStaysOnItsEdge) {
    for (int edge = 0; edge < 4; ++edge) {
        CTestDialog owner(IDD_TEST_PLAIN);
        RECT work = {}, placed = {}, over = {};
        owner.m_onStart = [&](CTestDialog& o) {
            MONITORINFO monitor = {};
            monitor.cbSize = sizeof(monitor);
            ::GetMonitorInfoW(::MonitorFromWindow(o.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
            work = monitor.rcWork;
            ::GetWindowRect(o.m_hWnd, &over);
            const LONG w = over.right - over.left, h = over.bottom - over.top;
            const LONG midX = (work.left + work.right - w) / 2;
            const LONG midY = (work.top + work.bottom - h) / 2;
            const LONG x[4] = {work.left - w / 2, work.right - w / 2, midX, midX};
            const LONG y[4] = {midY, midY, work.top - h / 2, work.bottom - h / 2};
            ::SetWindowPos(o.m_hWnd, nullptr, x[edge], y[edge], 0, 0, SWP_NOSIZE);
            ::GetWindowRect(o.m_hWnd, &over);
            CTestDialog inner(IDD_TEST_LISTS, &o);
            inner.m_onStart = [&](CTestDialog& i) {
                ::GetWindowRect(i.m_hWnd, &placed);
                i.EndDialog(IDOK);
            };
            inner.DoModal();
            o.EndDialog(IDOK);
        };
        ASSERT_EQ(owner.DoModal(), IDOK);
        const LONG offEdge[4] = {placed.left - work.left, placed.right - work.right,
                                 placed.top - work.top, placed.bottom - work.bottom};
        EXPECT_EQ(offEdge[edge], 0) << "edge " << edge;
        const LONG offMiddle = edge < 2 ? placed.top + placed.bottom - over.top - over.bottom
                                        : placed.left + placed.right - over.left - over.right;
        EXPECT_LE(std::abs(offMiddle), 1) << "edge " << edge;
    }
}

TEST(ModalRun, QuitRequestEndsTheLoopAndIsPassedOn) {
    CTestDialog dlg(IDD_TEST_PLAIN);
    dlg.m_onStart = [](CTestDialog&) { ::PostQuitMessage(5); };
    EXPECT_EQ(dlg.DoModal(), DIALOG_QUIT);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

constexpr UINT ID_TEST_COMMAND = 32771;
constexpr UINT ID_SHOW_MESSAGE = 32772;
constexpr UINT TEST_TIMER = 1;

// Every kind of map entry, recording what reached it.
class CMappedDialog : public CTestDialog {
public:
    CMappedDialog() : CTestDialog(IDD_TEST_PLAIN) {}

    const CMessageMap* GetMessageMap() const override {
        static const CMessageEntry entries[] = {
            MapSysCommand<CMappedDialog>(&CMappedDialog::OnSysCommand),
            MapPaint<CMappedDialog>(&CMappedDialog::OnPaint),
            MapNcPaint<CMappedDialog>(&CMappedDialog::OnNcPaint),
            MapQueryDragIcon<CMappedDialog>(&CMappedDialog::OnQueryDragIcon),
            MapSize<CMappedDialog>(&CMappedDialog::OnSize),
            MapLButtonDown<CMappedDialog>(&CMappedDialog::OnLButtonDown),
            MapLButtonDblClk<CMappedDialog>(&CMappedDialog::OnLButtonDblClk),
            MapTimer<CMappedDialog>(&CMappedDialog::OnTimer),
            MapCommand<CMappedDialog>(ID_TEST_COMMAND, &CMappedDialog::OnTestCommand),
            MapCommand<CMappedDialog>(ID_SHOW_MESSAGE, &CMappedDialog::OnShowMessage),
            MapDestroy<CMappedDialog>(&CMappedDialog::OnDestroy),
        };
        static const CMessageMap map = {CTestDialog::GetMessageMap(), entries, std::size(entries)};
        return &map;
    }

    void OnSysCommand(UINT nID, LPARAM lParam) {
        m_log += L"syscommand " + std::to_wstring(nID) + L" " + std::to_wstring(lParam) + L";";
    }
    void OnPaint() {
        m_log += L"paint;";
        // A message sent to the window in between must not become the one Default() handles.
        if (m_bNestInPaint)
            ::SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        Default();
    }
    void OnNcPaint() {
        m_log += L"ncpaint;";
        Default();
    }
    HCURSOR OnQueryDragIcon() { return ::LoadCursorW(nullptr, IDC_CROSS); }
    void OnSize(UINT nType, int cx, int cy) {
        m_log += L"size " + std::to_wstring(nType) + L" " + std::to_wstring(cx) + L"x" +
                 std::to_wstring(cy) + L";";
    }
    void OnLButtonDown(UINT nFlags, POINT point) {
        m_log += L"down " + std::to_wstring(nFlags) + L" " + std::to_wstring(point.x) + L"," +
                 std::to_wstring(point.y) + L";";
    }
    void OnLButtonDblClk(UINT, POINT) { m_log += L"dblclk;"; }
    virtual void OnTimer(UINT_PTR nIDEvent) {
        ++m_nTicks;
        if (nIDEvent != TEST_TIMER)
            m_log += L"timer " + std::to_wstring(nIDEvent) + L";";
        else if (m_nTicks >= 3)
            CloseMessageBox();
    }
    void OnTestCommand() { m_log += L"command;"; }
    // The box's own loop must go on delivering this window's timer.
    void OnShowMessage() {
        m_nTicks = 0;
        SetTimer(TEST_TIMER, 10);
        m_nBoxResult = MessageBox(L"text", L"caption", MB_YESNO | MB_ICONINFORMATION);
        KillTimer(TEST_TIMER);
        EndDialog(IDOK);
    }
    void OnDestroy() {
        m_bDestroyed = true;
        Default();
    }

    void CloseMessageBox() {
        ::EnumThreadWindows(::GetCurrentThreadId(), &AnswerYes, reinterpret_cast<LPARAM>(m_hWnd));
    }

    // Presses Yes on this thread's shown Yes/No box (any window but the dialog given).
    static BOOL CALLBACK AnswerYes(HWND hWnd, LPARAM hDialog) {
        if (hWnd != reinterpret_cast<HWND>(hDialog) && ::IsWindowVisible(hWnd) &&
            ::GetDlgItem(hWnd, IDYES) != nullptr)
            ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        return TRUE;
    }

    std::wstring m_log;
    int m_nTicks = 0;
    int m_nBoxResult = 0;
    bool m_bDestroyed = false;
    bool m_bNestInPaint = false;
};

// A derived map's entry comes before its base's for the same message.
class CDerivedMappedDialog : public CMappedDialog {
public:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageEntry entries[] = {
            MapTimer<CDerivedMappedDialog>(&CDerivedMappedDialog::OnDerivedTimer),
        };
        static const CMessageMap map = {CMappedDialog::GetMessageMap(), entries,
                                        std::size(entries)};
        return &map;
    }
    void OnDerivedTimer(UINT_PTR nIDEvent) {
        m_log += L"derived timer " + std::to_wstring(nIDEvent) + L";";
    }
};

TEST(MessageMap, HandlersGetTheirMessagesTakenApart) {
    CDerivedMappedDialog dlg;
    HWND hWnd = nullptr;
    dlg.m_onStart = [&](CTestDialog&) {
        CDerivedMappedDialog& m = dlg;
        m.EndDialog(IDOK); // once this action returns, whatever it found
        hWnd = m.m_hWnd;
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &m);
        m.m_log.clear();

        ::SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 250));
        ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
        ::SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
        ::SendMessageW(hWnd, WM_TIMER, 9, 0);
        ::SendMessageW(hWnd, WM_SYSCOMMAND, 16, 77);
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0), 0);
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1), 0);
        // A control's notification with the same number is no command.
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m.GetDlgItem(IDOK)));
        EXPECT_EQ(m.m_log, L"size 0 300x250;down 1 -3,7;dblclk;derived timer 9;syscommand 16 77;"
                           L"command;command;");
        EXPECT_EQ(::SendMessageW(hWnd, WM_QUERYDRAGICON, 0, 0),
                  reinterpret_cast<LRESULT>(::LoadCursorW(nullptr, IDC_CROSS)));

        // The paint handler's Default() ends the paint cycle, after a nested message too:
        // nothing is left to update.
        m.m_log.clear();
        m.m_bNestInPaint = true;
        ::InvalidateRect(hWnd, nullptr, FALSE);
        ::UpdateWindow(hWnd);
        EXPECT_NE(m.m_log.find(L"paint;"), std::wstring::npos);
        RECT update;
        EXPECT_FALSE(::GetUpdateRect(hWnd, &update, FALSE));

        // The system menu: entries appended to the window's own menu.
        CMenu* pMenu = m.GetSystemMenu(FALSE);
        ASSERT_NE(pMenu, nullptr);
        const int items = ::GetMenuItemCount(pMenu->GetSafeHmenu());
        EXPECT_TRUE(pMenu->AppendMenu(MF_SEPARATOR));
        EXPECT_TRUE(pMenu->AppendMenu(MF_STRING, 16, L"\u30d0\u30fc\u30b8\u30e7\u30f3"));
        EXPECT_EQ(::GetMenuItemCount(m.GetSystemMenu(FALSE)->GetSafeHmenu()), items + 2);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bSawCreation);
    EXPECT_TRUE(dlg.m_bAttachedAtInit);
    EXPECT_TRUE(dlg.m_bDestroyed);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(MessageMap, MessageBoxInsideAModalDialogGoesOnDeliveringItsTimer) {
    CMappedDialog dlg;
    dlg.m_onStart = [](CTestDialog& d) {
        ::PostMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_SHOW_MESSAGE, 0), 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nBoxResult, IDYES);
    EXPECT_GE(dlg.m_nTicks, 3);
}

} // namespace
