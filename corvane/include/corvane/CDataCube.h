// CDataCube: a small table of rows by named columns. Every value is a byte
// string of any length that the cube owns; texts are stored as wide strings
// with their terminator, so GetValue hands them back ready to use.
//
// The game keeps two of them: the string table (columns "Key" and "Text") and
// the solution list (one column "Solution", one 891-byte board per row).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CDataCube {
public:
    // Adds a column (every row gets an empty value in it) and returns its
    // index, or -1 when memory ran out.
    int AddColumn(const wchar_t* name);
    int GetColumnCount() const { return static_cast<int>(columnNames.size()); }
    // Null for a column that does not exist.
    const wchar_t* GetColumnName(int column) const;

    // Inserts an empty row before `position` (-1, any other negative position
    // or any position past the end appends) and returns its index, or -1 when
    // the row could not be made.
    int AddRow(int position);

    // AddRow(-1, n, text1, ..., textN) adds a row and fills its first n columns
    // with the given wide strings (terminator included; a null text leaves its
    // value empty). `count` must equal the number of texts and may not exceed
    // the number of columns, else nothing is added and the result is -1.
    // AddRow(-1, 0) adds an empty row.
    template <typename... Texts> int AddRow(int position, int count, const Texts&... texts) {
        const wchar_t* values[] = {nullptr, texts...};
        return AddTextRow(position, count, values + 1, sizeof...(Texts));
    }

    // Stores a copy of `length` bytes at `data` (nullptr with length 0 stores an
    // empty value). The last argument is kept for the callers' sake: the cube
    // always copies. False when row or column is out of range.
    bool SetValue(int row, int column, const void* data, size_t length, bool copy = true);

    // With `buffer` null: a pointer to the stored bytes (valid until the value
    // or its row changes, aligned for any type), or nullptr for a missing cell
    // or an empty value. With a buffer: copies the value into it (the caller
    // sizes it with GetColumnLen) and returns `buffer`, or nullptr for a
    // missing cell. The last argument is kept for the callers' sake.
    const void* GetValue(int row, int column, void* buffer = nullptr, bool copy = true) const;

    // Length in bytes of a stored value; 0 for a missing cell.
    size_t GetColumnLen(int row, int column) const;

    // Deletes one row, or every row with -1. False when the row does not exist.
    bool DeleteRow(int row);

    int GetRowCount() const { return static_cast<int>(rows.size()); }

    // Index of the first row whose `column` holds exactly `text` with its
    // terminator (as AddRow stores it; case counts), or -1.
    int FindText(int column, const wchar_t* text) const;

private:
    int AddTextRow(int position, int count, const wchar_t* const* texts, size_t given);

    using Value = std::vector<unsigned char>;
    std::vector<std::wstring> columnNames;
    std::vector<std::vector<Value>> rows;
};
