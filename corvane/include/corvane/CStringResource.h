// CStringResource: the string table of the program's texts, one language at a
// time, filled by a callback of the program and looked up by key.
#pragma once

#include "corvane/CDataCube.h"

// Fills `table` (columns "Key" and "Text") with the texts of one language.
using TranslateCallback = void (*)(CDataCube* table, unsigned char language);

class CStringResource {
public:
    CStringResource();

    // Empties the table and lets `callback` fill it for `language` (a null
    // callback leaves the table empty). The callback must not let an
    // exception escape; the game's catches and reports its own.
    void Build(TranslateCallback callback, unsigned char language);

    // The text of `key`. A key that the table lacks gives the key itself when
    // `keyIfMissing` is true (so a missing text is visible on screen, never a
    // blank), and an empty text otherwise. A key whose text is no terminated
    // wide text (set by hand through SetValue) gives an empty text. The key must
    // match exactly, case included. Never null; the text stays valid until the
    // table changes.
    const wchar_t* Get(const wchar_t* key, bool keyIfMissing = true) const;

    unsigned char GetLanguage() const { return language; }
    CDataCube* GetTable() { return &table; }
    const CDataCube* GetTable() const { return &table; }

private:
    CDataCube table;
    unsigned char language = 0;
};
