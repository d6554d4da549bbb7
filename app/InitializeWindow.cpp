// Start-up: the class library's base, the main window, the folders beside the
// program, the level list, the picture buttons and the drawn texts, and the
// window's place on the screen.
#include <windows.h>

#include "Guarded.h"
#include "TranslateStrings.h"
#include "app/CNerekuSudoku.h"
#include "app/TestProbe.h"
#include "app/WindowLayout.h"
#include "corvane/CWndToolTip.h"
#include "corvane/GdiObjects.h"
#include "corvane/StringHelpers.h"
#include "resources/resource.h"

namespace {

const wchar_t* const kClassName = L"CNerekuSudoku";
const wchar_t* const kSettingsKey = L"Software\\Quorvia\\NerekuSudoku";
constexpr unsigned char kDefaultLanguage = 7; // English
constexpr unsigned char kArabic = 1;
constexpr DWORD kLevelsComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_SORT |
                                    CBS_HASSTRINGS | CBS_DROPDOWNLIST; // 0x50A00303
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kTextKeyColour = RGB(255, 0, 255);

// The folder of the program file, without a trailing backslash: the text is
// cut at its last backslash from index 1 on, or emptied when there is none.
void ProgramFolder(wchar_t (&folder)[kPathLength]) {
    const DWORD length = GetModuleFileNameW(nullptr, folder, kPathLength);
    if (length == 0 || length >= kPathLength) {
        folder[0] = L'\0'; // no name, or one that was cut
        return;
    }
    for (size_t i = Safe_wcslen(folder, 0x7FFFFFFF); i-- > 1;) {
        if (folder[i] == L'\\') {
            folder[i] = L'\0';
            return;
        }
    }
    folder[0] = L'\0';
}

} // namespace

bool CNerekuSudoku::InitializeWindow() {
    return NEREKU_GUARDED([&] {
        CPicture picture; // the button pictures, one after another

        if (!Initialize(kClassName, nullptr, HKEY_LOCAL_MACHINE, kSettingsKey, instance,
                        TranslateStrings, kDefaultLanguage, 0, 0, 0, IDI_NEREKU_SUDOKU,
                        IDI_NEREKU_SUDOKU, 2)) {
            return false;
        }
        windowReady = false;
        SetWaitCursor();

        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = WndProcWrapper;
        windowClass.cbWndExtra = 8;
        windowClass.hInstance = instance;
        windowClass.hIcon = largeIcon.Get();
        windowClass.hCursor = cursor;
        windowClass.hIconSm = smallIcon.Get();
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass); // already registered is fine too

        mainWindow =
            CreateWindowExW(0, kClassName, L"NerekuSudoku", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        if (!mainWindow) {
            return false;
        }
        SetWindowLongPtrW(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        probeMessage = TestProbeMessage();

        toolTip = std::make_unique<CWndToolTip>(500, nullptr, HKEY_LOCAL_MACHINE);

        faceColour = RGB(0xD4, 0xD0, 0xC8);
        highlightColour = RGB(0xFF, 0xFF, 0xFF);
        gridColour = RGB(0xFF, 0xFF, 0xFF);
        SetBackgroundColour(kNoModeColour);

        // "Levels" and "Saves" beside the program.
        wchar_t folder[kPathLength];
        ProgramFolder(folder);
        OpenDataFolder(folder);

        ResetGrid();

        levelsCombo = CreateWindowExW(0, L"ComboBox", L"Levels", kLevelsComboStyle, 0, 0, 0, 0,
                                      mainWindow, nullptr, instance, nullptr);
        if (!levelsCombo) {
            return false;
        }
        SendMessageW(levelsCombo, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont.Get()), FALSE);
        SendMessageW(levelsCombo, CB_SETEXTENDEDUI, TRUE, 0);
        UpdateLevelsCombo(nullptr);

        const bool rightToLeft = stringTable->GetLanguage() == kArabic;
        for (const BarButtonEntry& entry : kBarButtons) {
            CWndButton& button = this->*entry.button;
            if (!button.Initialize(instance, mainWindow, rightToLeft, backgroundPicture.get(),
                                   nullptr, nullptr, nullptr)) {
                return false;
            }
            picture.CreatePictureFromResource(instance, entry.picture, L"Picture");
            button.SetBackground(&picture, backgroundColour, &picture, backgroundColour, 2, false,
                                 false, true);
        }

        for (CTextCtrl* text : {&txtModeNotifier, &txtInstructions, &txtVersion, &txtNewLevel,
                                &txtLevelEditor, &txtRestartLevel, &txtSaveLevel, &txtDeleteLevel,
                                &txtSolveLevel, &txtHelp, &txtAbout}) {
            text->SetTransparency(true, kTextKeyColour);
            text->SetTextColour(kTextColour);
        }
        txtModeNotifier.SetTextFormat(5, 5, 3, true);
        txtInstructions.SetText(Text(L"No_mode_instructions"));
        txtInstructions.SetTextFormat(5, 5, 3, false);
        // The instructions line up in columns padded with blanks: a
        // fixed-pitch face. The control keeps a font of its own.
        const GdiObject<HFONT> consolas(
            CreateFontW(16, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH, L"Consolas"));
        txtInstructions.SetFont(consolas.Get());
        txtVersion.SetText(L"v1.00");
        txtVersion.SetTextFormat(3, 4, 2, true);
        for (const BarButtonEntry& entry : kBarButtons) {
            CTextCtrl& caption = this->*entry.caption;
            caption.SetText(Text(entry.captionKey));
            caption.SetTextFormat(5, 5, 2, true);
        }

        const LayoutRect place =
            MainWindowPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SetWindowPos(mainWindow, HWND_TOP, place.left, place.top, place.Width(), place.Height(), 0);

        windowReady = true;
        ShowWindow(mainWindow, SW_SHOWNORMAL);
        OnEraseBackground();
        SetNormalCursor();
        EnableWindow(mainWindow, TRUE);
        return true;
    });
}
