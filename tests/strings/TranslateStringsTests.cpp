// The string tables, read back from a real CDataCube as the game's string
// resource reads them.
#include "MakerInfo.h"
#include "TranslateStrings.h"

#include <corvane/CDataCube.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Each row's key and text.
using Rows = std::vector<std::pair<std::wstring, std::wstring>>;

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
    L"Btn_restart_level_tooltip How_many_squares_to_reveal Grid_tooltip Hint_word_or "
    L"Hint_word_and Hint_word_square Hint_word_row Hint_word_column Hint_word_block "
    L"Hint_naked_single Hint_hidden_single Hint_sign_greater_up Hint_sign_greater_right "
    L"Hint_sign_greater_down Hint_sign_greater_left Hint_sign_less_up Hint_sign_less_right "
    L"Hint_sign_less_down Hint_sign_less_left Hint_sign_chain Hint_locked_pointing "
    L"Hint_locked_claiming Hint_naked_pair Hint_naked_triple Hint_naked_quad Hint_hidden_pair "
    L"Hint_hidden_triple Hint_hidden_quad Hint_x_wing_rows Hint_x_wing_columns "
    L"Hint_swordfish_rows Hint_swordfish_columns Hint_trial Hint_guess Hint_repeated "
    L"Hint_sign_broken Hint_no_solution_number Hint_no_solution_mark Hint_no_solution "
    L"Hint_solved",
    L" ");

// The placeholders of the hint's texts, as the hint fills them in: the first
// entry whose key starts the text's key.
std::wstring HintPlaceholders(const std::wstring& key) {
    static const std::vector<std::pair<std::wstring, std::wstring>> formats = {
        {L"Hint_word_square", L"%d%d"},
        {L"Hint_word_", L""},
        {L"Hint_solved", L""},
        {L"Hint_naked_single", L"%d%d%d"},
        {L"Hint_hidden_single", L"%d%d%d%d%s"},
        {L"Hint_sign_greater_", L"%d%d%s"},
        {L"Hint_sign_less_", L"%d%d%s"},
        {L"Hint_sign_chain", L"%d%d%s%d%d"},
        {L"Hint_locked_pointing", L"%d%d%d%d%d%d%d%d%s"},
        {L"Hint_locked_claiming", L"%d%d%d%s%d%d"},
        {L"Hint_naked_", L"%d%d%s%s%s%s"},
        {L"Hint_hidden_", L"%d%d%s%s%s%s"},
        {L"Hint_x_wing_", L"%d%d%d%s%d%s%d"},
        {L"Hint_swordfish_", L"%d%d%d%s%d%s%d"},
        {L"Hint_trial", L"%d%d%d%d"},
        {L"Hint_guess", L"%d%d%d"},
        {L"Hint_repeated", L"%d%d%d%s"},
        {L"Hint_sign_broken", L"%d%d%d%d"},
        {L"Hint_no_solution_number", L"%d%d%d"},
        {L"Hint_no_solution_mark", L"%d%d%d"},
        {L"Hint_no_solution", L"%d%d"}};
    for (const auto& [start, placeholders] : formats) {
        if (key.rfind(start, 0) == 0) {
            return placeholders;
        }
    }
    return L"?";
}

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

// The table of `language`, made over a row left from before.
Rows Translate(int language) {
    StringTable table;
    table.AddRow(-1, 2, L"Stale", L"left over");
    TranslateStrings(&table, static_cast<unsigned char>(language));
    return table.Read();
}

std::map<std::wstring, std::wstring> EnglishByKey() {
    std::map<std::wstring, std::wstring> texts;
    for (const auto& row : Translate(7)) {
        texts.insert(row);
    }
    return texts;
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

// Every id gives the same keys in order, in place of any rows the table held
// before. Unknown ids give the English texts; the other languages give them
// in brackets, all but the one text that drops its full stop inside them, and
// the words that go inside other texts.
TEST(StringTables, EveryLanguageIdGivesTheKeysInOrderWithEnglishOrBracketedTexts) {
    ASSERT_EQ(std::set<std::wstring>(expectedKeys.begin(), expectedKeys.end()).size(), 93u);
    const Rows english = Translate(7);
    for (int language = 0; language <= 255; ++language) {
        const Rows rows = Translate(language);
        ASSERT_EQ(rows.size(), 93u) << "language " << language;
        const bool translated = language >= 1 && language <= 21 && language != 7;
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool bracketed = translated && rows[i].first.rfind(L"Hint_word_", 0) != 0;
            EXPECT_EQ(rows[i].first, expectedKeys[i]) << "language " << language;
            std::wstring inner = english[i].second;
            if (bracketed && rows[i].first == L"Found_too_many_correct_solutions") {
                ASSERT_EQ(inner.back(), L'.');
                inner.pop_back();
            }
            EXPECT_EQ(rows[i].second, bracketed ? L"[" + inner + L"]" : inner)
                << "language " << language;
        }
    }
}

// The English texts the players see most, exactly; only these and the hint's
// hold a '%', as a stray one anywhere else would be misread, and the hint's
// hold the placeholders the hint fills in, in order.
TEST(StringTables, ImportantEnglishTextsFormatsAndInstructionLines) {
    const std::map<std::wstring, std::wstring> expected = {
        {L"Game_mode_notifier", L"***  G A M E   M O D E  ***"},
        {L"Edit_mode_notifier", L"***  E D I T O R   M O D E  ***"},
        {L"Solve_mode_notifier", L"***  S O L V E   M O D E  ***"},
        {L"Solution_m_of_n", L"Solution %i/%i"},
        {L"Sure_to_delete_level", L"Level : %s\n\nAre you sure you want to delete the level?"},
        {L"Found_multiple_correct_solutions",
         L"All the solutions for this level have been found.\n\nThis level has %i different "
         L"solutions.\n\nYou can go through the solutions using the 'Next' and 'Prev' button"},
        {L"Found_too_many_correct_solutions",
         L"Solutions has many solutions.\n\nYou can go through the first %i solutions using "
         L"the 'Next' and 'Prev' button."},
        {L"Reached_end_of_solutions", L"You have reached the end of the solutions"},
        {L"You_found_the_correct_solution", L"Congratulations!\n\nYou found the correct solution."},
        {L"About_text",
         L"Nereku Sudoku %s\n\nCreated by Quorvia\n\nVisit www.quorvia.example for more info"},
        {L"Don't_save", L"Don't save"},
        {L"Restart_level_icon", L"Restart"}};
    const auto english = EnglishByKey();
    for (const auto& text : english) {
        const auto known = expected.find(text.first);
        const std::wstring format = text.first.rfind(L"Hint_", 0) == 0
                                        ? HintPlaceholders(text.first)
                                    : known != expected.end() ? Placeholders(known->second)
                                                              : L"";
        EXPECT_EQ(Placeholders(text.second), format) << testing::PrintToString(text.first);
    }
    for (const auto& text : expected) {
        EXPECT_EQ(english.at(text.first), text.second);
    }
    EXPECT_EQ(Placeholders(L"Solution %i/%i of %s"), L"%i%i%s");

    // The instructions' lines line up.
    const auto lines = Split(english.at(L"No_mode_instructions"), L"\n\n");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], L"New     : Generate a new random level             ");
    EXPECT_EQ(lines[5], L"Solve   : Let the computer solve the level for you");
    for (const std::wstring& line : lines) {
        EXPECT_EQ(line.size(), 50u) << testing::PrintToString(line);
        EXPECT_EQ(line.substr(8, 2), L": ");
        EXPECT_EQ(line.find(L'\n'), std::wstring::npos);
    }
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
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front().first, L"First");
        rows.erase(rows.begin());
        EXPECT_TRUE(rows == Translate(language)) << "language " << language;
    }
    TranslateStrings(nullptr, 7); // a null table is left alone
}

TEST(MakerInfo, AddressesShareTheHost) {
    const std::wstring host = MakerInfo::webHost;
    EXPECT_EQ(host.substr(host.size() - 8), L".example");
    EXPECT_EQ(std::wstring(MakerInfo::helpAddress),
              L"https://" + host + L"/nerekusudoku/nerekusudoku.html#Game play");
}
