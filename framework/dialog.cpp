#include "framework/dialog.h"

#include <algorithm>

#include "framework/app.h"

namespace {

// Every message reaches the dialog's CWnd through its subclassed window procedure first;
// what comes back here is the platform's default handling, which this procedure leaves alone.
INT_PTR CALLBACK PassThroughDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    const HWND hCtrl = pDX->m_pDlgWnd->GetDlgItem(id);
    if (hCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        const LRESULT selected = ::SendMessageW(hCtrl, CB_GETCURSEL, 0, 0);
        index = selected == CB_ERR ? -1 : static_cast<int>(selected);
    } else {
        // -1, and an index past the last entry, clear the selection.
        const int selection = index < 0 ? -1 : index;
        ::SendMessageW(hCtrl, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    const HWND hCtrl = pDX->m_pDlgWnd->GetDlgItem(id);
    if (pDX->m_bSaveAndValidate) {
        if (hCtrl != nullptr)
            value = ::SendMessageW(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        return;
    }
    if (value < BST_UNCHECKED || value > BST_INDETERMINATE)
        value = BST_UNCHECKED;
    if (hCtrl != nullptr)
        ::SendMessageW(hCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

CDialog::CDialog(UINT templateId, CWnd* pParent)
    : m_nIDTemplate(templateId), m_pParentWnd(pParent), m_bListDataValid(false),
      m_bEndRequested(false), m_nModalResult(DIALOG_FAILED) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    if (m_nIDTemplate == 0)
        return DIALOG_FAILED;
    const HINSTANCE hInstance = GetResourceInstance();
    const HRSRC hTemplate = ::FindResourceW(hInstance, MAKEINTRESOURCEW(m_nIDTemplate), RT_DIALOG);
    if (hTemplate == nullptr)
        return DIALOG_FAILED;
    const auto* pTemplate =
        static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(hInstance, hTemplate)));
    if (pTemplate == nullptr)
        return DIALOG_FAILED;

    const BYTE* pListData = nullptr;
    DWORD listDataSize = 0;
    const HRSRC hListData = ::FindResourceW(hInstance, MAKEINTRESOURCEW(m_nIDTemplate),
                                            MAKEINTRESOURCEW(LIST_INIT_DATA_TYPE));
    if (hListData != nullptr) {
        pListData = static_cast<const BYTE*>(::LockResource(::LoadResource(hInstance, hListData)));
        listDataSize = pListData != nullptr ? ::SizeofResource(hInstance, hListData) : 0;
    }
    SetListData(pListData, listDataSize);
    return RunModal(pTemplate);
}

void CDialog::EndDialog(INT_PTR result) {
    m_nModalResult = result;
    m_bEndRequested = true;
}

BOOL CDialog::OnInitDialog() {
    // Without their entries the lists could not show the fields' values.
    if (!m_bListDataValid && HasDropDownList()) {
        EndDialog(DIALOG_FAILED);
        return FALSE;
    }
    for (const CListInitEntry& entry : m_listData)
        ::SendDlgItemMessageW(m_hWnd, entry.controlId, entry.message, 0,
                              reinterpret_cast<LPARAM>(entry.text.c_str()));
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (m_hWnd == nullptr)
        return FALSE;
    CDataExchange dx{saveAndValidate, this};
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        // Enter, Escape and the close box arrive here as IDOK and IDCANCEL.
        if (IsCommandMessage(IDOK, wParam, lParam)) {
            OnOK();
            return 0;
        }
        if (IsCommandMessage(IDCANCEL, wParam, lParam)) {
            OnCancel();
            return 0;
        }
        break;
    default:
        break;
    }
    return Default();
}

void CDialog::SetListData(const BYTE* pListData, DWORD listDataSize) {
    m_listData.clear();
    m_bListDataValid =
        pListData != nullptr && ParseInitialListData(pListData, listDataSize, &m_listData);
}

BOOL CDialog::CreateFromTemplate(const DLGTEMPLATE* pTemplate, HWND hWndOwner) {
    if (pTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    HWND hWnd = nullptr;
    {
        CCreationScope attach(this);
        hWnd = ::CreateDialogIndirectParamW(GetResourceInstance(), pTemplate, hWndOwner,
                                            &PassThroughDialogProc, 0);
    }
    if (hWnd != nullptr && hWnd != m_hWnd) {
        // Made, but not tied to this object: it could not be run.
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return hWnd != nullptr;
}

HWND CDialog::ModalOwner() const {
    HWND hWndOwner = nullptr;
    if (m_pParentWnd != nullptr) {
        hWndOwner = m_pParentWnd->GetSafeHwnd();
    } else if (const CWinApp* pApp = CWinApp::GetApp(); pApp != nullptr && pApp->m_pMainWnd) {
        hWndOwner = pApp->m_pMainWnd->GetSafeHwnd();
    }
    return hWndOwner != nullptr && ::IsWindow(hWndOwner) ? hWndOwner : nullptr;
}

INT_PTR CDialog::RunModal(const DLGTEMPLATE* pTemplate) {
    if (m_hWnd != nullptr)
        return DIALOG_FAILED;
    m_bEndRequested = false;
    m_nModalResult = DIALOG_FAILED;
    const HWND hWndOwner = ModalOwner();
    if (!CreateFromTemplate(pTemplate, hWndOwner))
        return DIALOG_FAILED;

    // A dialog that ended while it started up is never shown.
    bool ownerDisabled = false;
    if (!m_bEndRequested && m_hWnd != nullptr) {
        if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
            ::EnableWindow(hWndOwner, FALSE);
            ownerDisabled = true;
        }
        if (!::IsWindowVisible(m_hWnd)) {
            CenterOverOwner(hWndOwner);
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        }
    }

    // Our own loop, so that the application's pre-filter sees every message here too.
    while (!m_bEndRequested && m_hWnd != nullptr) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The outer loops must see the quit request as well.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            EndDialog(DIALOG_QUIT);
            break;
        }
        CWinApp* pApp = CWinApp::GetApp();
        if (pApp != nullptr && pApp->PreTranslateMessage(&msg))
            continue;
        if (m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    const INT_PTR result = m_bEndRequested ? m_nModalResult : DIALOG_FAILED;

    // The owner takes over before the dialog goes, so that no other program is activated.
    if (ownerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd != nullptr) {
        if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndOwner);
        DestroyWindow();
    }
    return result;
}

// A dialog opened from a window appears over the middle of it, kept on the owner's monitor.
void CDialog::CenterOverOwner(HWND hWndOwner) {
    if (hWndOwner == nullptr || m_hWnd == nullptr)
        return;
    RECT owner;
    RECT dialog;
    if (!::GetWindowRect(hWndOwner, &owner) || !::GetWindowRect(m_hWnd, &dialog))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(hWndOwner, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    int x = owner.left + (owner.right - owner.left - width) / 2;
    int y = owner.top + (owner.bottom - owner.top - height) / 2;
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::HasDropDownList() const {
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        wchar_t name[16];
        if (::GetClassNameW(hChild, name, 16) > 0 && ::lstrcmpiW(name, L"ComboBox") == 0)
            return true;
    }
    return false;
}
