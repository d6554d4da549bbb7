// The window base: set-up from the registry and resources, the message pump
// and the cursor.
#include "corvane/CWndCommon.h"

#include <commctrl.h>

#include "ModalDialog.h"
#include "corvane/RegistryKey.h"
#include "corvane/WindowsExceptionReporter.h"

namespace {

// The DWORD "Language" under root\key, or -1. Only reads.
int ReadLanguage(HKEY root, const wchar_t* key) {
    if (!root || !key)
        return -1;
    RegistryKey opened = OpenRegistryKey(root, key, KEY_QUERY_VALUE);
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (!opened ||
        RegQueryValueExW(opened.Get(), L"Language", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || value > 255)
        return -1;
    return static_cast<int>(value);
}

UniqueIcon LoadIconOfSize(HINSTANCE instance, int id, int side) {
    HICON icon = nullptr;
    if (id)
        icon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    // The system's icon is shared; a copy of it can be destroyed like our own.
    return UniqueIcon(icon ? icon : CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
}

} // namespace

CWndCommon::CWndCommon() = default;

CWndCommon::~CWndCommon() = default;

bool CWndCommon::Initialize(const wchar_t* /*applicationName: unused*/,
                            const wchar_t* /*helpFile: unused*/, HKEY settingsRoot,
                            const wchar_t* settingsKey, HINSTANCE moduleInstance,
                            TranslateCallback translate, unsigned char language,
                            unsigned short cursorId, int /*minWidth: unused*/,
                            int /*minHeight: unused*/, int largeIconId, int smallIconId,
                            int drawMode) {
    toolTip.reset(); // the owner makes its tool tip anew
    InstallWindowsExceptionReporter();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    instance = moduleInstance;
    backgroundDrawMode = static_cast<uint32_t>(drawMode);

    int chosen = ReadLanguage(HKEY_CURRENT_USER, settingsKey);
    if (chosen < 0 && settingsRoot != HKEY_CURRENT_USER)
        chosen = ReadLanguage(settingsRoot, settingsKey);
    stringTable = std::make_unique<CStringResource>();
    stringTable->Build(translate, chosen >= 0 ? static_cast<unsigned char>(chosen) : language);
    backgroundPicture = std::make_unique<CPicture>();

    cursor = cursorId ? LoadCursorW(instance, MAKEINTRESOURCEW(cursorId)) : nullptr;
    if (!cursor)
        cursor = LoadCursorW(nullptr, IDC_ARROW);
    largeIcon = LoadIconOfSize(instance, largeIconId, GetSystemMetrics(SM_CXICON));
    smallIcon = LoadIconOfSize(instance, smallIconId, GetSystemMetrics(SM_CXSMICON));
    defaultFont = CreateMessageFont();
    return true;
}

void CWndCommon::TrackPointer(const MSG& message) {
    if (message.message != WM_MOUSEMOVE || !mainWindow)
        return;
    // The child of the main window under the pointer (the window itself or a
    // control's own part, such as a combo box's edit, counts as that child).
    HWND child = message.hwnd;
    while (child && GetParent(child) && GetParent(child) != mainWindow)
        child = GetParent(child);
    if (!child || GetParent(child) != mainWindow)
        child = nullptr;
    if (child == pointerChild)
        return;
    pointerChild = child;
    if (child)
        UpdateStatusBar(child);
}

bool CWndCommon::OperateMessagePump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return false;
        TrackPointer(message);
        HWND target = dialog;
        if (!target && message.hwnd) {
            HWND root = GetAncestor(message.hwnd, GA_ROOT);
            if (root && root != mainWindow &&
                (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
                target = root;
        }
        if (target && IsDialogMessageW(target, &message))
            continue;
        if (!dialog && (message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
            message.hwnd && GetAncestor(message.hwnd, GA_ROOT) == mainWindow &&
            OnKeyMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

void CWndCommon::SetWaitCursor() {
    waiting = true;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void CWndCommon::SetNormalCursor() {
    waiting = false;
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

void CWndCommon::SetControlPositions(int, int) {}

void CWndCommon::UpdateStatusBar(HWND) {}

bool CWndCommon::OnKeyMessage(const MSG&) {
    return false;
}
