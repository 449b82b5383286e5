#include "searchhistory.h"

#include "chrome/ucsearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tarvelo {
namespace {

std::size_t slot(int16_t index)
{
    return index >= 0 && index <= 2 ? static_cast<std::size_t>(index) : 3;
}

} // namespace

SearchHistory::SearchHistory(QString file, QObject* parent) : QObject(parent), file_(std::move(file))
{
    QFile in(file_);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(in.readAll(), &error);
    in.close();
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        QFile::remove(file_ + QStringLiteral(".bad"));
        QFile::rename(file_, file_ + QStringLiteral(".bad"));
        return;
    }
    const QJsonObject lists = document.object();
    for (std::size_t i = 0; i < lists_.size(); ++i)
        for (const QJsonValue& text : lists.value(QString::number(i)).toArray())
            if (lists_[i].size() < limit && text.isString() && !text.toString().isEmpty())
                lists_[i].append(text.toString());
}

QStringList SearchHistory::recent(int16_t index) const
{
    return lists_[slot(index)];
}

void SearchHistory::add(int16_t index, const QString& text)
{
    const QString search = text.trimmed();
    if (search.isEmpty() || placeholders::isPlaceholder(search))
        return;
    QStringList& list = lists_[slot(index)];
    if (!list.isEmpty() && list.front() == search)
        return;
    list.removeAll(search);
    list.prepend(search);
    while (list.size() > limit)
        list.removeLast();
    save();
    emit changed();
}

void SearchHistory::clear()
{
    for (QStringList& list : lists_)
        list.clear();
    save();
    emit changed();
}

// Written whole through a temporary file: a crash leaves the old history.
void SearchHistory::save() const
{
    QJsonObject lists;
    for (std::size_t i = 0; i < lists_.size(); ++i)
        lists.insert(QString::number(i), QJsonArray::fromStringList(lists_[i]));
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(lists).toJson(QJsonDocument::Compact)) < 0 ||
        !out.commit())
        qWarning("cannot save the search history to %s: %s", qPrintable(file_), qPrintable(out.errorString()));
}

} // namespace tarvelo
