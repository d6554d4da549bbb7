// Rectangle arithmetic.
#include "corvane/Win32Helpers.h"

void InitRect(RECT* rect, int left, int top, int width, int height) {
    if (!rect)
        return;
    rect->left = left;
    rect->top = top;
    rect->right = left + width;
    rect->bottom = top + height;
}

void MoveRect(RECT* rect, int dx, int dy) {
    if (!rect)
        return;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
}
