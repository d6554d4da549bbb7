// The message box: a text on a white panel, the buttons in a band below.
#include "corvane/CMessageBox.h"

#include <algorithm>

#include "ModalDialog.h"
#include "corvane/CWndCommon.h"

namespace {

const int TextId = 100;
const int FirstButtonId = 1000;

class MessageDialog : public ModalDialog {
public:
    MessageDialog(HWND ownerWindow, HFONT dialogFont, const CPicture* dialogPicture,
                  const wchar_t* dialogText, const wchar_t* const* texts, int count,
                  int defaultIndex)
        : ModalDialog(ownerWindow, dialogFont, dialogPicture, false), text(dialogText),
          buttonTexts(texts), buttonCount(count), defaultButton(defaultIndex) {}

private:
    HWND OnInit() override {
        int marginX = Scale(24);
        int marginY = Scale(22);
        int pictureSide = PictureSide();
        int textX = marginX + (pictureSide ? pictureSide + Scale(16) : 0);
        SIZE textSize = MeasureText(text, Scale(440));
        int contentHeight = std::max(static_cast<int>(textSize.cy), pictureSide);

        int clientWidth = std::max({textX + static_cast<int>(textSize.cx) + marginX,
                                    ButtonRowWidth(buttonTexts, buttonCount), Scale(280)});
        int bandTop = marginY + contentHeight + marginY;

        if (pictureSide)
            PlacePicture(marginX, marginY);
        int textY = marginY + (contentHeight - textSize.cy) / 2;
        AddControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0, TextId, textX, textY, textSize.cx + 2,
                   textSize.cy);

        int ids[CMessageBox::MaximumButtons];
        for (int i = 0; i < buttonCount; ++i)
            ids[i] = FirstButtonId + i;
        std::vector<HWND> buttons =
            AddButtons(buttonTexts, buttonCount, ids, clientWidth, bandTop, defaultButton);
        FinishLayout(clientWidth, bandTop + BandHeight(), bandTop);
        return buttons.empty() ? nullptr : buttons[static_cast<size_t>(defaultButton)];
    }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED)
            return;
        if (id >= FirstButtonId && id < FirstButtonId + buttonCount)
            EndDialog(dialog, id - FirstButtonId);
        else if (id == IDOK)
            EndDialog(dialog, defaultButton);
    }

    const wchar_t* text;
    const wchar_t* const* buttonTexts;
    int buttonCount;
    int defaultButton;
};

} // namespace

CMessageBox::CMessageBox(CWndCommon* parent, HFONT boxFont, CPicture* boxPicture)
    : parentWindow(parent ? parent->GetMainWindow() : nullptr),
      font(boxFont ? boxFont : (parent ? parent->GetDefaultFont() : nullptr)), picture(boxPicture) {
}

CMessageBox::CMessageBox(HWND parent, HFONT boxFont, CPicture* boxPicture)
    : parentWindow(parent), font(boxFont), picture(boxPicture) {}

int CMessageBox::ShowButtons(const wchar_t* text, const wchar_t* caption, int count,
                             const wchar_t* const* buttonTexts, int given) {
    if (count != given || count < 1 || count > MaximumButtons)
        return -1;
    const wchar_t* texts[MaximumButtons];
    for (int i = 0; i < count; ++i)
        texts[i] = buttonTexts[i] ? buttonTexts[i] : L"";
    const int pressedByEnter = defaultButton >= 0 && defaultButton < count ? defaultButton : 0;
    MessageDialog dialog(parentWindow, font, picture, text ? text : L"", texts, count,
                         pressedByEnter);
    INT_PTR result = dialog.Run(caption);
    return result >= 0 && result < count ? static_cast<int>(result) : -1;
}
