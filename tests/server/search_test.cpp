// Keyword reading, normalisation and the ranking every search answers with,
// over a small catalogue of our own, in process.
#include "catalogue.h"
#include "csv.h"
#include "database.h"
#include "keyword.h"
#include "lexicon.h"
#include "normalise.h"
#include "querywords.h"
#include "text.h"
#include "searchcatalogue.h"
#include "synonyms.h"
#include "utf8.h"
#include "wordindex.h"
#include "loaders.h"
#include "schema.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <thread>

namespace tarvelo::server {
namespace {

TEST(Normalising, WidthCaseTraditionalAndSurroundingPunctuation)
{
    const std::vector<std::pair<std::string_view, std::string_view>> cases{
        {"ＬＡＰＴＯＰ １２", "laptop 12"},
        {"Stainless STEEL", "stainless steel"},
        {"筆記型電腦", "笔记型电脑"},
        {"電冰箱\xE3\x80\x80冷凍櫃", "电冰箱 冷冻柜"}, // ideographic space
        {"８４７１．３０", "8471.30"},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(normalise(text), folded) << text;
    EXPECT_EQ(trimPunctuation("«car»"), "car");
    EXPECT_EQ(trimPunctuation("“口罩”。"), "口罩");
    EXPECT_EQ(trimPunctuation(" (8471.30) "), "8471.30");
    EXPECT_EQ(trimPunctuation("。、！"), "");
}

TEST(KeywordReading, CodesInAnyNotation)
{
    for (const auto text : {"847130", "8471.30", "8471 30", "8471-30", " 84.71.30 ", "８４７１３０", "8471.30."})
        EXPECT_EQ(parseKeyword(text).code, "847130") << text;
    EXPECT_EQ(parseKeyword("87.03").code, "8703");
    EXPECT_EQ(parseKeyword("8471a").code, "");
    EXPECT_EQ(parseKeyword("7219 钢").code, "");
}

TEST(KeywordReading, ThePhraseFirstThenTheKeywordOfIt)
{
    const std::vector<std::string> texts{"  Lithium\tBATTERIES 锂电池 ", "無線滑鼠", "８４７１.30", "。。", "x\xE9",
                                         std::string(maxKeywordBytes + 1, 'a')};
    for (const std::string& text : texts) {
        const Keyword whole = parseKeyword(text);
        const std::string phrase = keywordPhrase(text);
        EXPECT_EQ(phrase, whole.phrase) << text;
        const Keyword stepped = parsePhrase(phrase);
        EXPECT_EQ(stepped.code, whole.code) << text;
        EXPECT_EQ(stepped.tokens, whole.tokens) << text;
        EXPECT_EQ(stepped.mainland, whole.mainland) << text;
    }
}

TEST(KeywordReading, AMainlandFormIsCutAsAKeywordWouldBe)
{
    const Keyword taiwan = parseKeyword("無線滑鼠 USB");
    ASSERT_FALSE(taiwan.mainland.empty());
    const Keyword mainland = parseNormalisedKeyword(taiwan.mainland);
    EXPECT_EQ(mainland.phrase, parseKeyword(taiwan.mainland).phrase);
    EXPECT_EQ(mainland.tokens, parseKeyword(taiwan.mainland).tokens);
    EXPECT_TRUE(mainland.mainland.empty());
    EXPECT_EQ(parseNormalisedKeyword(" 8471.30 ").code, "847130");
}

TEST(KeywordReading, WordsRunsAndEmptyKeywords)
{
    const Keyword k = parseKeyword("  Lithium\tBATTERIES 锂电池 ");
    EXPECT_EQ(k.phrase, "lithium batteries 锂电池");
    EXPECT_EQ(k.tokens, (std::vector<Token>{{"lithium", true, {}}, {wordStem("battery"), true, {}}, {"锂电池", false, {}}}));
    EXPECT_EQ(k.tokens[1].spelt, "batteries");
    const std::vector<std::string> empties{"", " \t ", "。。", "...", "«»", "x\xE9", std::string(maxKeywordBytes + 1, 'a')};
    for (const std::string& text : empties)
        EXPECT_TRUE(parseKeyword(text).empty()) << text;
    // Plural and singular share a stem; other words keep theirs.
    const std::vector<std::pair<std::string_view, std::string_view>> sameStem{
        {"tyres", "tyre"}, {"batteries", "battery"}, {"boxes", "box"}, {"watches", "watch"}, {"glasses", "glass"}};
    for (const auto& [plural, singular] : sameStem)
        EXPECT_EQ(wordStem(plural), wordStem(singular)) << plural;
    EXPECT_NE(wordStem("car"), wordStem("carbon"));
    EXPECT_EQ(wordStem("8471a"), "8471a");
}

TEST(EnglishSynonyms, EverydayNamesPairButNotARareMeaningOfAWord)
{
    const auto paired = [](std::string_view a, std::string_view b) {
        const auto& pairs = englishSynonyms();
        return std::find(pairs.begin(), pairs.end(), WordPair{a, b}) != pairs.end() ||
               std::find(pairs.begin(), pairs.end(), WordPair{b, a}) != pairs.end();
    };
    for (const auto& [a, b] : {WordPair{"aubergine", "eggplant"}, {"corn", "maize"}, {"tire", "tyre"},
                               {"biscuit", "cookie"}, {"colour", "color"}, {"aluminium", "aluminum"}})
        EXPECT_TRUE(paired(a, b)) << a << " " << b;
    // Steel names a sword, a car a railway car, only now and then: a search for
    // steel or cars must not bring those goods.
    for (const auto& [a, b] : {WordPair{"steel", "sword"}, {"car", "railcar"}, {"horse", "gymnastichorse"}})
        EXPECT_FALSE(paired(a, b)) << a << " " << b;
}

TEST(QueryWords, ARunIsCutWhereNoCharacterIsLeftOver)
{
    const std::unordered_set<std::string> dictionary{"宠物", "宠物狗", "狗粮", "手提", "手提电脑", "电脑包", "冷冻", "去皮", "鸡胸肉"};
    const auto words = [&](std::string_view keyword) {
        std::vector<std::string> out;
        for (const QueryWord& w : queryWords(parseKeyword(keyword), dictionary))
            out.push_back(w.count == 1 ? w.text : w.text + " x" + std::to_string(w.count));
        return out;
    };
    // Longest words from the left would leave 粮 and 包 over: pet dogs and
    // laptops instead of their food and bags.
    EXPECT_EQ(words("宠物狗粮"), (std::vector<std::string>{"宠物", "狗粮"}));
    EXPECT_EQ(words("手提电脑包"), (std::vector<std::string>{"手提", "电脑包"}));
    EXPECT_EQ(words("冷冻去皮鸡胸肉"), (std::vector<std::string>{"冷冻", "去皮", "鸡胸肉"}));
    // Characters that start no word stay together; a word said twice counts twice.
    EXPECT_EQ(words("小米同款狗粮 狗粮"), (std::vector<std::string>{"小米同款", "狗粮 x2"}));
}

// An English word stands for the first three Chinese words it glosses that
// have two characters or more and that some searched text holds.
TEST(LexiconTranslations, OnlyWordsTheTextsHoldAndAtMostThree)
{
    SearchSource source;
    source.hs = {{"0702", "番茄", "Tomatoes"}};
    source.references = {{"西红柿", "0702"}, {"洋柿子", "0702"}, {"小番茄", "0702"}};
    source.glosses = {{"茄", "tomato"},     {"番茄", "tomato"},   {"蕃茄", "tomato; love apple"},
                      {"西红柿", "tomato"}, {"番茄", "tomatoes"}, {"洋柿子", "tomato"},
                      {"小番茄", "tomato"}};
    const Lexicon lexicon(source);
    EXPECT_EQ(lexicon.translations.at(comparedForm(parseKeyword("tomatoes"))),
              (std::vector<std::string>{"番茄", "西红柿", "洋柿子"}));
    EXPECT_FALSE(lexicon.translations.contains(comparedForm(parseKeyword("love apple"))));
}

// A catalogue of a few headings, lines, references, glosses and articles.
class Ranking : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<testkit::TempFolder>();
        const auto file = folder->path() / "ranking.db";
        {
            Connection db(file, Connection::Mode::ReadWriteCreate);
            Transaction t(db);
            createSchema(db);
            loadHs(db,
                   CsvTable("section,hscode,description,level\n"
                            "VI,38,Miscellaneous chemical products,2\n"
                            "VI,3801,Artificial graphite; preparations based on carbon,4\n"
                            "VI,380110,Artificial graphite,6\n"
                            "VII,40,Rubber and articles thereof,2\n"
                            "VII,4011,New pneumatic tyres of rubber,4\n"
                            "VII,401110,Tyres; of a kind used on motor cars,6\n"
                            "XVI,84,Machinery and mechanical appliances,2\n"
                            "XVI,8471,Automatic data processing machines,4\n"
                            "XVI,847130,Portable automatic data processing machines,6\n"
                            "XVI,847190,Other,6\n"
                            "XVI,85,Electrical machinery and equipment,2\n"
                            "XVI,8507,Electric accumulators,4\n"
                            "XVI,850760,Lithium-ion accumulators,6\n"
                            "XVII,87,Vehicles other than railway rolling stock,2\n"
                            "XVII,8703,Motor cars principally designed for the transport of persons,4\n"
                            "XVII,870380,Other vehicles with only electric motor for propulsion,6\n",
                            "hs"),
                   CsvTable("section,name\nVI,Chemicals\nVII,Plastics and rubber\nXVI,Machinery\nXVII,Vehicles\n", "s"));
            loadHsNames(db,
                        CsvTable("hscode,name,source\n38,杂项化学产品,tw\n3801,人造石墨,tw\n380110,人造石墨,tw\n"
                                 "40,橡胶及其制品,tw\n4011,新的充气橡胶轮胎,tw\n401110,机动小客车用,tw\n"
                                 "84,机器、机械器具,tw\n8471,自动数据处理机及其部件,tw\n"
                                 "847130,重量不超过10公斤的便携式自动数据处理机,tw\n847190,其他,tw\n"
                                 "85,电机、电气设备,tw\n8507,蓄电池及其隔板,tw\n850760,锂离子蓄电池,tw\n"
                                 "87,车辆及其零件,tw\n8703,主要用于载人的机动车辆,tw\n870380,其他,ours\n",
                                 "names"),
                        CsvTable("section,name,source\nXVI,机器,tw\n", "sections"));
            const std::string tariff = "code,name,mfn,general,consumption,vat,unit,supervision\n"
                                       "40111000,小轿车用新充气轮胎,10%,50%,,13%,条,\n"
                                       "84713000,便携式电脑,0%,70%,,13%,台,\n"
                                       "85076000,锂离子蓄电池,10%,40%,,13%,个,\n"
                                       "87038000,纯电动小轿车,15%,230%,,13%,辆,\n";
            loadTariff(db, CsvTable(tariff, "tariff"));
            loadRebates(db, CsvTable("code,name,unit,rate\n84713000,便携式电脑,台,13%\n87038000,纯电动小轿车,辆,13%\n",
                                     "rebates"));
            loadReferences(db,
                           CsvTable("term,hscode\n笔记本电脑,8471.30\nlaptop,847130\n电动汽车,870380\n汽车,8703\n"
                                    "车胎,4011\n",
                                    "references"),
                           false);
            loadGlosses(db, CsvTable("simplified,english\n蓄能器,accumulator; see also 电池\n手提电脑,laptop\n电动汽车,electric car\n",
                                     "glosses"));
            loadArticles(db, CsvTable("id,title,updated,source,body\n"
                                      "1,关于调整汽车进口关税的公告,2024-01-01T09:00:00+08:00,海关,正文\n"
                                      "2,汽车,2023-01-01T09:00:00+08:00,海关,正文\n"
                                      "3,進口汽車檢驗規定,2025-01-01T09:00:00+08:00,海关,正文\n"
                                      "4,其他公告,2026-01-01T09:00:00+08:00,海关,涉及汽车零件\n",
                                      "articles"));
            rebuildSearch(db);
            t.commit();
        }
        search = std::make_unique<SearchCatalogue>(readSearchSource(file, "9999-12-31"), 0,
                                                   "9999-12-31"); // the newest rates
    }
    static void TearDownTestSuite()
    {
        search.reset();
        folder.reset();
    }

    template <class Record>
    static std::vector<std::string> codes(const std::vector<const Record*>& records)
    {
        std::vector<std::string> out;
        for (const Record* r : records)
            out.push_back(r->code);
        return out;
    }

    static inline std::unique_ptr<testkit::TempFolder> folder;
    static inline std::unique_ptr<SearchCatalogue> search;
};

TEST_F(Ranking, OneRuleForEveryKindOfKeyword)
{
    using Codes = std::vector<std::string>;
    const std::vector<std::pair<std::string_view, Codes>> commodity{
        // Codes: prefix, shortest first, in any notation.
        {"8471.30", {"847130", "84713000"}},
        {"87 03", {"8703", "870380", "87038000"}},
        {"84", {"84", "8471", "847130", "847190", "84713000"}},
        // A ten-digit declaration code: its national line.
        {"8471.3000.00", {"84713000"}},
        {"8471300099", {"84713000"}},
        {"8471309", {}},
        // An exact reference term, singular or plural, with full-width letters.
        {"laptop", {"847130", "84713000"}},
        {"Laptops", {"847130", "84713000"}},
        {"«ＬＡＰＴＯＰ»", {"847130", "84713000"}},
        // Traditional characters fold to the reference term.
        {"筆記本電腦", {"847130", "84713000"}},
        // A term the keyword is part of.
        {"笔记本", {"847130", "84713000"}},
        // Exact term before the terms containing the keyword; lines before
        // their heading.
        {"汽车", {"870380", "87038000", "8703"}},
        // A whole phrase before a name holding it before the names of parent
        // headings; a subheading named only 其他 is found through its heading.
        {"自动数据处理机", {"8471", "847130", "84713000", "847190"}},
        // Whole words: car never matches carbon; cars is car.
        {"car", {"401110", "40111000", "8703", "870380", "87038000"}},
        // A word no text knows, spelt as the closest one some text holds.
        {"tyers", {"401110", "40111000", "4011"}},
        // A whole phrase of a name, up to 及 ("and"), before names merely
        // holding it.
        {"蓄电池", {"8507", "850760", "85076000"}},
        // A Chinese word no reference knows reaches the English names.
        {"蓄能器", {"850760", "85076000", "8507"}},
        {"手提电脑", {"847130", "84713000"}}, // through the reference laptop
        {"carbonara", {}},
    };
    for (const auto& [keyword, expected] : commodity)
        EXPECT_EQ(codes(search->commodity().find(parseKeyword(keyword), 200)), expected) << keyword;
    // An English keyword no reference equals reaches a Chinese reference
    // first; what holds only some of its words follows.
    const Codes electric = codes(search->commodity().find(parseKeyword("electric cars"), 200));
    ASSERT_GE(electric.size(), 2u);
    EXPECT_EQ(Codes(electric.begin(), electric.begin() + 2), (Codes{"870380", "87038000"}));

    EXPECT_EQ(codes(search->tariff().find(parseKeyword("car"), 200)), (Codes{"40111000", "87038000"}));
    EXPECT_EQ(codes(search->tariff().find(parseKeyword("電動汽車"), 200)), (Codes{"87038000"}));
    EXPECT_EQ(codes(search->rebates().find(parseKeyword("laptop"), 200)), (Codes{"84713000"}));
    EXPECT_EQ(codes(search->commodity().find(parseKeyword("84"), 2)), (Codes{"84", "8471"})) << "the cap";
}

TEST_F(Ranking, ArticlesBestMatchFirstThenNewest)
{
    std::vector<std::int64_t> ids;
    for (const Article* a : search->articles().find(parseKeyword("汽車"), 200))
        ids.push_back(a->id);
    EXPECT_EQ(ids, (std::vector<std::int64_t>{2, 3, 1, 4}));
    // Articles have no codes: a dictionary word leads to no reference there.
    EXPECT_TRUE(search->articles().find(parseKeyword("手提电脑"), 200).empty());
}

// Descriptions and titles: the first record is what a broker would take.
TEST_F(Ranking, DescriptionsFindTheirGoodsInAnyOrderAndWording)
{
    const std::vector<std::pair<std::string_view, std::string_view>> first{
        // Words in any order, joined or spaced.
        {"锂离子蓄电池", "850760"},
        {"蓄电池 锂离子", "850760"},
        {"锂离子的蓄电池", "850760"}, // a function word between them
        // English stems, hyphens and compounds.
        {"portable data processing machine", "847130"},
        {"lithiumion accumulators", "850760"},
        {"lithium ion accumulator", "850760"},
        // The other spelling, where the texts use it.
        {"tires", "4011"},
        // Mixed scripts and traditional characters.
        {"laptop电脑", "847130"},
        {"鋰離子 蓄電池", "850760"},
        // A misspelling no edit of one letter mends.
        {"acumulaters lithium", "850760"},
        // A long shop title: the goods most of its words point to.
        {"2024 New Hot Sale Portable Laptop 15.6 inch Notebook Data Processing Machine for Students Free Shipping",
         "847130"},
        {"包邮 正品 2024新款 锂离子 蓄电池 大容量 5000mAh", "850760"},
        // More than ten known words, some pointing to other goods: candidates come
        // by the weightiest ten, and every word counts in their order.
        {"Portable Automatic Data Processing Machine Laptop with Lithium Ion Accumulators Rubber Tyres Graphite Case",
         "847130"},
        // The goods a title names twice come before those it names once.
        {"Tyres Accumulators Tyres", "401110"},
        // One known word is enough for partial matches.
        {"graphite xyzzyq", "3801"},
    };
    for (const auto& [keyword, code] : first) {
        const auto found = codes(search->commodity().find(parseKeyword(keyword), 200));
        if (found.empty()) {
            ADD_FAILURE() << keyword << ": nothing found";
            continue;
        }
        EXPECT_TRUE(found.front().starts_with(code)) << keyword << ": " << found.front();
        EXPECT_EQ(codes(search->commodity().find(parseKeyword(keyword), 200)), found) << "the same order again";
    }
    // Nothing any text knows: nothing found.
    for (const auto keyword : {"xyzzyq qqqzzz", "无此"})
        EXPECT_TRUE(search->commodity().find(parseKeyword(keyword), 200).empty()) << keyword;
}

// A new catalogue's first searches, from several threads at once, answer as
// searches one at a time do (the word index fills what it keeps as they run).
TEST_F(Ranking, FirstSearchesFromSeveralThreadsAnswerAsOneAtATime)
{
    const std::vector<std::string> keywords{"lithium ion accumulator", "蓄电池 锂离子",
                                            "portable data processing machine", "graphite xyzzyq",
                                            "鋰離子 蓄電池", "tires laptop电脑"};
    const SearchCatalogue fresh(readSearchSource(folder->path() / "ranking.db", "9999-12-31"), 1, "9999-12-31");
    std::vector<std::vector<std::vector<std::string>>> answers(4);
    {
        std::vector<std::jthread> threads;
        for (auto& answer : answers)
            threads.emplace_back([&] {
                for (const std::string& keyword : keywords)
                    answer.push_back(codes(fresh.commodity().find(parseKeyword(keyword), 200)));
            });
    }
    for (const auto& answer : answers)
        for (size_t k = 0; k < keywords.size(); ++k)
            EXPECT_EQ(answer[k], codes(search->commodity().find(parseKeyword(keywords[k]), 200))) << keywords[k];
}

TEST_F(Ranking, EmptyOrPunctuationOnlyKeywordsFindNothing)
{
    for (const auto text : {"", "。", " - ", "!!"}) {
        EXPECT_TRUE(search->commodity().find(parseKeyword(text), 200).empty()) << text;
        EXPECT_TRUE(search->articles().find(parseKeyword(text), 200).empty()) << text;
    }
}

// The word indexes kept beside a database: a second catalogue of the same
// texts opens them, one whose texts changed builds its own, and both answer.
TEST_F(Ranking, KeptWordIndexesAreOpenedAgainForTheSameTexts)
{
    const auto file = folder->path() / "ranking.db";
    const auto indexes = folder->path() / "kept-indexes";
    const auto folders = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(indexes))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const SearchCatalogue first(readSearchSource(file, "9999-12-31"), 0, "9999-12-31", indexes);
    const auto kept = folders();
    ASSERT_EQ(kept.size(), 4u); // tariff, commodity, rebates, articles; no building folder left
    const SearchCatalogue again(readSearchSource(file, "9999-12-31"), 1, "9999-12-31", indexes);
    EXPECT_EQ(folders(), kept);
    EXPECT_EQ(codes(again.commodity().find(parseKeyword("lithium ion accumulator"), 200)),
              codes(search->commodity().find(parseKeyword("lithium ion accumulator"), 200)));

    SearchSource changed = readSearchSource(file, "9999-12-31");
    changed.tariff.front().name = "新充气轮胎";
    const SearchCatalogue other(std::move(changed), 2, "9999-12-31", indexes);
    EXPECT_EQ(folders().size(), 5u) << "only the tariff's texts changed";
    EXPECT_EQ(codes(other.tariff().find(parseKeyword("tyres"), 200)), std::vector<std::string>{"40111000"});
}

// A kept index damaged on disk is removed and built again, not served.
TEST_F(Ranking, ADamagedKeptWordIndexIsBuiltAgain)
{
    const auto file = folder->path() / "ranking.db";
    const auto indexes = folder->path() / "damaged-indexes";
    { const SearchCatalogue first(readSearchSource(file, "9999-12-31"), 0, "9999-12-31", indexes); }
    for (const auto& entry : std::filesystem::directory_iterator(indexes))
        for (const auto& part : std::filesystem::directory_iterator(entry.path()))
            std::ofstream(part.path(), std::ios::binary | std::ios::trunc) << "not an index";
    const SearchCatalogue again(readSearchSource(file, "9999-12-31"), 1, "9999-12-31", indexes);
    EXPECT_EQ(codes(again.commodity().find(parseKeyword("lithium ion accumulator"), 200)),
              codes(search->commodity().find(parseKeyword("lithium ion accumulator"), 200)));
}

TEST_F(Ranking, ChineseNamesShownForHsCodes)
{
    const auto found = search->commodity().find(parseKeyword("8507"), 200);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0]->name, "蓄电池及其隔板");
    EXPECT_EQ(found[1]->name, "锂离子蓄电池");
}

// Xapian looks for a long query's candidates by its weightiest words, which
// may together match nothing where another word matches.
TEST(WordIndexQueries, ALongQueryWhoseWeightiestWordsMatchNothingStillFindsTheOthers)
{
    WordIndex index;
    std::vector<QueryWord> words;
    std::vector<std::string> entries;
    // Eleven words of three characters: one entry holds the first two, another
    // the last two, none all three.
    for (char32_t c = 0x4E00; c < 0x4E00 + 3 * 11; c += 3) {
        std::string a, b, z;
        appendUtf8(a, c);
        appendUtf8(b, c + 1);
        appendUtf8(z, c + 2);
        entries.push_back(a + b);
        entries.push_back(b + z);
        words.push_back({a + b + z, false, {}, {}});
    }
    for (int i = 0; i < 20; ++i)
        entries.push_back("常见");
    words.push_back({"常见", false, {}, {}});
    for (const std::string& text : entries)
        index.add({{text, 1}});
    index.commit();
    std::vector<std::uint32_t> tieOrder(entries.size());
    for (std::uint32_t p = 0; p < tieOrder.size(); ++p)
        tieOrder[p] = p;
    const std::vector<std::uint32_t> found = index.find(words, 200, tieOrder);
    ASSERT_EQ(found.size(), 20u);
    EXPECT_EQ(entries[found.front()], "常见");
}

// Of two entries holding a word as often, the shorter weighs more, whatever
// their order.
TEST(WordIndexQueries, AWordWeighsMoreInAShorterEntry)
{
    WordIndex index;
    const std::vector<std::string> entries = {"widget bracket hinge spring clamp rail", "widget", "bracket",
                                              "hinge", "spring", "clamp"};
    for (const std::string& text : entries)
        index.add({{text, 1}});
    index.commit();
    const std::vector<std::uint32_t> tieOrder = {0, 1, 2, 3, 4, 5};
    const std::vector<std::uint32_t> found = index.find({{"widget", true, {}, "widget"}}, 200, tieOrder);
    EXPECT_EQ(found, (std::vector<std::uint32_t>{1, 0}));
}

// WordNet pairs anklet and anklets, which share a stem: the word still
// counts once, as much as another word held as often.
TEST(WordIndexQueries, TwoFormsOfAWordCountOnce)
{
    ASSERT_NE(std::find(englishSynonyms().begin(), englishSynonyms().end(), WordPair{"anklet", "anklets"}),
              englishSynonyms().end());
    WordIndex index;
    index.add({{"bracelet", 1}});
    index.add({{"anklet", 1}});
    index.commit();
    const std::vector<QueryWord> words{{"anklet", true, {}, wordStem("anklet")},
                                       {"bracelet", true, {}, wordStem("bracelet")}};
    EXPECT_EQ(index.find(words, 200, {0, 1}), (std::vector<std::uint32_t>{0, 1}));
}

TEST(BundledCatalogue, DetailLookups)
{
    testkit::TempFolder folder;
    ensureDatabase(folder.path() / "bundled.db");
    Catalogue catalogue(folder.path() / "bundled.db");
    const auto path = catalogue.hsPath("72193300");
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[0].code, "XV");
    EXPECT_EQ(path[0].name, "贱金属及其制品"); // Chinese names beside the English descriptions
    EXPECT_EQ(path[1].name, "钢铁");
    EXPECT_EQ(path[1].description, "Iron and steel");
    EXPECT_EQ(path[1].code, "72");
    EXPECT_EQ(path[3].code, "721933");
    std::vector<std::string> lines;
    for (const TariffLine& line : catalogue.tariffUnder("7219", "2026-12-01"))
        lines.push_back(line.code);
    EXPECT_EQ(lines, (std::vector<std::string>{"72193200", "72193300"}));
    EXPECT_FALSE(catalogue.article(1)->title.empty());
    EXPECT_FALSE(catalogue.article(424242).has_value());
    EXPECT_EQ(catalogue.news("news").size(), 8u);
    EXPECT_NE(catalogue.notice().find("示例数据"), std::string::npos);
}

} // namespace
} // namespace tarvelo::server
