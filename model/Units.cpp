// The digit-set tables, filled once when the program starts.
#include "Units.h"

namespace {

SetTables MakeSetTables() {
    SetTables tables{};
    for (int set = 0; set < 512; ++set) {
        int count = 0;
        int lowest = 0;
        int highest = 0;
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            if (set & DigitBit(digit)) {
                ++count;
                highest = digit;
                if (lowest == 0) {
                    lowest = digit;
                }
            }
        }
        tables.count[set] = static_cast<uint8_t>(count);
        tables.lowestDigit[set] = static_cast<uint8_t>(lowest);
        tables.highestDigit[set] = static_cast<uint8_t>(highest);
        tables.upToLowest[set] =
            lowest == 0 ? kAllDigits : static_cast<uint16_t>((1u << lowest) - 1);
        tables.fromHighest[set] =
            highest == 0 ? kAllDigits
                         : static_cast<uint16_t>(kAllDigits & ~((1u << (highest - 1)) - 1));
    }
    return tables;
}

} // namespace

const SetTables kSets = MakeSetTables();
