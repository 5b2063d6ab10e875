// CGameDlg: the game window: board, clicks, the computer's timer, menus, end of game, settings.
#pragma once

#include "framework/dialog.h"
#include "game/game_board.h"
#include "ui/ini_file.h"
#include "ui/option_dlg.h"

#include <string>

class CGameDlg : public CDialog {
public:
    explicit CGameDlg(CWnd* pParent = nullptr);
    ~CGameDlg() override;

    HICON m_hIcon;
    COptionDlg m_dlgOption;
    CGameBoard m_board;
    CIniFile* m_pIniFile;

protected:
    const CMessageMap* GetMessageMap() const override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnNcPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnGameStart();
    void OnGameOptions();
    void OnDestroy();
    void OnEndSession(BOOL bEnding);

    void CheckGameOver();
    // The outer size to keep: a minimised window's restored size.
    RECT SizeToKeep() const;
    // The three options and that size, into the settings file.
    void WriteSettings(const RECT& outer);
};

// The end-of-game text: the format's first %d takes white's count, the second black's, %s the
// result; "%%" is a percent sign. Any other text is copied as it stands.
std::wstring FormatGameResult(const std::wstring& format, int white, int black,
                              const std::wstring& result);
