#include "option_dlg.h"

#include "res/resource.h"

COptionDlg::COptionDlg(CWnd* pParent)
    : CDialog(IDD_OPTIONS, pParent), m_nFirstPlayer(-1), m_bGuide(0), m_nLastPlayer(-1) {}

COptionDlg::~COptionDlg() = default;

void COptionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_FIRST_PLAYER, m_nFirstPlayer);
    DDX_Check(pDX, IDC_GUIDE, m_bGuide);
    DDX_CBIndex(pDX, IDC_LAST_PLAYER, m_nLastPlayer);
}
