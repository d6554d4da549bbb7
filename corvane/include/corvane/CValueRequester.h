// CValueRequester: a modal dialog that asks for one value, a number or a text.
// Like CMessageBox it is a real dialog of real child controls: a static
// prompt, an edit box (with an up-down control for numbers), an optional note
// and the buttons OK and Cancel (their texts come from the parent's string
// table keys "Ok" and "Cancel" where it has them).
#pragma once

#include <windows.h>

class CPicture;
class CWndCommon;

class CValueRequester {
public:
    // `rightToLeft` lays the dialog out from right to left. `picture` (may be
    // null) is shown left of the prompt. The dialog's client area is kept
    // within minWidth..maxWidth and minHeight..maxHeight pixels (0 and 65535:
    // no limits besides the screen).
    CValueRequester(CWndCommon* parent, bool rightToLeft, CPicture* picture, int minWidth,
                    int maxWidth, int minHeight, int maxHeight);
    CValueRequester(HWND parent, bool rightToLeft, CPicture* picture, int minWidth, int maxWidth,
                    int minHeight, int maxHeight);

    // Asks for a number from `minimum` to `maximum`, starting with *value
    // (brought into the range). A number outside the range, or no number, is
    // refused visibly: OK then puts the nearest allowed value into the edit
    // box, selects it and beeps, and the dialog stays open. True on OK, with
    // the number in *value; false (and *value unchanged) on Cancel, Escape or
    // the close box. `note` (may be null) is shown under the edit box.
    bool ShowDialog(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                    unsigned char minimum, unsigned char maximum, const wchar_t* note = nullptr);

    // Asks for a text, starting with the text in `buffer` (`size` characters,
    // terminator included). The edit box takes at most size - 1 characters;
    // OK is disabled while it is empty. True on OK, with the text in `buffer`;
    // false (and the buffer unchanged) otherwise.
    bool ShowDialog(const wchar_t* text, const wchar_t* caption, wchar_t* buffer, size_t size,
                    const wchar_t* note = nullptr);

private:
    HWND parentWindow;
    const CWndCommon* parentObject;
    CPicture* picture;
    bool rightToLeft;
    int minWidth, maxWidth, minHeight, maxHeight;
};
