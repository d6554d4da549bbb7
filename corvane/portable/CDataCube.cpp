// CDataCube: rows of byte values under named columns. Each row holds exactly
// one value per column; a value is a vector of bytes, empty until it is set.
#include "corvane/CDataCube.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

namespace {

// Bytes of a wide text with its terminator, as AddRow stores it.
size_t TextBytes(const wchar_t* text) {
    return (std::wcslen(text) + 1) * sizeof(wchar_t);
}

} // namespace

int CDataCube::AddColumn(const wchar_t* name) {
    try {
        // Make room everywhere first, so that a failure leaves the cube as it was.
        std::wstring copy(name != nullptr ? name : L"");
        columnNames.reserve(columnNames.size() + 1);
        for (auto& row : rows) {
            row.reserve(row.size() + 1);
        }
        columnNames.push_back(std::move(copy));
        for (auto& row : rows) {
            row.emplace_back();
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return GetColumnCount() - 1;
}

const wchar_t* CDataCube::GetColumnName(int column) const {
    if (column < 0 || column >= GetColumnCount()) {
        return nullptr;
    }
    return columnNames[static_cast<size_t>(column)].c_str();
}

int CDataCube::AddRow(int position) {
    if (position < 0 || position > GetRowCount()) {
        position = GetRowCount();
    }
    try {
        rows.emplace(rows.begin() + position, columnNames.size());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return position;
}

int CDataCube::AddTextRow(int position, int count, const wchar_t* const* texts, size_t given) {
    if (count < 0 || static_cast<size_t>(count) != given || count > GetColumnCount()) {
        return -1;
    }
    const int row = AddRow(position);
    if (row < 0) {
        return -1;
    }
    for (int column = 0; column < count; ++column) {
        const wchar_t* text = texts[column];
        const bool stored = text != nullptr ? SetValue(row, column, text, TextBytes(text))
                                            : SetValue(row, column, nullptr, 0);
        if (!stored) {
            DeleteRow(row); // no half-filled row stays behind
            return -1;
        }
    }
    return row;
}

bool CDataCube::SetValue(int row, int column, const void* data, size_t length, bool /*copy*/) {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) {
        return false;
    }
    if (data == nullptr && length != 0) {
        return false;
    }
    try {
        Value value(length);
        if (length != 0) {
            std::memcpy(value.data(), data, length);
        }
        rows[static_cast<size_t>(row)][static_cast<size_t>(column)].swap(value);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

const void* CDataCube::GetValue(int row, int column, void* buffer, bool /*copy*/) const {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) {
        return nullptr;
    }
    const Value& value = rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    if (buffer != nullptr) {
        if (!value.empty()) {
            std::memcpy(buffer, value.data(), value.size());
        }
        return buffer;
    }
    // The bytes come from operator new, so they are aligned for wchar_t too.
    return value.empty() ? nullptr : value.data();
}

size_t CDataCube::GetColumnLen(int row, int column) const {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) {
        return 0;
    }
    return rows[static_cast<size_t>(row)][static_cast<size_t>(column)].size();
}

bool CDataCube::DeleteRow(int row) {
    if (row == -1) {
        rows.clear();
        return true;
    }
    if (row < 0 || row >= GetRowCount()) {
        return false;
    }
    rows.erase(rows.begin() + row);
    return true;
}

int CDataCube::FindText(int column, const wchar_t* text) const {
    if (text == nullptr || column < 0 || column >= GetColumnCount()) {
        return -1;
    }
    const size_t length = TextBytes(text);
    for (size_t row = 0; row < rows.size(); ++row) {
        const Value& value = rows[row][static_cast<size_t>(column)];
        if (value.size() == length && std::memcmp(value.data(), text, length) == 0) {
            return static_cast<int>(row);
        }
    }
    return -1;
}
