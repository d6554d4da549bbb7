// CStringResource: the string table of one language and its lookup by key.
#include "corvane/CStringResource.h"

namespace {

constexpr int keyColumn = 0;
constexpr int textColumn = 1;

} // namespace

CStringResource::CStringResource() {
    table.AddColumn(L"Key");
    table.AddColumn(L"Text");
}

void CStringResource::Build(TranslateCallback callback, unsigned char languageId) {
    table.DeleteRow(-1);
    language = languageId;
    if (callback != nullptr) {
        callback(&table, languageId);
    }
}

const wchar_t* CStringResource::Get(const wchar_t* key, bool keyIfMissing) const {
    if (key == nullptr) {
        return L"";
    }
    const int row = table.FindText(keyColumn, key);
    if (row >= 0) {
        // Only a terminated wide text is handed out; AddRow always stores one.
        const size_t length = table.GetColumnLen(row, textColumn);
        const auto* text = static_cast<const wchar_t*>(table.GetValue(row, textColumn));
        if (text != nullptr && length % sizeof(wchar_t) == 0 &&
            text[length / sizeof(wchar_t) - 1] == L'\0') {
            return text;
        }
        return L"";
    }
    return keyIfMissing ? key : L"";
}
