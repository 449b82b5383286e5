#include "watchfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <stdexcept>

namespace tarvelo::watch {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QJsonObject ratesObject(const Rates& rates)
{
    return {{"mfn", qt(rates.mfn)},
            {"general", qt(rates.general)},
            {"consumption", qt(rates.consumption)},
            {"vat", qt(rates.vat)},
            {"unit", qt(rates.unit)},
            {"supervision", qt(rates.supervision)}};
}

std::string text(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isString())
        throw std::runtime_error(std::string("“") + key + "”不是文字");
    return value.toString().toStdString();
}

Rates ratesFrom(const QJsonObject& object)
{
    return {text(object, "mfn"),  text(object, "general"), text(object, "consumption"),
            text(object, "vat"),  text(object, "unit"),    text(object, "supervision")};
}

WatchedLine lineFrom(const QJsonValue& value)
{
    if (!value.isObject())
        throw std::runtime_error("清单中有一项不是税号记录");
    const QJsonObject object = value.toObject();
    WatchedLine line{text(object, "code"), text(object, "name"), {}, {}};
    if (!isLineCode(line.code))
        throw std::runtime_error("“" + line.code + "”不是税则号列");
    if (object.value(QLatin1String("inForce")).isObject())
        line.inForce = ratesFrom(object.value(QLatin1String("inForce")).toObject());
    if (object.value(QLatin1String("next")).isObject()) {
        const QJsonObject next = object.value(QLatin1String("next")).toObject();
        line.next = ScheduledChange{text(next, "effective"), ratesFrom(next)};
    }
    return line;
}

std::vector<WatchedLine> parse(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error("不是有效的 JSON：" + error.errorString().toStdString());
    if (!document.isObject() || !document.object().value(QLatin1String("lines")).isArray())
        throw std::runtime_error("文件中没有关注清单");
    std::vector<WatchedLine> lines;
    for (const QJsonValue& value : document.object().value(QLatin1String("lines")).toArray())
        lines.push_back(lineFrom(value));
    return lines;
}

} // namespace

LoadedList loadWatchList(const std::filesystem::path& file, const std::string& today)
{
    const QString name = QString::fromStdU16String(file.u16string());
    QFile in(name);
    if (!in.exists())
        return {};
    LoadedList loaded;
    std::string reason;
    if (in.open(QIODevice::ReadOnly)) {
        try {
            loaded.lines = parse(in.readAll());
            return loaded;
        } catch (const std::runtime_error& e) {
            reason = e.what();
        }
        in.close();
    } else {
        reason = in.errorString().toStdString();
    }
    // Kept for the user to look at: a second damaged file the same day gets a number.
    QString aside = name + QStringLiteral(".damaged-") + qt(today);
    for (int n = 2; QFile::exists(aside); ++n)
        aside = name + QStringLiteral(".damaged-") + qt(today) + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(name, aside))
        loaded.damaged = "关注清单文件已损坏（" + reason + "），已移至 " + aside.toStdString() + "，关注清单从空开始。";
    else
        loaded.damaged = "关注清单文件已损坏（" + reason + "），且无法移开：" + name.toStdString();
    return loaded;
}

void saveWatchList(const std::filesystem::path& file, const std::vector<WatchedLine>& lines)
{
    QJsonArray array;
    for (const WatchedLine& line : lines) {
        QJsonObject object{{"code", qt(line.code)}, {"name", qt(line.name)}};
        if (line.inForce)
            object.insert(QStringLiteral("inForce"), ratesObject(*line.inForce));
        if (line.next) {
            QJsonObject next = ratesObject(line.next->rates);
            next.insert(QStringLiteral("effective"), qt(line.next->effective));
            object.insert(QStringLiteral("next"), next);
        }
        array.append(object);
    }
    const QString name = QString::fromStdU16String(file.u16string());
    QDir().mkpath(QFileInfo(name).absolutePath());
    QSaveFile out(name);
    const QByteArray bytes = QJsonDocument(QJsonObject{{"lines", array}}).toJson(QJsonDocument::Indented);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw std::runtime_error("无法保存关注清单 " + name.toStdString() + "：" + out.errorString().toStdString());
}

} // namespace tarvelo::watch
