// CDialog (a modal loop of our own), CDataExchange, DDX_CBIndex, DDX_Check.
#pragma once

#include "framework/dlginit.h"
#include "framework/wnd.h"

#include <vector>

// DoModal's result when the dialog could not be made: no template, or the window failed.
constexpr INT_PTR DIALOG_FAILED = -1;
// DoModal's result when a quit request (WM_QUIT) ended its loop; the request is posted again,
// so that the loops outside end too.
constexpr INT_PTR DIALOG_QUIT = -2;

class CDialog;

// The direction of one exchange: into the controls (FALSE) or out of them into the fields.
class CDataExchange {
public:
    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// A drop-down list's selected index: in, the entry of that index is selected (none when there
// is no such entry); out, the selected index or -1.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// A check box: in, a value below 0 or above 2 is first set to 0 in the field itself; out, 1
// when ticked, else 0.
void DDX_Check(CDataExchange* pDX, int id, int& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* pParent = nullptr);
    ~CDialog() override;

    // Runs the dialog of template m_nIDTemplate from the executable's resources, with its
    // initial list data, and returns what EndDialog was given; DIALOG_FAILED when the template
    // is missing or the dialog could not be made, or when it has drop-down lists without list
    // data; DIALOG_QUIT after a quit request.
    virtual INT_PTR DoModal();
    // Ends the modal loop once the current message has been handled.
    void EndDialog(INT_PTR result);

    // Fills the lists from the initial list data, then moves the fields into the controls.
    virtual BOOL OnInitDialog();
    // Moves the controls into the fields, then ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL; the fields keep their values.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    void SetListData(const BYTE* pListData, DWORD listDataSize);
    BOOL CreateFromTemplate(const DLGTEMPLATE* pTemplate, HWND hWndOwner);
    HWND ModalOwner() const;
    INT_PTR RunModal(const DLGTEMPLATE* pTemplate);
    bool HasDropDownList() const;
    void CenterOverOwner(HWND hWndOwner);

    std::vector<CListInitEntry> m_listData;
    bool m_bListDataValid;
    bool m_bEndRequested;
    INT_PTR m_nModalResult;
};
