// CWndCommon: the base of an application's main window object. It holds what
// every window of the program shares: the settings key, the string table, the
// icons, cursor and default font, the background picture and the tool tip, and
// it runs the message pump. The derived class registers its window class,
// creates the window (storing it in `mainWindow`) and handles its messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "corvane/CPicture.h"
#include "corvane/CStringResource.h"
#include "corvane/CWndToolTip.h"
#include "corvane/GdiObjects.h"
#include "corvane/UniqueIcon.h"

class CWndCommon {
public:
    CWndCommon();
    CWndCommon(const CWndCommon&) = delete;
    CWndCommon& operator=(const CWndCommon&) = delete;
    virtual ~CWndCommon();

    // Sets up the base:
    //   applicationName  unused
    //   helpFile         unused
    //   settingsRoot, settingsKey  the registry key of the settings. They are
    //                    only read, never written: the value "Language" (a
    //                    DWORD) under settingsKey in HKEY_CURRENT_USER, else
    //                    under settingsKey in settingsRoot, chooses the
    //                    language; without it `language` holds.
    //   instance         the program's module
    //   translate        fills the string table for a language
    //   language         the language id when the registry names none
    //   cursorId         a cursor resource of the program (0: the arrow)
    //   minWidth, minHeight  unused (the derived class answers
    //                    WM_GETMINMAXINFO itself)
    //   largeIconId, smallIconId  icon resources (0: the system's icon)
    //   drawMode         the initial `backgroundDrawMode`
    // Also loads the common controls, installs the Windows exception reporter
    // and makes the default font (the system's message font) and an empty
    // background picture. Calling it again rebuilds everything and deletes
    // the tool tip. Always true.
    bool Initialize(const wchar_t* applicationName, const wchar_t* helpFile, HKEY settingsRoot,
                    const wchar_t* settingsKey, HINSTANCE instance, TranslateCallback translate,
                    unsigned char language, unsigned short cursorId, int minWidth, int minHeight,
                    int largeIconId, int smallIconId, int drawMode);

    // Handles every message waiting for this thread and returns: false as soon
    // as WM_QUIT arrives (the program is to end), true otherwise. Keyboard
    // navigation goes to `dialog` when given, else to the dialog (or window
    // with WS_EX_CONTROLPARENT) the message belongs to. When the pointer
    // enters a child window of the main window, UpdateStatusBar is called
    // with it.
    bool OperateMessagePump(HWND dialog);

    // The hourglass while a long operation runs, and back.
    void SetWaitCursor();
    void SetNormalCursor();

    // Places the controls for a client area of width x height (the base does
    // nothing).
    virtual void SetControlPositions(int width, int height);
    // Called with a child window of the main window when the pointer comes to
    // rest on it (the base does nothing).
    virtual void UpdateStatusBar(HWND control);
    // A key message (WM_KEYDOWN or WM_KEYUP) for the main window or any of
    // its controls, before the control has it: true when the owner took it,
    // and it goes no further. The base takes none.
    virtual bool OnKeyMessage(const MSG& message);

    HWND GetMainWindow() const { return mainWindow; }
    HINSTANCE GetInstance() const { return instance; }
    HFONT GetDefaultFont() const { return defaultFont.Get(); }
    CStringResource* GetStringTable() const { return stringTable.get(); }
    bool IsWaiting() const { return waiting; }

    bool windowReady = false;
    bool quitRequested = false;

protected:
    // Two colours for the owner's use; the base does not read them.
    COLORREF faceColour = RGB(212, 208, 200);
    COLORREF highlightColour = RGB(255, 255, 255);
    std::unique_ptr<CPicture> backgroundPicture;
    std::unique_ptr<CStringResource> stringTable;
    HCURSOR cursor = nullptr; // shared: never destroyed
    GdiObject<HFONT> defaultFont;
    UniqueIcon largeIcon;
    UniqueIcon smallIcon;
    // Set by the owner; destroyed before the font it may use.
    std::unique_ptr<CWndToolTip> toolTip;
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    int16_t eraseRequests = 0;
    // How the owner draws its background picture; the base only stores it.
    uint32_t backgroundDrawMode = 0;

private:
    void TrackPointer(const MSG& message);

    HWND pointerChild = nullptr;
    bool waiting = false;
};
