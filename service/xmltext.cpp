#include "xmltext.h"

namespace tarvelo::service {

void appendTextContent(const pugi::xml_node& node, std::string& out)
{
    // Iterative walk: answers may nest deeply, and recursion must not be the
    // limit.
    const pugi::xml_node top = node;
    pugi::xml_node cur = node.first_child();
    while (cur && cur != top) {
        const auto type = cur.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata)
            out += cur.value();
        if (type == pugi::node_element && cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur && cur != top && !cur.next_sibling())
            cur = cur.parent();
        if (cur && cur != top)
            cur = cur.next_sibling();
    }
}

std::string textContent(const pugi::xml_node& node)
{
    std::string out;
    appendTextContent(node, out);
    return out;
}

} // namespace tarvelo::service
