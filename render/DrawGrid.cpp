// DrawGrid: the board drawn once per change into the grid picture, which the
// window's composition then only copies; the size of the squares follows the
// client area. Every drawing ends by laying out the controls and composing
// the window.
#include <windows.h>

#include <chrono>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "corvane/GdiObjects.h"
#include "render/GridGeometry.h"
#include "render/GridPainter.h"

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
                const GdiObject<HBITMAP> bitmap =
                    PaintGrid(window.Get(), {squares, edgeMasks, mode, side, gridColour});
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
