#pragma once
#include <pugixml.hpp>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::pages {

// How service answers are parsed: entities and character references resolved,
// CDATA kept, an element holding only whitespace keeps it.
inline constexpr unsigned answerParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// The record fields of one service answer. Every field is an element found by
// its qualified tag name anywhere in the document, in document order; the i-th
// element of a name belongs to record i. The document is walked once and the
// elements of all wanted names are collected on the way.
class RecordSet {
public:
    // names are the wanted tag names, all different and not empty; field
    // indices below are positions in this list. An answer that is not
    // well-formed XML (the empty text included) has no elements at all.
    RecordSet(std::string_view answer, std::span<const std::string_view> names);

    // Number of elements found for field.
    std::size_t count(std::size_t field) const { return found_[field].size(); }

    // Appends the text content of element i of field (all its descendant text
    // and CDATA) to out; nothing when the answer has fewer elements of that name.
    void appendValue(std::size_t field, std::size_t i, std::string& out) const;

    // One wanted element. Most hold a single piece of text, which the walk
    // keeps so that rendering need not visit the element again.
    struct Element {
        pugi::xml_node node;
        const char* text; // the element's whole text, or null when it has more inside
    };

private:
    pugi::xml_document doc_;
    std::vector<std::vector<Element>> found_;
};

} // namespace tarvelo::pages
