#include "GameSession.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "BoardText.h"
#include "render/GridGeometry.h"

namespace fs = std::filesystem;

std::wstring GameSession::BuildPath(const char* path) {
    std::wstring wide(path, path + std::char_traits<char>::length(path));
    if (!wide.empty() && wide[0] == L'/') {
        wide = L"Z:" + wide;
    }
    for (wchar_t& ch : wide) {
        ch = ch == L'/' ? L'\\' : ch;
    }
    return wide;
}

GameSession::GameSession(const std::wstring& name) {
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    // A blank in the folder's name, as under "Program Files".
    folder = std::wstring(temporary) + L"Nereku e2e " + name;
    fs::remove_all(folder);
    fs::create_directories(folder + L"\\Levels");
    fs::create_directories(folder + L"\\nerekusudoku");
    fs::copy_file(BuildPath(NEREKU_GAME_EXE), folder + L"\\NerekuSudoku.exe");
    fs::copy_file(BuildPath(NEREKU_HELP_PAGE), folder + L"\\nerekusudoku\\nerekusudoku.html");
    probe = RegisterWindowMessageW(kTestProbeName);
}

GameSession::GameSession(const InFolder& existing) : folder(existing.path), ownsFolder(false) {
    probe = RegisterWindowMessageW(kTestProbeName);
}

GameSession::~GameSession() {
    if (Running()) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    if (process) {
        CloseHandle(process);
    }
    if (ownsFolder) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

std::wstring GameSession::LevelPath(const std::wstring& level) const {
    return folder + L"\\Levels\\" + level + L".lvl";
}

std::wstring GameSession::SavePath(const std::wstring& level) const {
    return folder + L"\\Saves\\" + level + L".lvl";
}

void GameSession::WriteLevel(const std::wstring& level, CNerekuEngine& board) const {
    board.WriteLevelFile(LevelPath(level).c_str());
}

std::unique_ptr<StarterLevel> GameSession::AddStarterLevel(const std::wstring& level) const {
    auto starter = std::make_unique<StarterLevel>();
    const std::wstring source = BuildPath(NEREKU_STARTER_LEVELS) + L"\\" + level + L".lvl";
    fs::copy_file(source, LevelPath(level));
    starter->read = starter->board.ReadGridFile(source.c_str()) &&
                    starter->board.SolveLevel_FindSolutions(2) == 1;
    if (starter->read) {
        std::memcpy(starter->solution, starter->board.solutions.GetValue(0, 0, nullptr, true),
                    sizeof(starter->solution));
    }
    return starter;
}

std::unique_ptr<StarterLevel> GameSession::PlayStarterLevel(const std::wstring& level) {
    std::unique_ptr<StarterLevel> starter = AddStarterLevel(level);
    if (!starter->read || !Start() || !ChooseLevel(level)) {
        return nullptr;
    }
    return starter;
}

std::unique_ptr<CNerekuEngine> GameSession::ReadBoard(const std::wstring& path) {
    auto board = std::make_unique<CNerekuEngine>();
    return board->ReadGridFile(path.c_str()) ? std::move(board) : nullptr;
}

void GameSession::WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool GameSession::Start() {
    SetEnvironmentVariableW(kTestProbeVariable, L"1");
    std::wstring program = folder + L"\\NerekuSudoku.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // Under Wine the call has once failed at once, the program freshly
    // copied: it is tried again a few times, and the last error is told.
    bool created = false;
    for (int attempt = 0; attempt < 3 && !created; ++attempt) {
        if (attempt > 0) {
            Sleep(500);
        }
        created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, folder.c_str(), &startup, &info) != FALSE;
    }
    if (!created) {
        std::fprintf(stderr, "CreateProcessW failed: error %lu\n", GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = info.dwProcessId;
    if (!WaitFor([&] { return (window = FindProcessWindow(processId, L"CNerekuSudoku", nullptr)); },
                 15)) {
        return false;
    }
    // Ready once the window has been composed and answers the probe.
    return WaitFor([&] { return Probe(ProbePaintings) > 0; }, 10);
}

long GameSession::Close() {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}

bool GameSession::Running() const {
    return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

LRESULT GameSession::Probe(unsigned what) const {
    DWORD_PTR result = static_cast<DWORD_PTR>(-1);
    if (!SendMessageTimeoutW(window, probe, what, 0, SMTO_NORMAL, 5000, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

Square GameSession::SquareAt(int index) const {
    const LRESULT packed = Probe(ProbeSquare + index);
    Square square = {};
    square.fixed = static_cast<unsigned char>((packed >> 24) & 0xFF);
    square.number = static_cast<unsigned char>((packed >> 16) & 0xFF);
    for (int d = 0; d < kDigitCount; ++d) {
        square.possible[d] = static_cast<unsigned char>((packed >> d) & 1);
    }
    return square;
}

std::string GameSession::Digits() const {
    std::string digits;
    for (int i = 0; i < kSquareCount; ++i) {
        digits += static_cast<char>('0' + SquareAt(i).number);
    }
    return digits;
}

RECT GameSession::ClientRect() const {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

POINT GameSession::ToScreen(POINT client) const {
    ClientToScreen(window, &client);
    return client;
}

WindowLayout GameSession::Layout() const {
    const RECT client = ClientRect();
    const int side = GridPictureSide(SquareSize());
    return LayOutWindow(client.right, client.bottom, Mode() == NoMode, side, side);
}

LayoutRect GameSession::GridRect() const {
    return Layout().grid;
}

POINT GameSession::CellPoint(int index, int digit) const {
    const LayoutRect grid = GridRect();
    const int s = SquareSize();
    const int k = digit - 1;
    return {grid.left + ColumnOf(index) * s + (k % 3) * s / 3 + s / 6,
            grid.top + RowOf(index) * s + (k / 3) * s / 3 + s / 6};
}

POINT GameSession::SidePoint(int index, SignDirectionIndex side) const {
    const LayoutRect grid = GridRect();
    const int s = SquareSize();
    const int x = grid.left + ColumnOf(index) * s;
    const int y = grid.top + RowOf(index) * s;
    switch (side) {
    case kUp:
        return {x + s / 2, y + 3};
    case kRight:
        return {x + s - 3, y + s / 2};
    case kDown:
        return {x + s / 2, y + s - 3};
    default:
        return {x + 3, y + s / 2};
    }
}

void GameSession::Key(WORD key, std::initializer_list<WORD> held) {
    const long before = Counted(ProbeKeys);
    SetForegroundWindow(window);
    PressKey(window, key, held);
    WaitFor([&] { return Counted(ProbeKeys) > before || OpenDialog() != nullptr; }, 10);
}

void GameSession::Click(POINT client, bool left) {
    const long before = Counted(ProbeMouseUps);
    ClickAt(ToScreen(client), left);
    WaitFor([&] { return Counted(ProbeMouseUps) > before || OpenDialog() != nullptr; }, 10);
}

void GameSession::ClickButton(BarButton button) {
    const long before = Counted(ProbeCommands);
    const LayoutRect place = Layout().buttons[button];
    ClickAt(ToScreen({(place.left + place.right) / 2, (place.top + place.bottom) / 2}), true,
            [] { return Sleep(30), true; }); // the button lights up under the pointer first
    WaitFor([&] { return Counted(ProbeCommands) > before || OpenDialog() != nullptr; }, 10);
}

std::vector<std::wstring> GameSession::ListedLevels() const {
    const HWND list = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
    std::vector<std::wstring> names;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring name(static_cast<size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1,
                          L'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()));
        name.resize(name.size() - 1);
        names.push_back(name);
    }
    return names;
}

// The list's text is its selected entry; a window of another process gives
// its text only when asked with the message itself.
std::wstring GameSession::SelectedLevel() const {
    wchar_t text[260] = L"";
    SendMessageW(FindWindowExW(window, nullptr, L"ComboBox", nullptr), WM_GETTEXT, 260,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

// Opens the drop-down list with a click and clicks the level's entry in it;
// a click the list was not ready for is given again.
bool GameSession::ChooseLevel(const std::wstring& level) {
    const HWND list = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
    const LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(level.c_str()));
    if (index < 0) {
        return false;
    }
    const long before = Counted(ProbeCommands);
    auto chosen = [&] { return Counted(ProbeCommands) > before || OpenDialog() != nullptr; };
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0) {
            ClickAt(CentreOf(list), true);
        }
        HWND dropDown = nullptr;
        if (!WaitFor([&] {
                return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0 &&
                       (dropDown = FindProcessWindow(processId, L"ComboLBox", nullptr));
            })) {
            continue;
        }
        // Bring the entry into view, then click the middle of its row.
        SendMessageW(dropDown, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        const LRESULT top = SendMessageW(dropDown, LB_GETTOPINDEX, 0, 0);
        const LRESULT height = SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
        RECT place = {};
        GetWindowRect(dropDown, &place);
        ClickAt({(place.left + place.right) / 2,
                 place.top + 1 + static_cast<LONG>((index - top) * height + height / 2)},
                true);
        if (WaitFor(chosen, 5)) {
            return true;
        }
    }
    return false;
}

// A dialog is taken once it shows and has come to rest: it is sized and
// centred after it is made, and shown only when its thread has nothing else
// to do. One that has been made is waited for even after `seconds`.
HWND GameSession::WaitForDialog(const wchar_t* caption, int seconds) const {
    HWND dialog = nullptr;
    auto find = [&](bool visible) {
        return (dialog = FindProcessWindow(processId, L"#32770", caption, visible)) != nullptr;
    };
    if (!WaitFor([&] { return find(true); }, seconds) && find(false)) {
        WaitFor([&] { return find(true); }, 5);
    }
    if (dialog != nullptr && IsWindowVisible(dialog)) {
        RECT last = {};
        WaitFor([&] {
            RECT now = {};
            GetWindowRect(dialog, &now);
            const bool still = EqualRect(&now, &last) != FALSE;
            last = now;
            Sleep(30);
            return still;
        });
        return dialog;
    }
    return nullptr;
}

HWND GameSession::OpenDialog() const {
    return FindProcessWindow(processId, L"#32770", nullptr);
}

bool GameSession::Answer(HWND dialog, const wchar_t* button) {
    const HWND target = FindChild(dialog, L"Button", button);
    if (target == nullptr) {
        return false;
    }
    // A real click on the button; a dialog whose thread is busy gets it when
    // it comes back.
    // A click that the dialog was not ready for yet is given again.
    auto closed = [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); };
    bool done = false;
    for (int attempt = 0; attempt < 3 && !done; ++attempt) {
        done = ClickOn(target) && WaitFor(closed, 5);
    }
    if (!done) {
        // The screen as it was, for whoever reads the failure.
        const RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (const auto grab = GrabScreen(all)) {
            SavePng(*grab, L"AnswerFailed");
        }
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        fprintf(stderr,
                "Answer failed: capture %p (%ls; the button is %p), active %p (%ls \"%ls\"), "
                "dialog %p\n",
                static_cast<void*>(info.hwndCapture), ClassOf(info.hwndCapture).c_str(),
                static_cast<void*>(target), static_cast<void*>(info.hwndActive),
                ClassOf(info.hwndActive).c_str(), WindowText(info.hwndActive).c_str(),
                static_cast<void*>(dialog));
        return false;
    }
    // The game answers the probe once it is back in a message loop: what
    // the answer set off has then been done, up to any next dialog.
    Probe(ProbeMode);
    return true;
}

void GameSession::Type(HWND dialog, const std::wstring& text) {
    const HWND edit = FindChild(dialog, L"Edit");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeText(edit, L"\b" + text);
}

std::unique_ptr<Canvas> GameSession::GrabClient() const {
    RECT client = ClientRect();
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ParkMouse();
    return GrabScreen(client);
}

std::wstring GameSession::Screenshot(const wchar_t* name) const {
    RECT place = {};
    GetWindowRect(window, &place);
    ParkMouse();
    std::unique_ptr<Canvas> grab = GrabScreen(place);
    // One set of screenshots for each screen size.
    const std::wstring sized = std::wstring(name) + L"_" +
                               std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                               std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    return grab ? SavePng(*grab, sized.c_str()) : L"";
}

std::unique_ptr<CNerekuEngine> Puzzle(const char* digits) {
    auto engine = std::make_unique<CNerekuEngine>();
    LoadPuzzleDigits(*engine, digits);
    return engine;
}
