#include "game_dlg.h"

#include "framework/app.h"
#include "framework/menu.h"
#include "framework/strings.h"
#include "game/player_kind.h"
#include "res/resource.h"
#include "ui/about_dlg.h"
#include "ui/board_paint.h"

#include <iterator>

namespace {

constexpr UINT_PTR GAME_TIMER_ID = 0;
constexpr UINT GAME_TIMER_PERIOD_MS = 100;
constexpr UINT SYSTEM_COMMAND_MASK = 0xFFF0;

constexpr int DEFAULT_WIDTH = 348;
constexpr int DEFAULT_HEIGHT = 352;

constexpr COLORREF WHITE_DISC_COLOR = RGB(255, 255, 255);
constexpr COLORREF BLACK_DISC_COLOR = RGB(30, 30, 30);
constexpr COLORREF GRID_LINE_COLOR = RGB(30, 30, 30);

const wchar_t SECTION_OPTION[] = L"Option";
const wchar_t SECTION_WINDOW[] = L"Window";
const wchar_t KEY_FIRST_PLAYER[] = L"FirstPlayer";
const wchar_t KEY_LAST_PLAYER[] = L"LastPlayer";
const wchar_t KEY_GUIDE[] = L"Guide";
const wchar_t KEY_WIDTH[] = L"cx";
const wchar_t KEY_HEIGHT[] = L"cy";

// A saved size of zero or less would open a window without a board; one beyond the desktop
// could not be seen whole. Either comes only from a hand-edited file.
int SaneWindowExtent(int saved, int fallback, int metric) {
    if (saved <= 0)
        return fallback;
    const int desktop = ::GetSystemMetrics(metric);
    if (desktop > 0 && saved > desktop)
        return desktop;
    return saved;
}

} // namespace

std::wstring FormatGameResult(const std::wstring& format, int white, int black,
                              const std::wstring& result) {
    std::wstring out;
    int numbers = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c != L'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const wchar_t conversion = format[i + 1];
        if (conversion == L'd') {
            out += DecimalString(numbers == 0 ? white : black);
            ++numbers;
            ++i;
        } else if (conversion == L's') {
            out += result;
            ++i;
        } else if (conversion == L'%') {
            out += L'%';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

CGameDlg::CGameDlg(CWnd* pParent)
    : CDialog(IDD_GAME, pParent), m_hIcon(nullptr), m_dlgOption(nullptr), m_board(),
      m_pIniFile(nullptr) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
}

CGameDlg::~CGameDlg() {
    delete m_pIniFile;
    m_pIniFile = nullptr;
}

const CMessageMap* CGameDlg::GetMessageMap() const {
    static const CMessageEntry entries[] = {
        MapSysCommand<CGameDlg>(&CGameDlg::OnSysCommand),
        MapPaint<CGameDlg>(&CGameDlg::OnPaint),
        MapNcPaint<CGameDlg>(&CGameDlg::OnNcPaint),
        MapQueryDragIcon<CGameDlg>(&CGameDlg::OnQueryDragIcon),
        MapSize<CGameDlg>(&CGameDlg::OnSize),
        MapLButtonDown<CGameDlg>(&CGameDlg::OnLButtonDown),
        MapLButtonDblClk<CGameDlg>(&CGameDlg::OnLButtonDown),
        MapTimer<CGameDlg>(&CGameDlg::OnTimer),
        MapCommand<CGameDlg>(ID_GAME_START, &CGameDlg::OnGameStart),
        MapCommand<CGameDlg>(ID_GAME_OPTIONS, &CGameDlg::OnGameOptions),
        MapDestroy<CGameDlg>(&CGameDlg::OnDestroy),
        MapEndSession<CGameDlg>(&CGameDlg::OnEndSession),
    };
    static const CMessageMap map = {CDialog::GetMessageMap(), entries, std::size(entries)};
    return &map;
}

BOOL CGameDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The version entry at the end of the system menu.
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        const std::wstring text = LoadStringResource(IDS_VERSION_MENU);
        if (!text.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, ID_VERSION_INFO, text.c_str());
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pIniFile = new CIniFile;
    m_pIniFile->SetPath(L"");

    m_dlgOption.m_nFirstPlayer =
        ClampPlayerKind(m_pIniFile->GetInt(SECTION_OPTION, KEY_FIRST_PLAYER, DEFAULT_FIRST_PLAYER));
    m_dlgOption.m_nLastPlayer =
        ClampPlayerKind(m_pIniFile->GetInt(SECTION_OPTION, KEY_LAST_PLAYER, DEFAULT_LAST_PLAYER));
    m_dlgOption.m_bGuide = m_pIniFile->GetInt(SECTION_OPTION, KEY_GUIDE, DEFAULT_GUIDE);

    const int cx = SaneWindowExtent(m_pIniFile->GetInt(SECTION_WINDOW, KEY_WIDTH, DEFAULT_WIDTH),
                                    DEFAULT_WIDTH, SM_CXVIRTUALSCREEN);
    const int cy = SaneWindowExtent(m_pIniFile->GetInt(SECTION_WINDOW, KEY_HEIGHT, DEFAULT_HEIGHT),
                                    DEFAULT_HEIGHT, SM_CYVIRTUALSCREEN);
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);

    m_board.SetWhiteColor(WHITE_DISC_COLOR);
    m_board.SetBlackColor(BLACK_DISC_COLOR);
    m_board.SetLineColor(GRID_LINE_COLOR);

    m_board.m_firstPlayer = m_dlgOption.m_nFirstPlayer;
    m_board.m_lastPlayer = m_dlgOption.m_nLastPlayer;
    m_board.m_guide = m_dlgOption.m_bGuide;

    SetTimer(GAME_TIMER_ID, GAME_TIMER_PERIOD_MS);
    return TRUE;
}

void CGameDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    if ((nID & SYSTEM_COMMAND_MASK) == ID_VERSION_INFO) {
        // The timer keeps running: a computer side goes on moving behind the dialog.
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CGameDlg::OnPaint() {
    if (IsIconic()) {
        PaintMinimizedIcon(m_hWnd, m_hIcon);
        return;
    }
    // The default handling validates the update region; the picture is drawn whole below.
    Default();
    PaintBoardOffscreen(m_hWnd, m_board);
}

void CGameDlg::OnNcPaint() {
    Default();
    PaintFrameBand(m_hWnd);
}

HCURSOR CGameDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CGameDlg::OnSize(UINT /*nType*/, int cx, int cy) {
    Default();
    // Minimised: keep the layout for the next real size.
    if (cx <= 0 || cy <= 0)
        return;
    RECT rc;
    GetClientRect(&rc);
    m_board.SetBoardRect(rc);
    InvalidateRect(nullptr, FALSE);
}

void CGameDlg::OnLButtonDown(UINT /*nFlags*/, POINT point) {
    if (m_board.PlayAtPoint(&point)) {
        InvalidateRect(nullptr, FALSE);
        CheckGameOver();
    }
    Default();
}

void CGameDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == GAME_TIMER_ID && m_board.SideToMoveKind() != KIND_PERSON) {
        if (m_board.TryComputerMove()) {
            InvalidateRect(nullptr, FALSE);
            CheckGameOver();
        }
    }
    Default();
}

void CGameDlg::OnGameStart() {
    m_board.NewGame();
    InvalidateRect(nullptr, FALSE);
}

void CGameDlg::OnGameOptions() {
    KillTimer(GAME_TIMER_ID);
    if (m_dlgOption.DoModal() == IDOK) {
        m_board.m_firstPlayer = m_dlgOption.m_nFirstPlayer;
        m_board.m_lastPlayer = m_dlgOption.m_nLastPlayer;
        m_board.m_guide = m_dlgOption.m_bGuide;
        InvalidateRect(nullptr, FALSE);
    }
    SetTimer(GAME_TIMER_ID, GAME_TIMER_PERIOD_MS);
}

void CGameDlg::CheckGameOver() {
    if (!m_board.IsGameOver())
        return;
    const int w = m_board.CountDiscs(WHITE);
    const int b = m_board.CountDiscs(BLACK);
    const UINT resultId = w == b ? IDS_DRAW : (w > b ? IDS_FIRST_WINS : IDS_LAST_WINS);
    const std::wstring text =
        FormatGameResult(LoadStringResource(IDS_RESULT), w, b, LoadStringResource(resultId));
    const std::wstring caption = LoadStringResource(IDS_GAME_OVER);
    if (MessageBox(text.c_str(), caption.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        m_board.NewGame();
        InvalidateRect(nullptr, FALSE);
    }
}

RECT CGameDlg::SizeToKeep() const {
    // A minimised window reports the size of its icon; keep the size it will have when
    // restored, or the next run would open as a sliver.
    RECT rc;
    GetWindowRect(&rc);
    if (IsIconic()) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        if (::GetWindowPlacement(m_hWnd, &placement))
            rc = placement.rcNormalPosition;
    }
    return rc;
}

void CGameDlg::WriteSettings(const RECT& outer) {
    if (m_pIniFile == nullptr)
        return;
    m_pIniFile->WriteInt(SECTION_OPTION, KEY_FIRST_PLAYER, m_dlgOption.m_nFirstPlayer);
    m_pIniFile->WriteInt(SECTION_OPTION, KEY_LAST_PLAYER, m_dlgOption.m_nLastPlayer);
    m_pIniFile->WriteInt(SECTION_OPTION, KEY_GUIDE, m_dlgOption.m_bGuide);
    m_pIniFile->WriteInt(SECTION_WINDOW, KEY_WIDTH, outer.right - outer.left);
    m_pIniFile->WriteInt(SECTION_WINDOW, KEY_HEIGHT, outer.bottom - outer.top);
}

void CGameDlg::OnDestroy() {
    // Taken while the window still has its size.
    const RECT rc = SizeToKeep();
    Default();
    WriteSettings(rc);
}

void CGameDlg::OnEndSession(BOOL bEnding) {
    // Windows may end the process at any time once the session ends, without WM_DESTROY:
    // the settings are kept now, as a close keeps them. A session that goes on changes nothing.
    if (bEnding)
        WriteSettings(SizeToKeep());
}
