// Background paintings requested while one is running are coalesced: the
// running painting paints once more, however many requests came in the
// meantime, and never paints inside itself.
#pragma once

#include <cstdint>

// Handles one erase request with the counter `requests` (negative: painting
// is switched off). `paint` composes the window; it may itself cause further
// requests, which land here again.
template <typename Paint> void CoalesceEraseRequest(int16_t& requests, Paint&& paint) {
    if (requests < 0) {
        return;
    }
    if (requests <= 1) {
        ++requests;
    }
    if (requests > 1) {
        return; // a painting further up the call stack runs once more
    }
    while (requests > 0) {
        paint();
        --requests;
    }
}
