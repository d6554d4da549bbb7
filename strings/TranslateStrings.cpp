// The string tables of the 21 languages. English is the one table of texts;
// the other 20 languages show the same texts in square brackets until they
// get translations of their own.
#include "TranslateStrings.h"

#include "MakerInfo.h"

#include <corvane/CDataCube.h>
#include <corvane/OnException.h>

#include <cwchar>
#include <string>

namespace {

struct StringRow {
    const wchar_t* key;
    const wchar_t* text;
};

// ---- The English texts, in the order every table adds them.

// Eight lines of exactly 50 characters (command word, colon, description), so
// that they line up in a fixed-pitch font.
#define NEREKU_NO_MODE_INSTRUCTIONS                                                                \
    L"New     : Generate a new random level             \n\n"                                      \
    L"Editor  : Create your own level                   \n\n"                                      \
    L"Restart : Restart the level                       \n\n"                                      \
    L"Save    : Save the level's current state          \n\n"                                      \
    L"Delete  : Delete the current level                \n\n"                                      \
    L"Solve   : Let the computer solve the level for you\n\n"                                      \
    L"Help    : Online help on how to play the game     \n\n"                                      \
    L"About   : Info about who made this game           "

constexpr StringRow englishRows[] = {
    {L"Ok", L"Ok"},
    {L"Cancel", L"Cancel"},
    {L"Clear_grid", L"Clear grid"},
    {L"Sure_to_clear_grid", L"Are you sure you want to clear the grid?"},
    {L"Save_the_current_game", L"Do you want to save the current game?"},
    {L"Edit_mode", L"Edit mode"},
    {L"Save", L"Save"},
    {L"Don't_save", L"Don't save"},
    {L"Save_level", L"Save level"},
    {L"Supply_name_of_level", L"Please supply the name of the level."},
    {L"No_mode_instructions", NEREKU_NO_MODE_INSTRUCTIONS},
    {L"Save_the_level", L"Do you want to save the level?"},
    {L"Continue_saved_game", L"Do you want to continue the saved game?"},
    {L"Yes", L"Yes"},
    {L"No", L"No"},
    {L"Restart_level", L"Restart level"},
    {L"Load_saved_game", L"Load saved game"},
    {L"You_found_the_correct_solution", L"Congratulations!\n\nYou found the correct solution."},
    {L"Game_mode_notifier", L"***  G A M E   M O D E  ***"},
    {L"Edit_mode_notifier", L"***  E D I T O R   M O D E  ***"},
    {L"No_solution_possible",
     L"This level has no solution (anymore).\n"
     L"Either the level is incorrect, or you made a mistake while solving the level.\n\n"
     L"Try restarting the level and immediately try to auto-solve it to see whether the level "
     L"can be solved at all."},
    {L"Found_single_correct_solution",
     L"The solution for this level has been found.\n\n"
     L"The solution is unique (i.e., there are no other valid solutions)."},
    {L"Found_multiple_correct_solutions",
     L"All the solutions for this level have been found.\n\n"
     L"This level has %i different solutions.\n\n"
     L"You can go through the solutions using the 'Next' and 'Prev' button"},
    {L"Reached_end_of_solutions", L"You have reached the end of the solutions"},
    {L"Solution_m_of_n", L"Solution %i/%i"},
    {L"Prev", L"Prev"},
    {L"Next", L"Next"},
    {L"Btn_about_tooltip", L"About"},
    {L"Btn_clear_grid_tooltip", L"Clear grid"},
    {L"Btn_help_tooltip", L"Help"},
    {L"Btn_level_editor_tooltip", L"Level editor"},
    {L"Btn_save_level_tooltip", L"Save level"},
    {L"Btn_solve_level_tooltip", L"Solve level"},
    {L"Solve_mode_notifier", L"***  S O L V E   M O D E  ***"},
    {L"About", L"About"},
    {L"About_text", L"Nereku Sudoku %s\n\n"
                    L"Created by " NEREKU_MAKER_NAME L"\n\n"
                    L"Visit " NEREKU_MAKER_WEB_HOST L" for more info"},
    {L"Go_to_website", L"Go to website"},
    {L"Found_too_many_correct_solutions",
     L"Solutions has many solutions.\n\n"
     L"You can go through the first %i solutions using the 'Next' and 'Prev' button."},
    {L"Generate_random_level", L"Generate random level"},
    {L"Clear_grid_icon", L"Clear"},
    {L"Level_editor_icon", L"Editor"},
    {L"Save_level_icon", L"Save"},
    {L"Delete_level_icon", L"Delete"},
    {L"Solve_level_icon", L"Solve"},
    {L"Help_icon", L"Help"},
    {L"About_icon", L"About"},
    {L"New_level_icon", L"New"},
    {L"Reset_level_icon", L"Reset"},
    {L"Sure_to_delete_level", L"Level : %s\n\nAre you sure you want to delete the level?"},
    {L"Btn_new_level_tooltip", L"New level"},
    {L"Btn_reset_level_tooltip", L"Reset level"},
    {L"Btn_delete_level_tooltip", L"Delete level"},
    {L"Restart_level_icon", L"Restart"},
    {L"Btn_restart_level_tooltip", L"Restart level"},
    {L"How_many_squares_to_reveal",
     L"How many squares do you want to have revealed at the start?\n\n"
     L"The more squares revealed, the easier the puzzle.\n"
     L"The amount can be in the range [20,80]."},
    // The grid's tool tip: the keys.
    {L"Grid_tooltip", L"Arrow keys: move the cursor\n"
                      L"1 to 9: write a number\n"
                      L"Delete, Backspace or 0: erase it\n"
                      L"Ctrl+1 to 9: strike or restore a candidate\n"
                      L"Ctrl+arrow (editor): step the sign on that side\n"
                      L"Ctrl+Z: undo\n"
                      L"Ctrl+Y or Ctrl+Shift+Z: redo\n"
                      L"H: hint\n"
                      L"F1: help"},
    // The hint: one next step, named by its technique, its square (row and
    // column counted from 1) and what follows. The Hint_word_ texts are parts
    // of the others: lists read "1, 2 or 3", "row 1, column 2 and row 1,
    // column 5", and a unit is named as "its row".
    {L"Hint_word_or", L"or"},
    {L"Hint_word_and", L"and"},
    {L"Hint_word_square", L"row %d, column %d"},
    {L"Hint_word_row", L"row"},
    {L"Hint_word_column", L"column"},
    {L"Hint_word_block", L"block"},
    {L"Hint_naked_single",
     L"Naked single: row %d, column %d must be %d, the only digit left for it."},
    {L"Hint_hidden_single",
     L"Hidden single: row %d, column %d must be %d, the only place for %d in its %s."},
    {L"Hint_sign_greater_up",
     L"Sign: row %d, column %d is greater than its upper neighbour, so it cannot be %s."},
    {L"Hint_sign_greater_right",
     L"Sign: row %d, column %d is greater than its right neighbour, so it cannot be %s."},
    {L"Hint_sign_greater_down",
     L"Sign: row %d, column %d is greater than its lower neighbour, so it cannot be %s."},
    {L"Hint_sign_greater_left",
     L"Sign: row %d, column %d is greater than its left neighbour, so it cannot be %s."},
    {L"Hint_sign_less_up",
     L"Sign: row %d, column %d is less than its upper neighbour, so it cannot be %s."},
    {L"Hint_sign_less_right",
     L"Sign: row %d, column %d is less than its right neighbour, so it cannot be %s."},
    {L"Hint_sign_less_down",
     L"Sign: row %d, column %d is less than its lower neighbour, so it cannot be %s."},
    {L"Hint_sign_less_left",
     L"Sign: row %d, column %d is less than its left neighbour, so it cannot be %s."},
    {L"Hint_sign_chain",
     L"Sign chain: row %d, column %d cannot be %s: the signs through it, and the digits its "
     L"neighbours can still take, keep it from %d to %d."},
    {L"Hint_locked_pointing",
     L"Locked candidates: row %d, column %d cannot be %d: in the block of rows %d to %d and "
     L"columns %d to %d, %d can only go in this square's %s."},
    {L"Hint_locked_claiming",
     L"Locked candidates: row %d, column %d cannot be %d: in %s %d, %d can only go in this "
     L"square's block."},
    {L"Hint_naked_pair",
     L"Naked pair: row %d, column %d cannot be %s: %s can only hold %s between them, so no "
     L"other square of their %s can."},
    {L"Hint_naked_triple",
     L"Naked triple: row %d, column %d cannot be %s: %s can only hold %s between them, so no "
     L"other square of their %s can."},
    {L"Hint_naked_quad",
     L"Naked quad: row %d, column %d cannot be %s: %s can only hold %s between them, so no "
     L"other square of their %s can."},
    {L"Hint_hidden_pair",
     L"Hidden pair: row %d, column %d cannot be %s: in its %s, %s fit only in %s, so those "
     L"squares hold them."},
    {L"Hint_hidden_triple",
     L"Hidden triple: row %d, column %d cannot be %s: in its %s, %s fit only in %s, so those "
     L"squares hold them."},
    {L"Hint_hidden_quad",
     L"Hidden quad: row %d, column %d cannot be %s: in its %s, %s fit only in %s, so those "
     L"squares hold them."},
    {L"Hint_x_wing_rows",
     L"X-wing: row %d, column %d cannot be %d: rows %s can hold %d only in columns %s, so "
     L"those rows take the %d of these columns."},
    {L"Hint_x_wing_columns",
     L"X-wing: row %d, column %d cannot be %d: columns %s can hold %d only in rows %s, so "
     L"those columns take the %d of these rows."},
    {L"Hint_swordfish_rows",
     L"Swordfish: row %d, column %d cannot be %d: rows %s can hold %d only in columns %s, so "
     L"those rows take the %d of these columns."},
    {L"Hint_swordfish_columns",
     L"Swordfish: row %d, column %d cannot be %d: columns %s can hold %d only in rows %s, so "
     L"those columns take the %d of these rows."},
    {L"Hint_trial",
     L"Trial: row %d, column %d cannot be %d: with %d there, the singles and the signs soon "
     L"run into a contradiction."},
    {L"Hint_guess",
     L"No step by reasoning was found here. The solution says: row %d, column %d must be %d."},
    {L"Hint_repeated",
     L"A rule is broken: row %d, column %d holds %d, and so does another square of its %s."},
    {L"Hint_sign_broken",
     L"A rule is broken: the sign between row %d, column %d and row %d, column %d does not "
     L"hold."},
    {L"Hint_no_solution_number",
     L"The board has no solution as it stands: row %d, column %d should not hold %d."},
    {L"Hint_no_solution_mark",
     L"The board has no solution as it stands: %d was struck out in row %d, column %d, but it "
     L"belongs there."},
    {L"Hint_no_solution",
     L"The board has no solution as it stands. Check row %d, column %d, or restart the level."},
    {L"Hint_solved", L"The board is solved: there is nothing left to do."},
};

#undef NEREKU_NO_MODE_INSTRUCTIONS

static_assert(sizeof(englishRows) / sizeof(englishRows[0]) == 93, "every table has 93 keys");

// ---- Adding the rows.

void AddEnglishRows(CDataCube* table) {
    for (const StringRow& row : englishRows) {
        table->AddRow(-1, 2, row.key, row.text);
    }
}

// The untranslated languages: "[" + English + "]". One text leaves its closing
// full stop out, so that it ends in "button]" like its sibling
// "Found_multiple_correct_solutions". The words that go inside other texts
// (Hint_word_...) stay plain, so that a sentence shows one pair of brackets.
void AddBracketedRows(CDataCube* table) {
    const wchar_t* const withoutFullStop = L"Found_too_many_correct_solutions";
    std::wstring text;
    for (const StringRow& row : englishRows) {
        if (std::wcsncmp(row.key, L"Hint_word_", 10) == 0) {
            table->AddRow(-1, 2, row.key, row.text);
            continue;
        }
        text.assign(1, L'[');
        text += row.text;
        if (std::wcscmp(row.key, withoutFullStop) == 0 && text.back() == L'.') {
            text.pop_back();
        }
        text += L']';
        table->AddRow(-1, 2, row.key, text.c_str());
    }
}

// Runs one fill operation; an exception is reported in the name of the
// operation (its line and signature), and the rows added so far stay.
void Fill(CDataCube* table, void (*addRows)(CDataCube*), int line, const char* signature) {
    if (table == nullptr) {
        return;
    }
    try {
        addRows(table);
    } catch (...) {
        OnException("TranslateStrings", line, signature, __TIMESTAMP__);
    }
}

} // namespace

// ---- The fill operations, one per language.

void TranslateStrings_Arabic(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Belarusian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Belgian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Chinese(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Danish(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Dutch(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_English(CDataCube* table) {
    Fill(table, AddEnglishRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Estonian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Finnish(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_French(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_German(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Indonesian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Italian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Latvian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Lithuanian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Norwegian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Portuguese(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Russian(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Spanish(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Swedish(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

void TranslateStrings_Turkish(CDataCube* table) {
    Fill(table, AddBracketedRows, __LINE__, CORVANE_FUNCSIG);
}

// ---- Choosing the language.

void TranslateStrings(CDataCube* table, unsigned char language) {
    // Indexed by language id - 1; every id outside 1..21 gives English.
    static void (*const fillOperations[])(CDataCube*) = {
        TranslateStrings_Arabic,    TranslateStrings_Belarusian, TranslateStrings_Belgian,
        TranslateStrings_Chinese,   TranslateStrings_Danish,     TranslateStrings_Dutch,
        TranslateStrings_English,   TranslateStrings_Estonian,   TranslateStrings_Finnish,
        TranslateStrings_French,    TranslateStrings_German,     TranslateStrings_Indonesian,
        TranslateStrings_Italian,   TranslateStrings_Latvian,    TranslateStrings_Lithuanian,
        TranslateStrings_Norwegian, TranslateStrings_Portuguese, TranslateStrings_Russian,
        TranslateStrings_Spanish,   TranslateStrings_Swedish,    TranslateStrings_Turkish,
    };
    constexpr int languageCount =
        static_cast<int>(sizeof(fillOperations) / sizeof(fillOperations[0]));
    if (table == nullptr) {
        return;
    }
    try {
        table->DeleteRow(-1);
        if (language >= 1 && language <= languageCount) {
            fillOperations[language - 1](table);
        } else {
            TranslateStrings_English(table);
        }
    } catch (...) {
        OnException("TranslateStrings", __LINE__, CORVANE_FUNCSIG, __TIMESTAMP__);
    }
}
