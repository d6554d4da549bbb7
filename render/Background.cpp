// The window's composition: everything that is no child window (the
// background, the drawn texts and the grid picture) is put together in an
// off-screen bitmap and copied to the screen in one block, so nothing
// flickers. The picture buttons and the level list are child windows, which
// the main window clips.
#include <windows.h>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "corvane/GdiObjects.h"

namespace {

constexpr int kBackgroundSide = 256;

} // namespace

void CNerekuSudoku::SetBackgroundColour(unsigned long colour) {
    NEREKU_GUARDED([&] {
        backgroundColour = colour;
        // The buttons keep copies of their pictures on the new colour.
        CPicture picture;
        for (const ButtonPicture& entry : ButtonPictures()) {
            picture.CreatePictureFromResource(instance, entry.picture, L"Picture");
            entry.button->SetBackground(&picture, backgroundColour, &picture, backgroundColour, 2,
                                        false, false, true);
        }

        WindowDc window(mainWindow);
        MemoryDc memory(window.Get());
        GdiObject<HBITMAP> bitmap(
            memory ? CreateCompatibleBitmap(window.Get(), kBackgroundSide, kBackgroundSide)
                   : nullptr);
        if (window && memory && bitmap && backgroundPicture) {
            {
                const SelectedObject selected(memory.Get(), bitmap.Get());
                const GdiObject<HBRUSH> brush(CreateSolidBrush(backgroundColour));
                const RECT all = {0, 0, kBackgroundSide, kBackgroundSide};
                FillRect(memory.Get(), &all, brush.Get());
            }
            backgroundPicture->CreatePictureFromHandle(bitmap.Get());
        }
        backgroundDrawMode = 2;
    });
    OnEraseBackground();
}

void CNerekuSudoku::OnEraseBackground() {
    NEREKU_GUARDED([&] {
        if (!windowReady) {
            return;
        }
        RECT client = {};
        if (!GetClientRect(mainWindow, &client)) {
            return;
        }
        const int width = client.right;
        const int height = client.bottom;
        if (width != clientRect.right || height != clientRect.bottom) {
            SetControlPositions(width, height);
            clientRect = client;
            if (backgroundPicture) {
                backgroundPicture->SetDrawingRect(client);
            }
        }
        WindowDc window(mainWindow);
        if (!window) {
            return;
        }
        MemoryDc memory(window.Get());
        GdiObject<HBITMAP> bitmap(memory ? CreateCompatibleBitmap(window.Get(), width, height)
                                         : nullptr);
        if (!memory || !bitmap) {
            return;
        }
        ++counters.paintings;
        const SelectedObject selected(memory.Get(), bitmap.Get());
        if (backgroundPicture) {
            backgroundPicture->DrawStretched(memory.Get(), false);
        }
        for (const CTextCtrl* text : {&txtModeNotifier, &txtVersion, &txtNewLevel, &txtLevelEditor,
                                      &txtRestartLevel, &txtSaveLevel, &txtDeleteLevel,
                                      &txtSolveLevel, &txtHelp, &txtAbout, &txtInstructions}) {
            text->Draw(memory.Get());
        }
        gridPicture.Draw(memory.Get(), false, true);
        BitBlt(window.Get(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    });
}
