// The framework's application object, entry point, wait cursor and string resources; the
// game window's end-of-game text.
#include "framework/app.h"
#include "framework/strings.h"
#include "test_resources.h"
#include "ui/game_dlg.h"
#include "win_test_util.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD CHILD_TIMEOUT_MS = 60000;

TEST(StringResources, WholeStringsOfAnyLengthAndNothingForAMissingOne) {
    const std::wstring text = LoadStringResource(IDS_TEST_LONG);
    EXPECT_GT(text.size(), 300u);
    EXPECT_EQ(text.compare(0, 9, L"The whole"), 0);
    EXPECT_EQ(text.substr(text.size() - 4), L" 終わり");
    EXPECT_EQ(LoadStringResource(IDS_TEST_MISSING), L"");
}

TEST(FormatGameResult, FillsTheEndOfGameText) {
    const std::wstring format = LoadStringResource(IDS_TEST_RESULT);
    EXPECT_EQ(FormatGameResult(format, 40, 24, L"先手の勝ちです。"),
              L"先手 40 個、後手 24 個で先手の勝ちです。\nもう一度ゲームを行いますか？");
    EXPECT_EQ(FormatGameResult(L"%d%%", -1, 0, L""), L"-1%");
}

TEST(WaitCursor, NestsAndPutsBackTheCursorFromBefore) {
    CWinApp app;
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    ::SetCursor(arrow);
    app.EndWaitCursor(); // without a Begin: nothing to end
    EXPECT_EQ(::GetCursor(), arrow);

    app.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    app.BeginWaitCursor();
    ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
    app.RestoreWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    app.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), wait); // the outer wait goes on
    app.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), arrow);
    app.RestoreWaitCursor(); // no longer waiting: nothing to show
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST(EntryPoint, RunsTheApplicationObjectAndItsLoopOnlyWhenAsked) {
    const std::wstring probe = ExecutableDir() + L"\\milda_win_probe.exe";
    EXPECT_EQ(RunProcess(probe, L"", CHILD_TIMEOUT_MS), 0u);
    EXPECT_EQ(RunProcess(probe, L"quit", CHILD_TIMEOUT_MS), 7u);
}

} // namespace
