#include "files/fitting_library.h"

#include "files/qt_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace files {

namespace {

std::string text(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

// Reads one fitting, noting every field it cannot read, so that a fault in the data shows
// instead of a fitting that computes nothing or the wrong thing.
class FittingReader {
public:
    explicit FittingReader(QJsonObject object)
        : object_(std::move(object)) {}

    const QStringList& faults() const { return faults_; }

    fittings::Fitting read(const std::string& group) {
        fittings::Fitting fitting{required("id"),
                                  required("name"),
                                  group,
                                  text(object_, "shape"),
                                  required("source"),
                                  required("reference"),
                                  object_.value(QLatin1String("damper")).toBool(),
                                  parameters(),
                                  table("table"),
                                  formula(),
                                  table("factor"),
                                  velocityRatio()};
        if (!fitting.table && !fitting.formula) {
            faults_ << QString::fromUtf8("既无表格也无公式");
        }
        return fitting;
    }

private:
    std::string required(const char* key) {
        const std::string value = text(object_, key);
        if (value.empty()) {
            faults_ << QString::fromUtf8("缺少 \"%1\"").arg(QLatin1String(key));
        }
        return value;
    }

    // A name the fitting's coefficient is read by must be one of its parameters.
    std::string parameterName(const QJsonObject& object, const char* key, const QString& where) {
        const std::string name = text(object, key);
        if (!name.empty() && std::find(names_.begin(), names_.end(), name) == names_.end()) {
            faults_
                << QString::fromUtf8("%1的参数 \"%2\" 不在管件的参数中").arg(where, qString(name));
        }
        return name;
    }

    std::vector<fittings::Parameter> parameters() {
        std::vector<fittings::Parameter> list;
        for (const QJsonValue value : object_.value(QLatin1String("parameters")).toArray()) {
            const QJsonObject parameter = value.toObject();
            const QJsonValue defaultValue = parameter.value(QLatin1String("default"));
            if (text(parameter, "name").empty() || !defaultValue.isDouble()) {
                faults_ << QString::fromUtf8("参数 %1 应有 \"name\" 和数值 \"default\"")
                               .arg(QString::fromUtf8(
                                   QJsonDocument(parameter).toJson(QJsonDocument::Compact)));
            }
            list.push_back({text(parameter, "name"), defaultValue.toDouble()});
            names_.push_back(list.back().name);
        }
        return list;
    }

    // A list of numbers: ascending for the values of a parameter; a table's cells may be null
    // where the source leaves them blank.
    std::vector<double> numbers(const QJsonValue& list, bool ascending, bool& readable) {
        std::vector<double> values;
        for (const QJsonValue value : list.toArray()) {
            readable = readable && (value.isDouble() || (!ascending && value.isNull()));
            values.push_back(value.isDouble() ? value.toDouble() : std::nan(""));
        }
        readable = readable && list.isArray() && !values.empty() &&
                   (!ascending || std::adjacent_find(values.begin(), values.end(),
                                                     std::greater_equal<>()) == values.end());
        return values;
    }

    std::optional<fittings::Table> table(const char* key) {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isUndefined()) {
            return std::nullopt;
        }
        const QString where = QString::fromUtf8("表格 \"%1\"").arg(QLatin1String(key));
        const QJsonObject object = value.toObject();
        bool readable = value.isObject();
        fittings::Table table{parameterName(object, "rows", where),
                              numbers(object.value(QLatin1String("rowValues")), true, readable),
                              parameterName(object, "columns", where),
                              {},
                              {}};
        if (!table.columns.empty()) {
            table.columnValues =
                numbers(object.value(QLatin1String("columnValues")), true, readable);
        }
        const QJsonArray rows = object.value(QLatin1String("values")).toArray();
        for (const QJsonValue row : rows) {
            table.values.push_back(
                numbers(table.columns.empty() ? QJsonArray{row} : row, false, readable));
            readable = readable && table.values.back().size() ==
                                       std::max<std::size_t>(table.columnValues.size(), 1);
        }
        if (!readable || table.rows.empty() || table.values.size() != table.rowValues.size()) {
            faults_ << where + QString::fromUtf8("无法读取：应有升序的 \"rowValues\"（两个参数时"
                                                 "还有 \"columnValues\"），\"values\" 每格一个数"
                                                 "或 null");
        }
        return table;
    }

    // The kind by its name in the data, or a fault.
    template <class Kind>
    Kind kind(const QJsonObject& object, const QStringList& names, const QString& what) {
        const QString name = object.value(QLatin1String("kind")).toString();
        if (!names.contains(name)) {
            faults_ << QString::fromUtf8("%1类型 \"%2\" 未知").arg(what, name);
        }
        return Kind(std::max<qsizetype>(names.indexOf(name), 0));
    }

    std::optional<fittings::Formula> formula() {
        const QJsonValue value = object_.value(QLatin1String("formula"));
        if (value.isUndefined()) {
            return std::nullopt;
        }
        const QJsonObject object = value.toObject();
        const QString where = QString::fromUtf8("公式");
        const auto number = [&](const char* key) {
            const QJsonValue number = object.value(QLatin1String(key));
            if (!number.isUndefined() && !number.isDouble()) {
                faults_ << QString::fromUtf8("公式的 \"%1\" 不是数").arg(QLatin1String(key));
            }
            return number.toDouble();
        };
        return fittings::Formula{
            kind<fittings::Formula::Kind>(
                object, {"constant", "parameter", "bordaCarnot", "exponential", "pressureDrop"},
                where),
            parameterName(object, "of", where),
            parameterName(object, "by", where),
            number("value"),
            number("a"),
            number("b"),
            number("minimum"),
            number("maximum")};
    }

    // Published on the segment's own velocity where the data says nothing.
    fittings::VelocityRatio velocityRatio() {
        const QJsonValue value = object_.value(QLatin1String("velocityRatio"));
        if (value.isUndefined()) {
            return {};
        }
        const QJsonObject object = value.toObject();
        const QString where = QString::fromUtf8("风速换算");
        return {
            kind<fittings::VelocityRatio::Kind>(
                object, {"one", "parameter", "inverse", "quotient", "inverseComplement"}, where),
            parameterName(object, "of", where), parameterName(object, "by", where)};
    }

    QJsonObject object_;
    std::vector<std::string> names_;
    QStringList faults_;
};

void readFile(const QString& path, FittingLibraryRead& read) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.faults << QString::fromUtf8("%1：无法打开").arg(name);
        return;
    }
    QJsonParseError error;
    const QJsonObject data = QJsonDocument::fromJson(file.readAll(), &error).object();
    const std::string group = text(data, "group");
    if (error.error != QJsonParseError::NoError || group.empty() ||
        !data.value(QLatin1String("fittings")).isArray()) {
        read.faults << QString::fromUtf8("%1：不是管件库（应为 JSON 对象，有 \"group\" 和 "
                                         "\"fittings\" 列表）")
                           .arg(name);
        return;
    }
    for (const QJsonValue entry : data.value(QLatin1String("fittings")).toArray()) {
        FittingReader reader(entry.toObject());
        fittings::Fitting fitting = reader.read(group);
        for (const QString& fault : reader.faults()) {
            read.faults
                << QString::fromUtf8("%1：管件 \"%2\"：%3").arg(name, qString(fitting.id), fault);
        }
        if (reader.faults().isEmpty()) {
            read.library.push_back(std::move(fitting));
        }
    }
}

const FittingLibraryRead& embeddedLibrary() {
    static const FittingLibraryRead read = [] {
        FittingLibraryRead read = readFittingLibrary(QStringLiteral(":/fittings"));
        for (const QString& fault : read.faults) {
            qWarning("fittings library: %s", qUtf8Printable(fault));
        }
        return read;
    }();
    return read;
}

} // namespace

FittingLibraryRead readFittingLibrary(const QString& folder) {
    FittingLibraryRead read;
    const QDir files(folder);
    for (const QString& name :
         files.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        readFile(files.filePath(name), read);
    }
    return read;
}

const fittings::Library& fittingLibrary() {
    return embeddedLibrary().library;
}

const QStringList& fittingLibraryFaults() {
    return embeddedLibrary().faults;
}

} // namespace files
