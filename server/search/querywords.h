#pragma once
// The meaningful words of a description or product title: Chinese runs cut
// into words by longest match against the words the data knows (reference
// terms and names), from whichever side leaves fewer characters over;
// function words, selling words, sizes and quantities dropped, and so are
// single characters left over between words and single letters; characters
// that start no known word stay together as one word. What is left, each word
// once with how often it is said, is what the word index looks for.
#include "keyword.h"
#include "wordindex.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace tarvelo::server {

// A character that joins words (的, 及, 或, 和, 与, 用, 制): it never belongs to
// the words on either side when they are not known as one word.
bool joiningWord(std::string_view character);

// dictionary: normalised runs of ideographs known as words.
std::vector<QueryWord> queryWords(const Keyword& keyword, const std::unordered_set<std::string>& dictionary);

} // namespace tarvelo::server
