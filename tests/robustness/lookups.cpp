#include "lookups.h"

#include <fstream>
#include <iterator>

namespace tarvelo::robustness {

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t countShown(const platform::fakes::FakeMessageBox& box, std::string_view prefix)
{
    size_t n = 0;
    for (const auto& m : box.shown)
        n += std::string_view(m.text).starts_with(prefix);
    return n;
}

} // namespace tarvelo::robustness
