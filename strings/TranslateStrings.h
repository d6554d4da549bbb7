// The string table of the game: every text it shows is looked up by key in a
// CDataCube with the columns "Key" and "Text". The class library calls
// TranslateStrings whenever it (re)builds that table.
//
// Language ids: 1 Arabic, 2 Belarusian, 3 Belgian, 4 Chinese, 5 Danish,
// 6 Dutch, 7 English, 8 Estonian, 9 Finnish, 10 French, 11 German,
// 12 Indonesian, 13 Italian, 14 Latvian, 15 Lithuanian, 16 Norwegian,
// 17 Portuguese, 18 Russian, 19 Spanish, 20 Swedish, 21 Turkish. Any other id
// gives English.
//
// Every language has the same 93 keys in the same order. The languages other
// than English are not translated yet: they show the English text in square
// brackets (the words that go inside other texts, Hint_word_..., without),
// with the same placeholders in the same order, so that a real translation can
// later replace a text without any other change.
#pragma once

class CDataCube;

// Empties `table` and fills it with the rows of `language`. A null table is
// left alone. Exceptions are reported and swallowed.
void TranslateStrings(CDataCube* table, unsigned char language);

// Each appends the 93 rows of its language to `table` (nothing for a null
// table). An exception is reported, and the rows added so far stay.
void TranslateStrings_Arabic(CDataCube* table);
void TranslateStrings_Belarusian(CDataCube* table);
void TranslateStrings_Belgian(CDataCube* table);
void TranslateStrings_Chinese(CDataCube* table);
void TranslateStrings_Danish(CDataCube* table);
void TranslateStrings_Dutch(CDataCube* table);
void TranslateStrings_English(CDataCube* table);
void TranslateStrings_Estonian(CDataCube* table);
void TranslateStrings_Finnish(CDataCube* table);
void TranslateStrings_French(CDataCube* table);
void TranslateStrings_German(CDataCube* table);
void TranslateStrings_Indonesian(CDataCube* table);
void TranslateStrings_Italian(CDataCube* table);
void TranslateStrings_Latvian(CDataCube* table);
void TranslateStrings_Lithuanian(CDataCube* table);
void TranslateStrings_Norwegian(CDataCube* table);
void TranslateStrings_Portuguese(CDataCube* table);
void TranslateStrings_Russian(CDataCube* table);
void TranslateStrings_Spanish(CDataCube* table);
void TranslateStrings_Swedish(CDataCube* table);
void TranslateStrings_Turkish(CDataCube* table);
