// What the game asks of its window, done with the class library's dialogs,
// the level list, the program's sounds and the shell.
#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "MakerInfo.h"
#include "app/CNerekuSudoku.h"
#include "app/HelpAddress.h"
#include "corvane/CMessageBox.h"
#include "corvane/CValueRequester.h"
#include "corvane/Files.h"
#include "resources/resource.h"

namespace {

// How long a search or a generation may take before the wait cursor shows.
constexpr std::chrono::milliseconds kBusyAfter(100);

void OpenAddress(const wchar_t* address) {
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// Opens a page of our own help in the web browser. The shell opens a file
// address by its file type and drops the part after '#', so the address goes
// to the program that opens web addresses instead, which keeps the section.
void OpenLocalPage(const std::wstring& address) {
    wchar_t browser[MAX_PATH];
    DWORD size = MAX_PATH;
    if (AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, L"http", L"open", browser, &size) ==
        S_OK) {
        const std::wstring argument = L"\"" + address + L"\"";
        ShellExecuteW(nullptr, L"open", browser, argument.c_str(), nullptr, SW_SHOWNORMAL);
    } else {
        OpenAddress(address.c_str());
    }
}

} // namespace

// Without a table (it could not be built) every text is its key.
const CStringResource& CNerekuSudoku::Texts() {
    static const CStringResource none;
    return stringTable ? *stringTable : none;
}

int CNerekuSudoku::Ask(const Question& question) {
    CMessageBox box(this, nullptr, nullptr);
    box.SetDefaultButton(question.defaultButton);
    const int count = static_cast<int>(question.buttons.size());
    return box.ShowButtons(question.text, question.caption, count, question.buttons.data(), count);
}

bool CNerekuSudoku::AskNumber(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                              unsigned char lowest, unsigned char highest) {
    CValueRequester requester(this, false, nullptr, 0, 0xFFFF, 0, 0xFFFF);
    return requester.ShowDialog(text, caption, value, lowest, highest);
}

bool CNerekuSudoku::AskName(const wchar_t* text, const wchar_t* caption, wchar_t* name,
                            size_t size) {
    CValueRequester requester(this, false, nullptr, 0, 65535, 0, 65535);
    return requester.ShowDialog(text, caption, name, size);
}

// The click holds the game until it has sounded; the success sound plays on
// while the game goes on.
void CNerekuSudoku::PlayGameSound(GameSound sound) {
    if (sound == GameSound::Click) {
        PlaySoundW(MAKEINTRESOURCEW(IDW_CLICK), instance, SND_RESOURCE);
    } else {
        PlaySoundW(MAKEINTRESOURCEW(IDW_SUCCESS), instance, SND_RESOURCE | SND_ASYNC);
    }
}

void CNerekuSudoku::SetBanner(const wchar_t* text) {
    txtModeNotifier.SetText(text);
}

// The work runs on a thread of its own while the window's thread waits for
// it, handling no messages, as if it ran the work itself; the wait is what
// lets the wait cursor come up once the work has taken a while, and only
// then. Without a thread the work runs here.
void CNerekuSudoku::RunBusy(const std::function<void()>& work) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    std::thread worker;
    try {
        worker = std::thread(std::move(task));
    } catch (const std::system_error&) {
        work();
        return;
    }
    if (done.wait_for(kBusyAfter) != std::future_status::ready) {
        SetWaitCursor();
        ++counters.waitCursors;
        done.wait();
        SetNormalCursor();
    }
    worker.join();
    done.get(); // an exception of the work goes on from here
}

void CNerekuSudoku::FillLevelList(const std::vector<std::wstring>& names) {
    SendMessageW(levelsCombo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : names) {
        SendMessageW(levelsCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void CNerekuSudoku::SelectLevel(const wchar_t* name) {
    const LRESULT found =
        name == nullptr ? CB_ERR
                        : SendMessageW(levelsCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name));
    SendMessageW(levelsCombo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

// The selected entry's own text, whatever its length.
std::wstring CNerekuSudoku::SelectedLevel() {
    const LRESULT selected = SendMessageW(levelsCombo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return L"";
    }
    const LRESULT length =
        SendMessageW(levelsCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR) {
        return L"";
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(levelsCombo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

GridPlace CNerekuSudoku::GridOnScreen() {
    const RECT& grid = gridPicture.GetDrawingRect();
    return {grid.left, grid.top, grid.right, grid.bottom, squareSize};
}

// The game-play help: the page that ships beside the program, or the
// maker's online page when it is missing.
void CNerekuSudoku::OpenHelp() {
    const std::wstring page = std::wstring(dataDirectory) + L"\\" + kHelpPage;
    std::wstring local = page;
    for (wchar_t& ch : local) {
        ch = ch == L'/' ? L'\\' : ch;
    }
    if (FileExists(local.c_str())) {
        OpenLocalPage(FileAddress(local, kHelpSection));
    } else {
        OpenAddress(MakerInfo::helpAddress);
    }
}

void CNerekuSudoku::OpenWebsite() {
    OpenAddress(MakerInfo::website);
}
