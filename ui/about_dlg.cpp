#include "about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_VERSION, pParent) {}

CAboutDlg::~CAboutDlg() = default;
