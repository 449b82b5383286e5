#pragma once
#include "renderers.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace tarvelo::pages {

// How a field value goes into the page.
enum class Treatment {
    Markup,     // as it is: markup in a value acts as markup
    LinkTarget, // inside a single-quoted attribute: ' is written as &#39;
    DateTime,   // through mwin::datetext
};

// One field of a record block and the fixed text before it.
struct Slot {
    std::string_view before;
    std::size_t field;
    Treatment treatment = Treatment::Markup;
};

// The shape of a results page built from records: the opening text, one
// block per record (slots, then blockEnd) and the closing text.
struct RecordLayout {
    std::span<const std::string_view> fieldNames;
    std::size_t countedField;      // its number of elements is the number of records
    std::string_view opening;
    std::span<const Slot> block;
    std::string_view blockEnd;
    std::string_view closing;
    bool framedWhenEmpty;          // without records: opening + closing, or nothing
};

// Blocks for records 0 … n−1, n being the count of the counted field; a field
// that has fewer elements leaves its part of the block empty.
Fragment renderRecords(std::string_view answer, const RecordLayout& layout);

} // namespace tarvelo::pages
