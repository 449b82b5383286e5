#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace tarvelo {

// The last searches of each category, newest first, kept in a file in the
// user's data folder so that they outlast the run. Placeholders and empty
// texts are never recorded; a repeated search moves to the front.
class SearchHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int limit = 30;

    // Reads file when it exists. A file that cannot be read as a history is
    // moved aside (".bad") and the history starts empty.
    explicit SearchHistory(QString file, QObject* parent = nullptr);

    // The searches of category index (0 to 3; any other value is Export).
    QStringList recent(int16_t index) const;
    void add(int16_t index, const QString& text);
    void clear();

signals:
    void changed();

private:
    void save() const;

    QString file_;
    std::array<QStringList, 4> lists_;
};

} // namespace tarvelo
