// The program's entry point: the game object builds its window and runs the
// message loop in its constructor, which returns when the window is closed.
#include <windows.h>

#include "app/CNerekuSudoku.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CNerekuSudoku* game = new CNerekuSudoku(instance);
    delete game;
    return 0;
}
