#pragma once
#include <QString>

#include <cstdint>

namespace tarvelo {

// The lookup categories, numbered in tab order.
enum class QueryCategory : int16_t { pe_article = 0, Commodity = 1, Tariff = 2, Export = 3 };

// The hub's public commands and the state it shares with the main window, the
// tab bar and the search bar. One hub lives for the whole run.
class HubApi {
public:
    virtual ~HubApi() = default;

    // Shared state.
    virtual int16_t currentCategory() const = 0;
    virtual void setCurrentCategory(int16_t index) = 0;
    virtual bool categorySearched(int16_t index) const = 0;
    virtual void setCategorySearched(int16_t index) = 0;

    // Search box text <-> the saved text of a category.
    virtual void GetText1(int16_t index) = 0;
    virtual void SetText1(int16_t index) = 0;

    // Page commands: each writes its page file and shows it in the main window.
    virtual void mdefaut() = 0;
    virtual void Tariff(const QString& str) = 0;
    virtual void Export(const QString& str) = 0;
    virtual void Commodity(const QString& str) = 0;
    virtual void pe_article(const QString& str) = 0;
    virtual void mainqh(int16_t index) = 0;

    // Removes the tray icon; called right before the program ends.
    virtual void deltubiao() = 0;
};

} // namespace tarvelo
