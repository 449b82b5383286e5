#include "records.h"

#include "service/xmltext.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace tarvelo::pages {
namespace {

// Tells wanted names apart by their first byte, then compares the rest.
// Fixed tables: building one costs no allocation, which counts for small answers.
class NameTable {
public:
    explicit NameTable(std::span<const std::string_view> names) : names_(names)
    {
        if (names.size() >= 255)
            throw std::length_error("too many record field names");
        // Chains are built back to front so that each runs in list order.
        for (std::size_t i = names.size(); i-- > 0;) {
            auto& head = first_[static_cast<unsigned char>(names[i][0])];
            next_[i] = head;
            head = static_cast<std::uint8_t>(i + 1);
        }
    }

    // Position of name in the wanted names, or size().
    std::size_t find(const char* name) const
    {
        for (std::size_t link = first_[static_cast<unsigned char>(name[0])]; link != 0; link = next_[link - 1]) {
            const std::string_view wanted = names_[link - 1];
            std::size_t k = 1;
            while (k < wanted.size() && name[k] == wanted[k])
                ++k;
            if (k == wanted.size() && name[k] == '\0')
                return link - 1;
        }
        return names_.size();
    }

    std::size_t size() const { return names_.size(); }

private:
    std::span<const std::string_view> names_;
    // 1 + position of the first name with that first byte, 0 for none.
    std::array<std::uint8_t, 256> first_{};
    // 1 + position of the next name with the same first byte, 0 for none.
    std::array<std::uint8_t, 255> next_{};
};

// One pre-order pass over the document. Besides collecting the wanted
// elements it notes, for the latest one, whether its content is one text or
// CDATA node; anything else leaves its text to be gathered when rendering.
class Collector : public pugi::xml_tree_walker {
public:
    Collector(const NameTable& names, std::vector<std::vector<RecordSet::Element>>& found)
        : names_(names), found_(found)
    {
    }

    bool for_each(pugi::xml_node& node) override
    {
        const pugi::xml_node_type type = node.type();
        if (open_)
            noteChildOfOpen(node, type);
        if (type == pugi::node_element) {
            const std::size_t field = names_.find(node.name());
            if (field < names_.size()) {
                auto& elements = found_[field];
                elements.push_back({node, ""});
                open_ = &elements.back();
                openLevel_ = depth();
                openHasChild_ = false;
            }
        }
        return true;
    }

private:
    // The first child of the open element may be its text; any other node
    // inside it, or a node after it, closes it.
    void noteChildOfOpen(pugi::xml_node& node, pugi::xml_node_type type)
    {
        if (depth() <= openLevel_) {
            open_ = nullptr;
            return;
        }
        const bool text = type == pugi::node_pcdata || type == pugi::node_cdata;
        open_->text = (text && !openHasChild_) ? node.value() : nullptr;
        openHasChild_ = true;
        if (!open_->text)
            open_ = nullptr;
    }

    const NameTable& names_;
    std::vector<std::vector<RecordSet::Element>>& found_;
    RecordSet::Element* open_ = nullptr;
    int openLevel_ = 0;
    bool openHasChild_ = false;
};

} // namespace

RecordSet::RecordSet(std::string_view answer, std::span<const std::string_view> names)
    : found_(names.size())
{
    if (!doc_.load_buffer(answer.data(), answer.size(), answerParseOptions, pugi::encoding_utf8)) {
        doc_.reset();
        return;
    }
    const NameTable table(names);
    Collector collector(table, found_);
    doc_.traverse(collector);
}

void RecordSet::appendValue(std::size_t field, std::size_t i, std::string& out) const
{
    const auto& elements = found_[field];
    if (i >= elements.size())
        return;
    if (elements[i].text)
        out += elements[i].text;
    else
        service::appendTextContent(elements[i].node, out);
}

} // namespace tarvelo::pages
