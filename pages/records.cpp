#include "records.h"

#include "service/xmltext.h"

#include <cstring>

namespace tarvelo::pages {
namespace {

// Position of name in names, or names.size().
std::size_t indexOf(const char* name, std::span<const std::string_view> names)
{
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view wanted = names[i];
        if (wanted.size() == length && wanted[0] == name[0] && std::memcmp(wanted.data(), name, length) == 0)
            return i;
    }
    return names.size();
}

} // namespace

RecordSet::RecordSet(std::string_view answer, std::span<const std::string_view> names)
    : found_(names.size())
{
    if (!doc_.load_buffer(answer.data(), answer.size(), answerParseOptions, pugi::encoding_utf8)) {
        doc_.reset();
        return;
    }
    // Iterative pre-order walk: document order, and no recursion depth limit.
    pugi::xml_node node = doc_.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            const std::size_t field = indexOf(node.name(), names);
            if (field < names.size())
                found_[field].push_back(node);
            if (const pugi::xml_node child = node.first_child()) {
                node = child;
                continue;
            }
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node)
            node = node.next_sibling();
    }
}

void RecordSet::appendValue(std::size_t field, std::size_t i, std::string& out) const
{
    const auto& elements = found_[field];
    if (i < elements.size())
        service::appendTextContent(elements[i], out);
}

} // namespace tarvelo::pages
