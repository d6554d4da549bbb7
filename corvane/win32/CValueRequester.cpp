// The value dialogs: a prompt, an edit box (with an up-down control for a
// number), an optional note, and OK and Cancel.
#include "corvane/CValueRequester.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "ModalDialog.h"
#include "corvane/CWndCommon.h"
#include "corvane/StringHelpers.h"

namespace {

const int PromptId = 100;
const int EditId = 101;
const int SpinId = 102;
const int NoteId = 103;

struct Limits {
    int minWidth, maxWidth, minHeight, maxHeight;
};

// What the two variants share: layout, buttons and the OK/Cancel handling.
class ValueDialog : public ModalDialog {
public:
    ValueDialog(HWND ownerWindow, HFONT dialogFont, const CPicture* dialogPicture, bool rtl,
                const wchar_t* promptText, const wchar_t* noteText, const wchar_t* okText,
                const wchar_t* cancelText, Limits sizeLimits)
        : ModalDialog(ownerWindow, dialogFont, dialogPicture, rtl), prompt(promptText),
          note(noteText), limits(sizeLimits) {
        buttonTexts[0] = okText;
        buttonTexts[1] = cancelText;
    }

protected:
    // Makes the edit box's own controls at (x, y) of the given width; returns
    // the edit box.
    virtual HWND AddEditBox(int x, int y, int width, int height) = 0;
    // OK was pressed: true closes the dialog with true.
    virtual bool Accept() = 0;
    virtual void OnEditChange() {}

    HWND edit = nullptr;

private:
    HWND OnInit() override {
        int marginX = Scale(24);
        int marginY = Scale(20);
        int pictureSide = PictureSide();
        int contentX = marginX + (pictureSide ? pictureSide + Scale(16) : 0);
        // As wide as the prompt on one line, within reason; longer prompts wrap.
        int contentWidth = std::max(
            Scale(280), std::min(static_cast<int>(MeasureText(prompt, 0).cx) + 2, Scale(440)));
        SIZE promptSize = MeasureText(prompt, contentWidth);
        int clientWidth =
            std::max(contentX + contentWidth + marginX, ButtonRowWidth(buttonTexts, 2));
        clientWidth = std::max(limits.minWidth, std::min(clientWidth, limits.maxWidth));
        contentWidth = clientWidth - contentX - marginX;

        if (pictureSide)
            PlacePicture(marginX, marginY);
        int y = marginY;
        AddControl(L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, 0, PromptId, contentX, y, contentWidth,
                   promptSize.cy);
        y += promptSize.cy + Scale(10);
        int editHeight = fontHeight + Scale(10);
        edit = AddEditBox(contentX, y, contentWidth, editHeight);
        y += editHeight;
        if (note && *note) {
            SIZE noteSize = MeasureText(note, contentWidth);
            y += Scale(8);
            AddControl(L"STATIC", note, SS_LEFT | SS_NOPREFIX, 0, NoteId, contentX, y, contentWidth,
                       noteSize.cy);
            y += noteSize.cy;
        }
        int bandTop = std::max(y, marginY + pictureSide) + marginY;
        int clientHeight = bandTop + BandHeight();
        int stretch =
            std::max(limits.minHeight, std::min(clientHeight, limits.maxHeight)) - clientHeight;
        if (stretch > 0) {
            bandTop += stretch;
            clientHeight += stretch;
        }
        const int ids[2] = {IDOK, IDCANCEL};
        AddButtons(buttonTexts, 2, ids, clientWidth, bandTop);
        FinishLayout(clientWidth, clientHeight, bandTop);
        OnEditChange();
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return edit;
    }

    void OnCommand(int id, int code) override {
        if (id == EditId && code == EN_CHANGE)
            OnEditChange();
        else if (id == IDOK && IsWindowEnabled(GetDlgItem(dialog, IDOK)) && Accept())
            EndDialog(dialog, 1);
    }

    const wchar_t* prompt;
    const wchar_t* note;
    const wchar_t* buttonTexts[2];
    Limits limits;
};

class NumberDialog : public ValueDialog {
public:
    NumberDialog(HWND ownerWindow, HFONT dialogFont, const CPicture* dialogPicture, bool rtl,
                 const wchar_t* promptText, const wchar_t* noteText, const wchar_t* okText,
                 const wchar_t* cancelText, Limits sizeLimits, int startValue, int low, int high)
        : ValueDialog(ownerWindow, dialogFont, dialogPicture, rtl, promptText, noteText, okText,
                      cancelText, sizeLimits),
          value(std::max(low, std::min(startValue, high))), minimum(low), maximum(high) {}

    int value;

private:
    HWND AddEditBox(int x, int y, int width, int height) override {
        int editWidth = std::min(width, Scale(90));
        HWND box = AddControl(L"EDIT", std::to_wstring(value).c_str(),
                              WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                              EditId, x, y, editWidth, height);
        SendMessageW(box, EM_LIMITTEXT, 3, 0);
        HWND spin = AddControl(UPDOWN_CLASSW, L"",
                               UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                               0, SpinId, 0, 0, 0, 0);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(box), 0);
        SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
        SendMessageW(spin, UDM_SETPOS32, 0, value);
        return box;
    }

    // A number out of range (or none) is replaced by the nearest allowed one,
    // shown selected, and refused with a beep.
    bool Accept() override {
        wchar_t text[16] = L"";
        GetWindowTextW(edit, text, 16);
        bool hasNumber = text[0] != L'\0';
        long typed = hasNumber ? std::wcstol(text, nullptr, 10) : value;
        int nearest = static_cast<int>(std::max<long>(minimum, std::min<long>(typed, maximum)));
        if (hasNumber && nearest == typed) {
            value = nearest;
            return true;
        }
        SetWindowTextW(edit, std::to_wstring(nearest).c_str());
        SendMessageW(GetDlgItem(dialog, SpinId), UDM_SETPOS32, 0, nearest);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        MessageBeep(MB_ICONWARNING);
        return false;
    }

    int minimum, maximum;
};

class TextDialog : public ValueDialog {
public:
    TextDialog(HWND ownerWindow, HFONT dialogFont, const CPicture* dialogPicture, bool rtl,
               const wchar_t* promptText, const wchar_t* noteText, const wchar_t* okText,
               const wchar_t* cancelText, Limits sizeLimits, const wchar_t* startText,
               size_t bufferSize)
        : ValueDialog(ownerWindow, dialogFont, dialogPicture, rtl, promptText, noteText, okText,
                      cancelText, sizeLimits),
          text(startText, Safe_wcslen(startText, bufferSize - 1)), size(bufferSize) {}

    std::wstring text;

private:
    HWND AddEditBox(int x, int y, int width, int height) override {
        HWND box = AddControl(L"EDIT", text.c_str(), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                              WS_EX_CLIENTEDGE, EditId, x, y, width, height);
        SendMessageW(box, EM_LIMITTEXT, static_cast<WPARAM>(size - 1), 0);
        return box;
    }

    void OnEditChange() override {
        EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthW(edit) > 0);
    }

    bool Accept() override {
        std::wstring typed(size, L'\0');
        GetWindowTextW(edit, &typed[0], static_cast<int>(size));
        text = typed.c_str();
        return !text.empty();
    }

    size_t size;
};

const wchar_t* LookUp(const CWndCommon* parent, const wchar_t* key, const wchar_t* fallback) {
    if (!parent || !parent->GetStringTable())
        return fallback;
    const wchar_t* text = parent->GetStringTable()->Get(key, false);
    return *text ? text : fallback;
}

} // namespace

CValueRequester::CValueRequester(CWndCommon* parent, bool layoutRightToLeft,
                                 CPicture* dialogPicture, int minimumWidth, int maximumWidth,
                                 int minimumHeight, int maximumHeight)
    : parentWindow(parent ? parent->GetMainWindow() : nullptr), parentObject(parent),
      picture(dialogPicture), rightToLeft(layoutRightToLeft), minWidth(minimumWidth),
      maxWidth(maximumWidth), minHeight(minimumHeight), maxHeight(maximumHeight) {}

CValueRequester::CValueRequester(HWND parent, bool layoutRightToLeft, CPicture* dialogPicture,
                                 int minimumWidth, int maximumWidth, int minimumHeight,
                                 int maximumHeight)
    : parentWindow(parent), parentObject(nullptr), picture(dialogPicture),
      rightToLeft(layoutRightToLeft), minWidth(minimumWidth), maxWidth(maximumWidth),
      minHeight(minimumHeight), maxHeight(maximumHeight) {}

bool CValueRequester::ShowDialog(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                                 unsigned char minimum, unsigned char maximum,
                                 const wchar_t* note) {
    if (!value)
        return false;
    HFONT font = parentObject ? parentObject->GetDefaultFont() : nullptr;
    NumberDialog dialog(parentWindow, font, picture, rightToLeft, text ? text : L"", note,
                        LookUp(parentObject, L"Ok", L"OK"),
                        LookUp(parentObject, L"Cancel", L"Cancel"),
                        Limits{minWidth, maxWidth, minHeight, maxHeight}, *value,
                        std::min(minimum, maximum), std::max(minimum, maximum));
    if (dialog.Run(caption) != 1)
        return false;
    *value = static_cast<unsigned char>(dialog.value);
    return true;
}

bool CValueRequester::ShowDialog(const wchar_t* text, const wchar_t* caption, wchar_t* buffer,
                                 size_t size, const wchar_t* note) {
    if (!buffer || size < 2)
        return false;
    HFONT font = parentObject ? parentObject->GetDefaultFont() : nullptr;
    TextDialog dialog(parentWindow, font, picture, rightToLeft, text ? text : L"", note,
                      LookUp(parentObject, L"Ok", L"OK"),
                      LookUp(parentObject, L"Cancel", L"Cancel"),
                      Limits{minWidth, maxWidth, minHeight, maxHeight}, buffer, size);
    if (dialog.Run(caption) != 1)
        return false;
    Safe_wcsncpy(buffer, dialog.text.c_str(), size);
    return true;
}
