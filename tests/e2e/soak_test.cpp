// A seeded stream of random input against the real window: clicks on and off the board, keys,
// menu and system-menu commands, the dialogs worked at random, sizes from a sliver to beyond the
// screen, minimise, maximise and repaints. The program must live through it, answer, close when
// asked and leave settings it can read back. MILDA_SOAK_SEED and MILDA_SOAK_ACTIONS replay a run.
#include "milda_fixture.h"

#include "res/resource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>

namespace {

constexpr unsigned DEFAULT_SEED = 20261208;
constexpr int DEFAULT_ACTIONS = 4000;
// How long a dialog may take to come or go before the stream goes on regardless; and a pause
// between actions, so that a person's pace rather than a flood reaches the program.
constexpr DWORD DIALOG_WAIT_MS = 2000;
constexpr DWORD ACTION_PAUSE_MS = 5;
constexpr size_t ACTIONS_SHOWN = 12;
constexpr int ROUNDS = 3;
constexpr int FIRST_ROUND = 40; // short, so that a program that cannot end well fails early

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    return std::strtoul(text, nullptr, 10);
}

class Soak : public MildaFixture {
protected:
    std::mt19937 rng;
    unsigned seed = 0;
    int action = 0;
    int actions = 0;
    std::deque<std::string> recent;
    int optionsActions = 0;
    int versionDialogs = 0;
    int gameEnds = 0;

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(int percent) { return Uniform(1, 100) <= percent; }

    void Log(const std::string& what) {
        recent.push_back(std::to_string(action) + ": " + what);
        if (recent.size() > ACTIONS_SHOWN)
            recent.pop_front();
    }

    // Where a failure happened, and how to run the same stream again.
    std::string Where() const {
        std::ostringstream out;
        out << "at action " << action << " of " << actions
            << " (replay with MILDA_SOAK_SEED=" << seed << " MILDA_SOAK_ACTIONS=" << actions
            << "); last actions:";
        for (const std::string& line : recent)
            out << "\n  " << line;
        return out.str();
    }

    // The program still runs and handles a sent message, so it is not stuck in a loop.
    ::testing::AssertionResult Answers() const {
        if (!milda.IsRunning())
            return ::testing::AssertionFailure() << "milda.exe " << milda.DescribeEnd();
        DWORD_PTR ignored = 0;
        if (!SendWithTimeout(game, WM_NULL, 0, 0, &ignored))
            return ::testing::AssertionFailure()
                   << "milda.exe did not answer a message within 10 s; it " << milda.DescribeEnd();
        return ::testing::AssertionSuccess();
    }

    // The dialogs open in front of the game that a person can reach: enabled, visible.
    std::vector<WindowInfo> OpenDialogs() const {
        std::vector<WindowInfo> open;
        for (const WindowInfo& w : TopLevelWindowsOf(milda.Pid())) {
            if (w.visible && w.className == DIALOG_CLASS && w.hwnd != game &&
                ::IsWindowEnabled(w.hwnd))
                open.push_back(w);
        }
        return open;
    }

    void AwaitSomeDialog() const {
        PollUntil([&] { return !OpenDialogs().empty() || !milda.IsRunning(); }, DIALOG_WAIT_MS);
    }

    void ClickAnywhere(bool twice) {
        RECT rc = {};
        ::GetClientRect(game, &rc);
        int x = Uniform(-16, rc.right + 16);
        int y = Uniform(-16, rc.bottom + 16);
        // Most clicks aim at a square's centre; some at a square where a side may play, read
        // from the screen, so that a person's moves get played and games come to an end.
        if (Chance(80)) {
            POINT square = {Uniform(0, 7), Uniform(0, 7)};
            BoardPicture p;
            if (Chance(30) && ReadBoard(game, &p) && p.Readable()) {
                std::vector<POINT> legal = LegalSquares(p, Square::White);
                const std::vector<POINT> black = LegalSquares(p, Square::Black);
                legal.insert(legal.end(), black.begin(), black.end());
                if (!legal.empty())
                    square =
                        legal[static_cast<size_t>(Uniform(0, static_cast<int>(legal.size()) - 1))];
            }
            const POINT c = BoardLayout::Of(game).SquareCenter(square.x, square.y);
            x = c.x;
            y = c.y;
        }
        Log(std::string(twice ? "double click" : "click") + " at (" + std::to_string(x) + "," +
            std::to_string(y) + ")");
        ClickAt(game, x, y);
        if (twice) {
            // The second press of a double click arrives as WM_LBUTTONDBLCLK.
            ::PostMessageW(game, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
            ::PostMessageW(game, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        }
    }

    void Resize() {
        const int screenX = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenY = ::GetSystemMetrics(SM_CYSCREEN);
        int cx = 0;
        int cy = 0;
        switch (Uniform(0, 2)) {
        case 0: // a sliver
            cx = Uniform(1, 40);
            cy = Uniform(1, 40);
            break;
        case 1:
            cx = Uniform(40, 700);
            cy = Uniform(40, 700);
            break;
        default: // beyond the screen
            cx = Uniform(screenX, 2 * screenX);
            cy = Uniform(screenY, 2 * screenY);
            break;
        }
        Log("size " + std::to_string(cx) + "x" + std::to_string(cy));
        // Asynchronous, so that a stuck program cannot stop the test here.
        ::SetWindowPos(game, nullptr, 0, 0, cx, cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }

    void RepaintBurst() {
        const int count = Uniform(5, 30);
        Log("repaint burst of " + std::to_string(count));
        RECT rc = {};
        ::GetClientRect(game, &rc);
        for (int i = 0; i < count; ++i) {
            RECT part = {Uniform(-8, rc.right), Uniform(-8, rc.bottom), 0, 0};
            part.right = part.left + Uniform(1, rc.right + 8);
            part.bottom = part.top + Uniform(1, rc.bottom + 8);
            const UINT flags = RDW_INVALIDATE | RDW_ERASE | (Chance(30) ? RDW_FRAME : 0);
            ::RedrawWindow(game, Chance(30) ? nullptr : &part, nullptr, flags);
        }
    }

    void ActOnGame() {
        if (::IsIconic(game)) {
            const bool restore = Chance(70);
            Log(restore ? "restore" : "maximise");
            ::PostMessageW(game, WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, 0);
            return;
        }
        // In ten thousandths: new games and dialogs are rare enough that games get played to the
        // end.
        const int pick = Uniform(0, 9999);
        if (pick < 5600) {
            ClickAnywhere(false);
        } else if (pick < 6600) {
            ClickAnywhere(true);
        } else if (pick < 6605) {
            Log("F2");
            PressKey(game, VK_F2);
        } else if (pick < 6608) {
            Log("menu: start");
            ::PostMessageW(game, WM_COMMAND, ID_GAME_START, 0);
        } else if (pick < 6750) {
            Log("F3");
            PressKey(game, VK_F3);
            AwaitSomeDialog();
        } else if (pick < 6850) {
            Log("menu: options");
            ::PostMessageW(game, WM_COMMAND, ID_GAME_OPTIONS, 0);
            AwaitSomeDialog();
        } else if (pick < 6950) {
            Log("system menu: version");
            ::PostMessageW(game, WM_SYSCOMMAND, ID_VERSION_INFO, 0);
            AwaitSomeDialog();
        } else if (pick < 7950) {
            Resize();
        } else if (pick < 8350) {
            const int which = Uniform(0, 2);
            const WPARAM commands[] = {SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE};
            const char* names[] = {"minimise", "restore", "maximise"};
            Log(names[which]);
            ::PostMessageW(game, WM_SYSCOMMAND, commands[which], 0);
        } else {
            RepaintBurst();
        }
    }

    // Ends a dialog with a button or Escape, and waits for it to go.
    void Dismiss(HWND dialog, int button, bool escape) {
        if (escape) {
            Log("Escape");
            PressKey(dialog, VK_ESCAPE);
        } else {
            Log("button " + std::to_string(button));
            ClickButton(dialog, button);
        }
        milda.WaitForWindowGone(dialog, DIALOG_WAIT_MS);
    }

    void ActOnOptions(HWND dialog) {
        const int pick = Uniform(0, 99);
        if (pick < 60) {
            const int id = Chance(50) ? ID_WHITE_LIST : ID_BLACK_LIST;
            const UINT keys[] = {VK_DOWN, VK_UP, VK_HOME, VK_END};
            const UINT key = keys[Uniform(0, 3)];
            Log("list " + std::to_string(id) + " key " + std::to_string(key));
            PressKey(::GetDlgItem(dialog, id), key);
        } else if (pick < 75) {
            Log("guide box");
            ClickButton(dialog, ID_GUIDE_BOX);
        } else if (pick < 85) {
            Dismiss(dialog, IDOK, false);
        } else if (pick < 93) {
            Dismiss(dialog, IDCANCEL, false);
        } else {
            Dismiss(dialog, IDCANCEL, true);
        }
    }

    void ActOnDialog(const WindowInfo& dialog) {
        if (dialog.caption == OPTIONS_CAPTION) {
            ++optionsActions;
            ActOnOptions(dialog.hwnd);
        } else if (dialog.caption == GAME_OVER_CAPTION) {
            ++gameEnds;
            Dismiss(dialog.hwnd, Chance(50) ? IDYES : IDNO, false);
        } else if (dialog.caption == VERSION_CAPTION && Chance(60)) {
            ++versionDialogs;
            Dismiss(dialog.hwnd, IDOK, Chance(50));
        } else {
            // Behind an open dialog the board still repaints, and computers go on moving.
            RepaintBurst();
        }
    }

    // Closes whatever dialog is open the way a person would, so that a close request reaches
    // the game window itself.
    void DismissAllDialogs() {
        const ULONGLONG end = ::GetTickCount64() + REACT_TIMEOUT_MS;
        for (std::vector<WindowInfo> open = OpenDialogs();
             !open.empty() && ::GetTickCount64() < end; open = OpenDialogs()) {
            const WindowInfo& w = open.front();
            const int button = w.caption == GAME_OVER_CAPTION ? IDNO
                               : w.caption == VERSION_CAPTION ? IDOK
                                                              : IDCANCEL;
            Dismiss(w.hwnd, button, false);
        }
    }

    // Asked to close, with its dialogs closed first, the program ends and keeps five values it
    // can read back.
    void CloseAndCheckSettings() {
        DismissAllDialogs();
        ASSERT_TRUE(OpenDialogs().empty())
            << "a dialog stays open after its button; " << milda.DescribeWindows() << "\n"
            << Where();
        ASSERT_TRUE(Answers()) << Where();
        ASSERT_TRUE(::PostMessageW(game, WM_CLOSE, 0, 0));
        ASSERT_TRUE(milda.WaitForExit())
            << "milda.exe still runs after WM_CLOSE; " << milda.DescribeWindows() << "\n"
            << Where();
        ASSERT_EQ(milda.ExitCode(), 0u) << Where();
        const std::wstring ini = milda.SettingsPath();
        const auto read = [&](const wchar_t* section, const wchar_t* key) {
            return static_cast<int>(::GetPrivateProfileIntW(section, key, -1, ini.c_str()));
        };
        const auto inRange = [](int value, int lo, int hi) { return value >= lo && value <= hi; };
        std::string file = "settings file:\n";
        for (const std::string& line : milda.SettingsLines())
            file += "  " + line + "\n";
        file += Where();
        EXPECT_TRUE(inRange(read(L"Option", L"FirstPlayer"), 0, 5)) << file;
        EXPECT_TRUE(inRange(read(L"Option", L"LastPlayer"), 0, 5)) << file;
        EXPECT_TRUE(inRange(read(L"Option", L"Guide"), 0, 1)) << file;
        // No window is larger than the largest size the system lets one be dragged to.
        EXPECT_TRUE(inRange(read(L"Window", L"cx"), 1, ::GetSystemMetrics(SM_CXMAXTRACK))) << file;
        EXPECT_TRUE(inRange(read(L"Window", L"cy"), 1, ::GetSystemMetrics(SM_CYMAXTRACK))) << file;
    }
};

TEST_F(Soak, RandomInputLeavesAnAnsweringProgramThatClosesAndSavesSaneSettings) {
    seed = static_cast<unsigned>(EnvNumber("MILDA_SOAK_SEED", DEFAULT_SEED));
    actions = static_cast<int>(EnvNumber("MILDA_SOAK_ACTIONS", DEFAULT_ACTIONS));
    rng.seed(seed);
    std::printf("soak: seed %u, %d actions\n", seed, actions);

    // A person on one side and the computer on the other.
    const bool personIsWhite = Chance(50);
    const int level = Uniform(1, 5);
    const std::string settings =
        "[Option]\r\nFirstPlayer=" + std::to_string(personIsWhite ? 0 : level) +
        "\r\nLastPlayer=" + std::to_string(personIsWhite ? level : 0) +
        "\r\nGuide=1\r\n[Window]\r\ncx=348\r\ncy=352\r\n";
    ASSERT_NO_FATAL_FAILURE(Launch(settings));

    // The stream runs in rounds, the first short; between them the program closes and starts again
    // from the settings file it wrote, so what it saves is checked, and read back, more than once.
    const int roundLength = std::max(1, actions / ROUNDS);
    const auto started = std::chrono::steady_clock::now();
    for (action = 1; action <= actions; ++action) {
        const std::vector<WindowInfo> open = OpenDialogs();
        if (open.empty())
            ActOnGame();
        else
            ActOnDialog(open[static_cast<size_t>(Uniform(0, static_cast<int>(open.size()) - 1))]);
        const ::testing::AssertionResult alive = Answers();
        ASSERT_TRUE(alive) << Where();
        if ((action % roundLength == 0 || action == FIRST_ROUND) && action < actions) {
            ASSERT_NO_FATAL_FAILURE(CloseAndCheckSettings());
            ASSERT_NO_FATAL_FAILURE(Launch());
        }
        ::Sleep(ACTION_PAUSE_MS);
    }
    action = actions;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %d actions in %.1f s; %d in the Options dialog, %d version dialogs "
                "closed, %d game ends answered\n",
                actions, seconds, optionsActions, versionDialogs, gameEnds);
    CloseAndCheckSettings();
}

} // namespace
