#include "synonyms.h"

#include "embed.h"

TARVELO_EMBED_BYTES(englishSynonymList, TARVELO_ENGLISH_SYNONYMS)

namespace tarvelo::server {

const std::vector<WordPair>& englishSynonyms()
{
    static const std::vector<WordPair> pairs = [] {
        std::vector<WordPair> out;
        const std::string_view text = TARVELO_BYTES(englishSynonymList);
        for (size_t pos = 0; pos < text.size();) {
            size_t end = text.find('\n', pos);
            if (end == std::string_view::npos)
                end = text.size();
            const std::string_view line = text.substr(pos, end - pos);
            pos = end + 1;
            if (const size_t space = line.find(' '); space != std::string_view::npos)
                out.emplace_back(line.substr(0, space), line.substr(space + 1));
        }
        return out;
    }();
    return pairs;
}

} // namespace tarvelo::server
