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

using namespace std::string_literals;

constexpr UINT WM_RUN_START_ACTION = WM_APP + 1;
constexpr WORD BUTTON_CLASS = 0x0080;
constexpr WORD COMBO_BOX_CLASS = 0x0085;

// A dialog template built in memory, control by control.
class CTemplateBuilder {
public:
    CTemplateBuilder(const wchar_t* title, short cx, short cy) {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
        Dword(0);
        Word(0); // the number of controls, counted by Control()
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0); // no menu
        Word(0); // the dialog class
        String(title);
        Word(8);
        String(L"MS Shell Dlg");
    }

    CTemplateBuilder& Control(WORD classAtom, DWORD style, WORD id, const wchar_t* text, short x,
                              short y, short cx, short cy) {
        if (m_words.size() % 2 != 0)
            Word(0); // each control starts on a 32-bit boundary
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        for (const short v : {x, y, cx, cy})
            Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        String(text);
        Word(0);
        ++m_words[CONTROL_COUNT_INDEX];
        return *this;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    static constexpr size_t CONTROL_COUNT_INDEX = 4;
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void String(const wchar_t* s) {
        for (; *s != L'\0'; ++s)
            Word(static_cast<WORD>(*s));
        Word(0);
    }

    std::vector<WORD> m_words;
};

// The Options dialog's layout: two drop-down lists, a check box, OK and Cancel.
CTemplateBuilder OptionsTemplate() {
    CTemplateBuilder t(L"Options", 187, 99);
    t.Control(COMBO_BOX_CLASS, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, IDC_TEST_FIRST, L"", 15,
              33, 69, 100)
        .Control(BUTTON_CLASS, BS_AUTOCHECKBOX | WS_TABSTOP, IDC_TEST_GUIDE, L"Guide", 15, 60, 165,
                 8)
        .Control(COMBO_BOX_CLASS, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, IDC_TEST_LAST, L"",
                 95, 33, 69, 100)
        .Control(BUTTON_CLASS, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, L"OK", 75, 78, 50, 14)
        .Control(BUTTON_CLASS, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, L"Cancel", 130, 78, 50, 14);
    return t;
}

// Six entries for each list, the first in Shift-JIS.
std::string OptionsListData() {
    std::string data;
    for (const WORD id : {IDC_TEST_FIRST, IDC_TEST_LAST}) {
        data += ListDataRecord(id, CB_ADDSTRING, 5, "\x90\x6c\x8a\xd4\0"s);
        for (char level = '1'; level <= '5'; ++level)
            data += ListDataRecord(id, CB_ADDSTRING, 10, "COM(Lv "s + level + ")\0"s);
    }
    return data + ListDataEnd();
}

const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }

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
        return result;
    }

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBIndex(pDX, IDC_TEST_FIRST, m_nFirst);
        DDX_Check(pDX, IDC_TEST_GUIDE, m_bGuide);
        DDX_CBIndex(pDX, IDC_TEST_LAST, m_nLast);
    }
};

TEST(DataExchange, MovesFieldsIntoControlsAndBack) {
    const CTemplateBuilder options = OptionsTemplate();
    const std::string listData = OptionsListData();
    CTestDialog dlg;
    dlg.m_nFirst = 2;
    dlg.m_bGuide = 5;
    dlg.m_nLast = 7; // no such entry
    ASSERT_TRUE(dlg.CreateIndirect(options.Get(), nullptr, Bytes(listData),
                                   static_cast<DWORD>(listData.size())));
    const HWND hFirst = dlg.GetDlgItem(IDC_TEST_FIRST);
    const HWND hLast = dlg.GetDlgItem(IDC_TEST_LAST);
    const HWND hGuide = dlg.GetDlgItem(IDC_TEST_GUIDE);

    // The lists were filled before the values went in.
    EXPECT_EQ(::SendMessageW(hFirst, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(ListText(hFirst, 0), L"\u4eba\u9593");
    EXPECT_EQ(ListText(hLast, 5), L"COM(Lv 5)");
    EXPECT_EQ(::SendMessageW(hFirst, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(hLast, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(dlg.m_bGuide, 0); // set to 0 in the field itself
    EXPECT_EQ(::SendMessageW(hGuide, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_nFirst, 2);
    EXPECT_EQ(dlg.m_nLast, -1);
    EXPECT_EQ(dlg.m_bGuide, 0);

    dlg.m_nFirst = -1;
    dlg.m_bGuide = 2; // in range: kept, and shown as ticked by a two-state box
    dlg.UpdateData(FALSE);
    EXPECT_EQ(::SendMessageW(hFirst, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(dlg.m_bGuide, 2);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nFirst, -1);
    EXPECT_EQ(dlg.m_bGuide, 1);

    dlg.m_bGuide = -1;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.m_bGuide, 0);
    EXPECT_EQ(::SendMessageW(hGuide, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    dlg.DestroyWindow();
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
    const CTemplateBuilder options = OptionsTemplate();
    const std::string listData = OptionsListData();
    CTestDialog dlg;
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
    const INT_PTR result =
        dlg.DoModalIndirect(options.Get(), Bytes(listData), static_cast<DWORD>(listData.size()));
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
    const CTemplateBuilder options = OptionsTemplate();
    const std::string cut = OptionsListData().substr(0, 30);
    for (const std::string* data : {static_cast<const std::string*>(nullptr), &cut}) {
        CTestDialog dlg;
        const INT_PTR result =
            data != nullptr
                ? dlg.DoModalIndirect(options.Get(), Bytes(*data), static_cast<DWORD>(data->size()))
                : dlg.DoModalIndirect(options.Get());
        EXPECT_EQ(result, -1);
        EXPECT_FALSE(dlg.m_bShown);
    }
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

TEST(ModalRun, QuitRequestEndsTheLoopAndIsPassedOn) {
    CTestDialog dlg(IDD_TEST_PLAIN);
    dlg.m_onStart = [](CTestDialog&) { ::PostQuitMessage(5); };
    EXPECT_EQ(dlg.DoModal(), -1);
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
    CTemplateBuilder plain(L"Plain", 100, 40);
    plain.Control(BUTTON_CLASS, BS_DEFPUSHBUTTON, IDOK, L"OK", 25, 20, 50, 14);
    ASSERT_TRUE(dlg.CreateIndirect(plain.Get()));
    EXPECT_TRUE(dlg.m_bSawCreation);
    EXPECT_TRUE(dlg.m_bAttachedAtInit);
    const HWND hWnd = dlg.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &dlg);
    dlg.m_log.clear();

    dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 250));
    dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    dlg.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
    dlg.SendMessage(WM_TIMER, 9);
    dlg.SendMessage(WM_SYSCOMMAND, 16, 77);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 0));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, 1));
    // A control's notification with the same number is no command.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_COMMAND, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDOK)));
    EXPECT_EQ(dlg.m_log, L"size 0 300x250;down 1 -3,7;dblclk;derived timer 9;syscommand 16 77;"
                         L"command;command;");
    EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON),
              reinterpret_cast<LRESULT>(::LoadCursorW(nullptr, IDC_CROSS)));

    // The paint handler's Default() ends the paint cycle: nothing is left to update.
    dlg.m_log.clear();
    ::ShowWindow(hWnd, SW_SHOW);
    dlg.Invalidate(FALSE);
    ::UpdateWindow(hWnd);
    EXPECT_NE(dlg.m_log.find(L"paint;"), std::wstring::npos);
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(hWnd, &update, FALSE));

    // The system menu: entries appended to the window's own menu.
    CMenu* pMenu = dlg.GetSystemMenu(FALSE);
    ASSERT_NE(pMenu, nullptr);
    const int items = pMenu->GetMenuItemCount();
    EXPECT_TRUE(pMenu->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(pMenu->AppendMenu(MF_STRING, 16, L"\u30d0\u30fc\u30b8\u30e7\u30f3"));
    EXPECT_EQ(dlg.GetSystemMenu(FALSE)->GetMenuItemCount(), items + 2);

    dlg.DestroyWindow();
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
