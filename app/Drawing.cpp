// Drawing: the board drawn once per change into the grid picture, which the
// window's composition then only copies; the size of the squares follows the
// client area. Every drawing ends by laying out the controls and composing
// the window. The painting itself is render/'s.
#include <windows.h>

#include <chrono>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "render/GridGeometry.h"
#include "render/GridPainter.h"
#include "render/WindowPainter.h"

namespace {

constexpr int kBackgroundSide = 256;

} // namespace

void CNerekuSudoku::DrawGrid() {
    const auto started = std::chrono::steady_clock::now();
    NEREKU_GUARDED([&] {
        ++counters.gridDrawings;
        gridPicture.FreePicture();
        // NoMode shows no grid, and the squares keep their size.
        WindowDc window(mainWindow);
        if (window && mode != NoMode) {
            RECT client = {};
            GetClientRect(mainWindow, &client);
            const int side = GridSquareSize(client.right, client.bottom);
            squareSize = static_cast<unsigned short>(side < 0 ? 0 : side);
            if (side >= 0) {
                const GdiObject<HBITMAP> bitmap = PaintGrid(
                    window.Get(), {squares, edgeMasks, side, gridColour, LookOf(mode).gridFill,
                                   mode != EditMode, CursorSquare()});
                if (bitmap) {
                    gridPicture.CreatePictureFromHandle(bitmap.Get());
                }
            }
        }
    });
    SetControlPositions(-1, -1);
    OnEraseBackground();
    counters.drawGridMicroseconds =
        static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - started)
                              .count());
}

void CNerekuSudoku::SetBackgroundColour(unsigned long colour) {
    NEREKU_GUARDED([&] {
        backgroundColour = colour;
        // The buttons keep copies of their pictures on the new colour.
        CPicture picture;
        for (const BarButtonEntry& entry : kBarButtons) {
            picture.CreatePictureFromResource(instance, entry.picture, L"Picture");
            (this->*entry.button)
                .SetBackground(&picture, backgroundColour, &picture, backgroundColour, 2, false,
                               false, true);
        }
        const GdiObject<HBITMAP> tile =
            MakeColourTile(mainWindow, backgroundColour, kBackgroundSide);
        if (tile && backgroundPicture) {
            backgroundPicture->CreatePictureFromHandle(tile.Get());
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
        if (client.right != clientRect.right || client.bottom != clientRect.bottom) {
            SetControlPositions(client.right, client.bottom);
            clientRect = client;
            if (backgroundPicture) {
                backgroundPicture->SetDrawingRect(client);
            }
        }
        const bool painted =
            PaintWindow(mainWindow, {client.right,
                                     client.bottom,
                                     backgroundPicture.get(),
                                     {&txtModeNotifier, &txtVersion, &txtNewLevel, &txtLevelEditor,
                                      &txtRestartLevel, &txtSaveLevel, &txtDeleteLevel,
                                      &txtSolveLevel, &txtHelp, &txtAbout, &txtInstructions},
                                     &gridPicture});
        if (painted) {
            ++counters.paintings;
        }
    });
}
