// The string tables, read back from a real CDataCube as the game's string
// resource reads them.
#include "strings/MakerInfo.h"
#include "strings/TranslateStrings.h"

#include <corvane/CDataCube.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Row {
    std::wstring key;
    std::wstring text;
};
using Rows = std::vector<Row>;

std::vector<std::wstring> Split(const std::wstring& text, const std::wstring& separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::wstring::npos;) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The keys every table must hold, in the order the tables add them.
const std::vector<std::wstring> expectedKeys = Split(
    L"Ok Cancel Clear_grid Sure_to_clear_grid Save_the_current_game Edit_mode Save Don't_save "
    L"Save_level Supply_name_of_level No_mode_instructions Save_the_level Continue_saved_game "
    L"Yes No Restart_level Load_saved_game You_found_the_correct_solution Game_mode_notifier "
    L"Edit_mode_notifier No_solution_possible Found_single_correct_solution "
    L"Found_multiple_correct_solutions Reached_end_of_solutions Solution_m_of_n Prev Next "
    L"Btn_about_tooltip Btn_clear_grid_tooltip Btn_help_tooltip Btn_level_editor_tooltip "
    L"Btn_save_level_tooltip Btn_solve_level_tooltip Solve_mode_notifier About About_text "
    L"Go_to_website Found_too_many_correct_solutions Generate_random_level Clear_grid_icon "
    L"Level_editor_icon Save_level_icon Delete_level_icon Solve_level_icon Help_icon About_icon "
    L"New_level_icon Reset_level_icon Sure_to_delete_level Btn_new_level_tooltip "
    L"Btn_reset_level_tooltip Btn_delete_level_tooltip Restart_level_icon "
    L"Btn_restart_level_tooltip How_many_squares_to_reveal",
    L" ");

// A table as the class library makes it: the columns "Key" and "Text".
struct StringTable : CDataCube {
    StringTable() {
        AddColumn(L"Key");
        AddColumn(L"Text");
    }
    Rows Read() const {
        Rows result;
        for (int row = 0; row < GetRowCount(); ++row) {
            result.push_back({static_cast<const wchar_t*>(GetValue(row, 0)),
                              static_cast<const wchar_t*>(GetValue(row, 1))});
        }
        return result;
    }
};

Rows Translate(int language) {
    StringTable table;
    TranslateStrings(&table, static_cast<unsigned char>(language));
    return table.Read();
}

std::wstring TextOf(const Rows& rows, const std::wstring& key) {
    for (const Row& row : rows) {
        if (row.key == key) {
            return row.text;
        }
    }
    ADD_FAILURE() << "no key " << testing::PrintToString(key);
    return L"";
}

// The formatting directives of a text, in order ("%i%s").
std::wstring Placeholders(const std::wstring& text) {
    std::wstring found;
    for (size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 2)) {
        found += text.substr(at, 2);
    }
    return found;
}

} // namespace

TEST(StringTables, EveryLanguageIdGivesTheKeysInOrderAndUnknownIdsGiveEnglish) {
    ASSERT_EQ(expectedKeys.size(), 55u);
    ASSERT_EQ(std::set<std::wstring>(expectedKeys.begin(), expectedKeys.end()).size(), 55u);
    const Rows english = Translate(7);
    for (int language = 0; language <= 255; ++language) {
        const Rows rows = Translate(language);
        ASSERT_EQ(rows.size(), 55u) << "language " << language;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].key, expectedKeys[i]) << "language " << language;
            if (language == 0 || language > 21) {
                EXPECT_EQ(rows[i].text, english[i].text) << "language " << language;
            }
        }
    }
}

TEST(StringTables, OtherLanguagesBracketTheEnglishTexts) {
    const Rows english = Translate(7);
    for (int language = 1; language <= 21; ++language) {
        if (language == 7) {
            continue;
        }
        const Rows rows = Translate(language);
        ASSERT_EQ(rows.size(), english.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            std::wstring inner = english[i].text;
            if (rows[i].key == L"Found_too_many_correct_solutions") {
                ASSERT_EQ(inner.back(), L'.');
                inner.pop_back();
            }
            EXPECT_EQ(rows[i].text, L"[" + inner + L"]") << "language " << language;
            EXPECT_EQ(Placeholders(rows[i].text), Placeholders(english[i].text));
        }
        EXPECT_EQ(TextOf(rows, L"You_found_the_correct_solution"),
                  L"[Congratulations!\n\nYou found the correct solution.]");
        for (const wchar_t* key :
             {L"Found_multiple_correct_solutions", L"Found_too_many_correct_solutions"}) {
            const std::wstring text = TextOf(rows, key);
            EXPECT_EQ(text.substr(text.size() - 35), L"using the 'Next' and 'Prev' button]");
        }
    }
}

TEST(StringTables, ImportantEnglishTexts) {
    const Rows rows = Translate(7);
    EXPECT_EQ(TextOf(rows, L"Game_mode_notifier"), L"***  G A M E   M O D E  ***");
    EXPECT_EQ(TextOf(rows, L"Edit_mode_notifier"), L"***  E D I T O R   M O D E  ***");
    EXPECT_EQ(TextOf(rows, L"Solve_mode_notifier"), L"***  S O L V E   M O D E  ***");
    EXPECT_EQ(TextOf(rows, L"Solution_m_of_n"), L"Solution %i/%i");
    EXPECT_EQ(TextOf(rows, L"Sure_to_delete_level"),
              L"Level : %s\n\nAre you sure you want to delete the level?");
    EXPECT_EQ(TextOf(rows, L"Found_multiple_correct_solutions"),
              L"All the solutions for this level have been found.\n\nThis level has %i different "
              L"solutions.\n\nYou can go through the solutions using the 'Next' and 'Prev' button");
    EXPECT_EQ(TextOf(rows, L"Found_too_many_correct_solutions"),
              L"Solutions has many solutions.\n\nYou can go through the first %i solutions using "
              L"the 'Next' and 'Prev' button.");
    EXPECT_EQ(TextOf(rows, L"Reached_end_of_solutions"),
              L"You have reached the end of the solutions");
    EXPECT_EQ(TextOf(rows, L"About_text"), L"Nereku Sudoku %s\n\nCreated by Quorvia\n\nVisit "
                                           L"www.quorvia.example for more info");
    EXPECT_EQ(TextOf(rows, L"Don't_save"), L"Don't save");
    EXPECT_EQ(TextOf(rows, L"Restart_level_icon"), L"Restart");

    // Only these texts are formats; a stray '%' anywhere else would be misread.
    const std::map<std::wstring, std::wstring> formats = {
        {L"Found_multiple_correct_solutions", L"%i"},
        {L"Found_too_many_correct_solutions", L"%i"},
        {L"Solution_m_of_n", L"%i%i"},
        {L"Sure_to_delete_level", L"%s"},
        {L"About_text", L"%s"}};
    for (const Row& row : rows) {
        const auto format = formats.find(row.key);
        EXPECT_EQ(Placeholders(row.text), format != formats.end() ? format->second : L"");
    }
}

TEST(StringTables, InstructionLinesLineUp) {
    const auto english = Split(TextOf(Translate(7), L"No_mode_instructions"), L"\n\n");
    ASSERT_EQ(english.size(), 8u);
    EXPECT_EQ(english[0], L"New     : Generate a new random level             ");
    EXPECT_EQ(english[5], L"Solve   : Let the computer solve the level for you");
    for (const std::wstring& line : english) {
        EXPECT_EQ(line.size(), 50u) << testing::PrintToString(line);
        EXPECT_EQ(line.substr(8, 2), L": ");
        EXPECT_EQ(line.find(L'\n'), std::wstring::npos);
    }
    const auto bracketed = Split(TextOf(Translate(13), L"No_mode_instructions"), L"\n\n");
    ASSERT_EQ(bracketed.size(), 8u);
    EXPECT_EQ(bracketed.front(), L"[" + english.front());
    EXPECT_EQ(bracketed.back(), english.back() + L"]");
    for (size_t i = 1; i < 7; ++i) {
        EXPECT_EQ(bracketed[i], english[i]);
    }
}

TEST(StringTables, EachCallReplacesTheWholeTable) {
    StringTable table;
    table.AddRow(-1, 2, L"Stale", L"left over");
    TranslateStrings(&table, 7);
    TranslateStrings(&table, 19);
    Rows rows = table.Read();
    ASSERT_EQ(rows.size(), 55u);
    EXPECT_EQ(rows.front().text, L"[Ok]");
    TranslateStrings(&table, 7);
    rows = table.Read();
    ASSERT_EQ(rows.size(), 55u);
    EXPECT_EQ(rows.front().text, L"Ok");
    EXPECT_EQ(table.FindText(0, L"Stale"), -1);

    TranslateStrings(nullptr, 7); // a null table is left alone
    TranslateStrings(nullptr, 1);
}

TEST(StringTables, FillOperationsAppendTheirRows) {
    void (*const operations[])(CDataCube*) = {
        TranslateStrings_Arabic,    TranslateStrings_Belarusian, TranslateStrings_Belgian,
        TranslateStrings_Chinese,   TranslateStrings_Danish,     TranslateStrings_Dutch,
        TranslateStrings_English,   TranslateStrings_Estonian,   TranslateStrings_Finnish,
        TranslateStrings_French,    TranslateStrings_German,     TranslateStrings_Indonesian,
        TranslateStrings_Italian,   TranslateStrings_Latvian,    TranslateStrings_Lithuanian,
        TranslateStrings_Norwegian, TranslateStrings_Portuguese, TranslateStrings_Russian,
        TranslateStrings_Spanish,   TranslateStrings_Swedish,    TranslateStrings_Turkish};
    for (int language = 1; language <= 21; ++language) {
        StringTable table;
        table.AddRow(-1, 2, L"First", L"kept");
        operations[language - 1](&table);
        operations[language - 1](nullptr);
        Rows rows = table.Read();
        ASSERT_EQ(rows.size(), 56u);
        EXPECT_EQ(rows.front().key, L"First");
        const Rows expected = Translate(language);
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(rows[i + 1].text, expected[i].text) << "language " << language;
        }
    }
}

TEST(MakerInfo, AddressesShareTheHost) {
    const std::wstring host = MakerInfo::webHost;
    EXPECT_EQ(host.substr(host.size() - 8), L".example");
    EXPECT_EQ(std::wstring(MakerInfo::helpAddress),
              L"https://" + host + L"/nerekusudoku/nerekusudoku.html#Game play");
}
