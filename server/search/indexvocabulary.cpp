#include "indexvocabulary.h"

#include <xapian.h>

namespace tarvelo::server {

IndexVocabulary::IndexVocabulary(const Xapian::Database& db)
{
    for (auto term = db.allterms_begin(); term != db.allterms_end(); ++term)
        terms_.emplace(*term, static_cast<std::uint32_t>(terms_.size()));
    for (auto key = db.synonym_keys_begin(); key != db.synonym_keys_end(); ++key) {
        std::vector<std::string>& synonyms = synonyms_[*key];
        for (auto synonym = db.synonyms_begin(*key); synonym != db.synonyms_end(*key); ++synonym)
            synonyms.push_back(*synonym);
    }
}

const std::vector<std::string>& IndexVocabulary::synonymsOf(const std::string& term) const
{
    static const std::vector<std::string> none;
    const auto found = synonyms_.find(term);
    return found == synonyms_.end() ? none : found->second;
}

} // namespace tarvelo::server
