#include "files/fitting_library.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace files {

namespace {

std::string text(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

std::vector<double> numbers(const QJsonValue& list) {
    std::vector<double> values;
    for (const QJsonValue value : list.toArray()) {
        values.push_back(value.isNull() ? std::nan("") : value.toDouble());
    }
    return values;
}

std::optional<fittings::Table> table(const QJsonValue& value) {
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    fittings::Table table{text(object, "rows"),
                          numbers(object.value(QLatin1String("rowValues"))),
                          text(object, "columns"),
                          numbers(object.value(QLatin1String("columnValues"))),
                          {}};
    for (const QJsonValue row : object.value(QLatin1String("values")).toArray()) {
        table.values.push_back(row.isArray() ? numbers(row) : numbers(QJsonArray{row}));
    }
    return table;
}

std::optional<fittings::Formula> formula(const QJsonValue& value) {
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    static const QStringList kinds{"constant", "parameter", "bordaCarnot", "exponential",
                                   "pressureDrop"};
    const auto number = [&](const char* key) {
        return object.value(QLatin1String(key)).toDouble();
    };
    return fittings::Formula{
        fittings::Formula::Kind(kinds.indexOf(object.value(QLatin1String("kind")).toString())),
        text(object, "of"),
        text(object, "by"),
        number("value"),
        number("a"),
        number("b"),
        number("minimum"),
        number("maximum")};
}

fittings::VelocityRatio velocityRatio(const QJsonObject& object) {
    static const QStringList kinds{"one", "parameter", "inverse", "quotient", "inverseComplement"};
    const qsizetype kind = kinds.indexOf(object.value(QLatin1String("kind")).toString());
    return {fittings::VelocityRatio::Kind(std::max<qsizetype>(kind, 0)), text(object, "of"),
            text(object, "by")};
}

fittings::Fitting fitting(const QJsonObject& object, const std::string& group) {
    fittings::Fitting fitting{
        text(object, "id"),
        text(object, "name"),
        group,
        text(object, "shape"),
        text(object, "source"),
        text(object, "reference"),
        object.value(QLatin1String("damper")).toBool(),
        {},
        table(object.value(QLatin1String("table"))),
        formula(object.value(QLatin1String("formula"))),
        table(object.value(QLatin1String("factor"))),
        velocityRatio(object.value(QLatin1String("velocityRatio")).toObject())};
    for (const QJsonValue parameter : object.value(QLatin1String("parameters")).toArray()) {
        fitting.parameters.push_back(
            {text(parameter.toObject(), "name"),
             parameter.toObject().value(QLatin1String("default")).toDouble()});
    }
    return fitting;
}

fittings::Library load() {
    fittings::Library library;
    const QDir folder(QStringLiteral(":/fittings"));
    for (const QString& name :
         folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::ReadOnly);
        const QJsonObject data = QJsonDocument::fromJson(file.readAll()).object();
        const std::string group = text(data, "group");
        for (const QJsonValue entry : data.value(QLatin1String("fittings")).toArray()) {
            library.push_back(fitting(entry.toObject(), group));
        }
    }
    return library;
}

} // namespace

const fittings::Library& fittingLibrary() {
    static const fittings::Library library = load();
    return library;
}

} // namespace files
