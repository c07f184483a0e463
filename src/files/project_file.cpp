#include "files/project_file.h"

#include "calc/roughness.h"
#include "files/qt_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <array>
#include <charconv>
#include <cmath>

namespace files {

namespace {

using ductsys::Column;

// The file's keys for the shapes and the kinds; the table shows their Chinese names.
constexpr std::array<const char*, 3> shapeKeys{"circular", "rectangular", "elliptic"};
constexpr std::array<const char*, 3> kindKeys{"main", "branch", "terminal"};
constexpr const char* autoSizeName = "auto";
// A cell that holds no valid value is kept as {"typed": "the text"}.
constexpr const char* typedKey = "typed";

// ---- Writing

// The shortest decimal that reads back to the same float through a double, as the file is
// read; the double's own digits where the float's shortest would round the other way.
double floatValue(float value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    double shortest = 0;
    std::from_chars(text.data(), end, shortest);
    return float(shortest) == value ? shortest : double(value);
}

QJsonValue typed(const std::string& cell) {
    return QJsonObject{{QLatin1String(typedKey), qString(cell)}};
}

QJsonValue numberCell(const std::string& cell, bool nonNegative) {
    const auto value = ductsys::cellNumber(ductsys::trimmed(cell).empty() ? "0" : cell);
    return value && !(nonNegative && *value < 0) ? QJsonValue(*value) : typed(cell);
}

template <std::size_t N, class Value>
QJsonValue nameCell(const std::string& cell, const std::array<const char*, N>& names,
                    std::optional<Value> value) {
    return value ? QJsonValue(QLatin1String(names[std::size_t(*value)])) : typed(cell);
}

QJsonValue sizeCellJson(const std::string& cell, std::optional<calc::DuctShape> shape) {
    if (ductsys::trimmed(cell) == ductsys::autoSize) {
        return QLatin1String(autoSizeName);
    }
    const auto sizes = ductsys::sizeNumbers(cell);
    if (!sizes || (shape && (*shape == calc::DuctShape::Circular) != (sizes->size() == 1))) {
        return typed(cell);
    }
    QJsonArray list;
    for (const double size : *sizes) {
        list.append(size);
    }
    return list;
}

QJsonArray fittingsArray(const std::vector<ductsys::FittingEntry>& fittings) {
    QJsonArray list;
    for (const ductsys::FittingEntry& fitting : fittings) {
        QJsonObject parameters;
        for (const auto& [name, value] : fitting.parameters) {
            parameters.insert(qString(name), value);
        }
        list.append(QJsonObject{{QLatin1String("type"), qString(fitting.id)},
                                {QLatin1String("parameters"), parameters},
                                {QLatin1String("count"), fitting.count},
                                {QLatin1String("zeta"), fitting.zeta}});
    }
    return list;
}

QJsonObject segmentObject(const ductsys::Segment& segment) {
    const auto& cells = segment.cells;
    QJsonObject object =
        QJsonDocument::fromJson(QByteArray::fromStdString(segment.unknownKeys)).object();
    const auto shape = ductsys::shapeOf(cells[Column::Shape]);
    object.insert(QLatin1String("id"), qString(cells[Column::Id]));
    object.insert(QLatin1String("upstream"), qString(cells[Column::Upstream]));
    object.insert(QLatin1String("flow"), ductsys::trimmed(cells[Column::Flow]).empty()
                                             ? QJsonValue(QJsonValue::Null)
                                             : numberCell(cells[Column::Flow], true));
    object.insert(QLatin1String("length"), numberCell(cells[Column::Length], true));
    object.insert(QLatin1String("shape"), nameCell(cells[Column::Shape], shapeKeys, shape));
    object.insert(QLatin1String("size"), sizeCellJson(cells[Column::Size], shape));
    if (!ductsys::trimmed(cells[Column::Kind]).empty()) {
        object.insert(QLatin1String("kind"), nameCell(cells[Column::Kind], kindKeys,
                                                      ductsys::kindOf(cells[Column::Kind])));
    }
    object.insert(QLatin1String("zeta"), numberCell(cells[Column::Zeta], false));
    object.insert(QLatin1String("terminalLoss"), numberCell(cells[Column::TerminalLoss], true));
    if (!cells[Column::Note].empty()) {
        object.insert(QLatin1String("note"), qString(cells[Column::Note]));
    }
    if (!segment.fittings.empty()) {
        object.insert(QLatin1String("fittings"), fittingsArray(segment.fittings));
    }
    return object;
}

QJsonObject settingsObject(const ductsys::Settings& s, QJsonObject object) {
    object.insert(QLatin1String("material"), qString(calc::materials[s.material].name));
    object.insert(QLatin1String("roughness"), floatValue(s.roughness));
    object.insert(QLatin1String("formula"), int(s.formula) + 1);
    object.insert(QLatin1String("density"), floatValue(s.density));
    object.insert(QLatin1String("viscosity"), floatValue(s.viscosity));
    object.insert(QLatin1String("velocityMain"), s.velocityLimits[0]);
    object.insert(QLatin1String("velocityBranch"), s.velocityLimits[1]);
    object.insert(QLatin1String("velocityTerminal"), s.velocityLimits[2]);
    object.insert(QLatin1String("maxFriction"), s.maxFriction);
    object.insert(QLatin1String("maxAspect"), s.maxAspect);
    object.insert(QLatin1String("balanceLimit"), s.balanceLimit);
    return object;
}

// ---- Reading

struct Refusal {
    QString reason;
};

// A number as a cell shows it: the shortest decimal that reads back to the same value,
// without an exponent.
std::string numberText(double value) {
    std::array<char, 400> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr;
    return {text.data(), end};
}

QString shortText(const QJsonValue& value) {
    const QString text =
        QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    return text.size() > 40 ? text.left(40) + QString::fromUtf8("…") : text;
}

// Reads the fields of one JSON object, naming the object in every refusal.
class Fields {
public:
    Fields(QJsonObject object, QString where)
        : object_(std::move(object))
        , where_(std::move(where)) {}

    bool has(const char* key) const { return object_.contains(QLatin1String(key)); }

    QJsonValue take(const char* key) {
        if (!has(key)) {
            refuse(QString::fromUtf8("缺少字段 \"%1\"").arg(QLatin1String(key)));
        }
        return object_.take(QLatin1String(key));
    }

    // The value, or undefined where the field is left out.
    QJsonValue takeIfPresent(const char* key) { return object_.take(QLatin1String(key)); }

    [[noreturn]] void refuse(const QString& problem) const {
        throw Refusal{where_ + QString::fromUtf8("：") + problem + QString::fromUtf8("。")};
    }

    [[noreturn]] void wrongType(const char* key, const QJsonValue& value,
                                const QString& expected) const {
        refuse(QString::fromUtf8("字段 \"%1\" 应为%2，文件中为 %3")
                   .arg(QLatin1String(key), expected, shortText(value)));
    }

    QString text(const char* key) {
        const QJsonValue value = take(key);
        if (!value.isString()) {
            wrongType(key, value, QString::fromUtf8("文字"));
        }
        return value.toString();
    }

    double number(const char* key, double minimum, double maximum, const QString& expected) {
        const QJsonValue value = take(key);
        if (!value.isDouble() || !(value.toDouble() >= minimum && value.toDouble() <= maximum)) {
            wrongType(key, value, expected);
        }
        return value.toDouble();
    }

    // A cell kept as the user typed it, or none if the value is not such an object.
    static std::optional<std::string> typedText(const QJsonValue& value) {
        const QJsonObject object = value.toObject();
        if (!value.isObject() || object.size() != 1 ||
            !object.value(QLatin1String(typedKey)).isString()) {
            return std::nullopt;
        }
        return object.value(QLatin1String(typedKey)).toString().toStdString();
    }

    // A number cell; a value left out reads as the fallback's text.
    std::string numberCell(const char* key, bool nonNegative, const char* fallback = nullptr) {
        if (fallback && !has(key)) {
            return fallback;
        }
        const QJsonValue value = take(key);
        if (auto kept = typedText(value)) {
            return *kept;
        }
        if (!value.isDouble() || (nonNegative && value.toDouble() < 0)) {
            wrongType(key, value, QString::fromUtf8(nonNegative ? "不小于 0 的数" : "数"));
        }
        return numberText(value.toDouble());
    }

    template <std::size_t N>
    std::string nameCell(const char* key, const std::array<const char*, N>& names,
                         std::string_view (*caption)(std::size_t), const char* expected) {
        const QJsonValue value = take(key);
        if (auto kept = typedText(value)) {
            return *kept;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (value == QLatin1String(names[i])) {
                return std::string(caption(i));
            }
        }
        wrongType(key, value, QString::fromUtf8(expected));
    }

    // Empty for null: the sum of the downstream segments' flows.
    std::string flowCell() {
        return has("flow") && object_.value(QLatin1String("flow")).isNull()
                   ? (take("flow"), std::string())
                   : numberCell("flow", true);
    }

    std::string readSizeCell(std::optional<calc::DuctShape> shape) {
        const QJsonValue value = take("size");
        if (auto kept = typedText(value)) {
            return *kept;
        }
        if (value == QLatin1String(autoSizeName)) {
            return std::string(ductsys::autoSize);
        }
        const QJsonArray sizes = value.toArray();
        const bool circular = shape && *shape == calc::DuctShape::Circular;
        const bool countFits =
            shape ? sizes.size() == (circular ? 1 : 2) : sizes.size() == 1 || sizes.size() == 2;
        const bool positive = std::all_of(sizes.begin(), sizes.end(), [](const QJsonValue& size) {
            return size.isDouble() && size.toDouble() > 0;
        });
        if (!value.isArray() || !countFits || !positive) {
            wrongType("size", value,
                      QString::fromUtf8(!shape     ? "\"auto\" 或一至两个正数的列表"
                                        : circular ? "\"auto\" 或 [直径]，直径为正数"
                                                   : "\"auto\" 或 [长边, 短边]，两边为正数"));
        }
        std::string cell = numberText(sizes[0].toDouble());
        if (sizes.size() == 2) {
            cell.append("×").append(numberText(sizes[1].toDouble()));
        }
        return cell;
    }

    // Each fitting: its type, its parameters by name, how many and the ζ of one.
    std::vector<ductsys::FittingEntry> fittings() {
        const QJsonValue value = take("fittings");
        std::vector<ductsys::FittingEntry> fittings;
        const QString expected = QString::fromUtf8(
            "管件的列表，每项有 \"type\"、\"parameters\"、\"count\"（正整数）和 \"zeta\"");
        for (const QJsonValue item : value.toArray()) {
            const QJsonObject entry = item.toObject();
            const QJsonValue count = entry.value(QLatin1String("count"));
            const QJsonObject parameters = entry.value(QLatin1String("parameters")).toObject();
            ductsys::FittingEntry fitting{
                entry.value(QLatin1String("type")).toString().toStdString(),
                {},
                count.toInt(),
                entry.value(QLatin1String("zeta")).toDouble()};
            const bool numbers =
                std::all_of(parameters.begin(), parameters.end(),
                            [](const QJsonValue& parameter) { return parameter.isDouble(); });
            if (!entry.value(QLatin1String("type")).isString() || !count.isDouble() ||
                count.toDouble() != fitting.count || fitting.count < 1 ||
                !entry.value(QLatin1String("zeta")).isDouble() || !numbers) {
                wrongType("fittings", item, expected);
            }
            for (auto parameter = parameters.begin(); parameter != parameters.end(); ++parameter) {
                fitting.parameters.emplace_back(parameter.key().toStdString(),
                                                parameter.value().toDouble());
            }
            fittings.push_back(std::move(fitting));
        }
        if (!value.isArray()) {
            wrongType("fittings", value, expected);
        }
        return fittings;
    }

    // What is left once every known field is taken, but for a key that would not read back
    // as itself: Qt's parser drops a U+FEFF inside a key, so "\uFEFFsettings" kept would be
    // written back as a second "settings".
    QJsonObject rest() const {
        QJsonObject kept;
        for (auto field = object_.begin(); field != object_.end(); ++field) {
            const QJsonObject alone{{field.key(), true}};
            if (QJsonDocument::fromJson(QJsonDocument(alone).toJson()).object() == alone) {
                kept.insert(field.key(), field.value());
            }
        }
        return kept;
    }

private:
    QJsonObject object_;
    QString where_;
};

std::string_view shapeCaption(std::size_t i) {
    return ductsys::shapeCell(calc::DuctShape(i));
}

std::string_view kindCaption(std::size_t i) {
    return ductsys::kindName(ductsys::SegmentKind(i));
}

ductsys::Segment readSegment(const QJsonValue& value, qsizetype index) {
    const QString place = QString::fromUtf8("第 %1 个管段").arg(index + 1);
    if (!value.isObject()) {
        throw Refusal{place + QString::fromUtf8("不是对象。")};
    }
    const QJsonValue id = value.toObject().value(QLatin1String("id"));
    Fields fields(value.toObject(),
                  id.isString() ? place + QString::fromUtf8("（编号“%1”）").arg(id.toString())
                                : place);
    ductsys::Segment segment;
    auto& cells = segment.cells;
    cells[Column::Id] = fields.text("id").toStdString();
    cells[Column::Upstream] = fields.text("upstream").toStdString();
    cells[Column::Flow] = fields.flowCell();
    cells[Column::Length] = fields.numberCell("length", true);
    cells[Column::Shape] = fields.nameCell("shape", shapeKeys, shapeCaption,
                                           "\"circular\"、\"rectangular\" 或 \"elliptic\"");
    cells[Column::Size] = fields.readSizeCell(ductsys::shapeOf(cells[Column::Shape]));
    if (fields.has("kind")) {
        cells[Column::Kind] =
            fields.nameCell("kind", kindKeys, kindCaption, "\"main\"、\"branch\" 或 \"terminal\"");
    }
    cells[Column::Zeta] = fields.numberCell("zeta", false, "0");
    cells[Column::TerminalLoss] = fields.numberCell("terminalLoss", true, "0");
    if (fields.has("note")) {
        cells[Column::Note] = fields.text("note").toStdString();
    }
    // A file without fittings, as every file of version 1, has its Σζ as typed.
    segment.fittings =
        fields.has("fittings") ? fields.fittings() : ductsys::typedFittings(cells[Column::Zeta]);
    if (!fields.rest().isEmpty()) {
        segment.unknownKeys =
            QJsonDocument(fields.rest()).toJson(QJsonDocument::Compact).toStdString();
    }
    return segment;
}

QString rangeText(ductsys::SettingRange range) {
    return QString::fromUtf8("%1 至 %2 之间的数").arg(range.minimum).arg(range.maximum);
}

// The air as the settings offer it, to the float.
void readAir(Fields& fields, const char* key, float& setting, ductsys::SettingRange range) {
    if (fields.has(key)) {
        const double value = fields.number(key, -HUGE_VAL, HUGE_VAL, rangeText(range));
        if (!range.holds(float(value))) {
            fields.wrongType(key, value, rangeText(range));
        }
        setting = float(value);
    }
}

void readLimit(Fields& fields, const char* key, double& setting, ductsys::SettingRange range) {
    if (fields.has(key)) {
        setting = fields.number(key, range.minimum, range.maximum, rangeText(range));
    }
}

// The K the calculator allows a material that is not 自定义, as a refusal states it.
QString materialRoughnessText(std::size_t material) {
    if (!calc::hasRoughnessBar(material)) {
        return qString(calc::materials[material].roughnessText) + QLatin1String(" mm");
    }
    const calc::RoughnessBar& bar = calc::roughnessBars[material];
    return QString::fromUtf8("%1 至 %2 mm，每档 %3 mm")
        .arg(qString(calc::roughnessStepText(material, bar.minimum)),
             qString(calc::roughnessStepText(material, bar.maximum)),
             qString(calc::roughnessStepText(material, 1)));
}

// The material by its caption; K is one the calculator gives the material, or any in range
// for 自定义 (a K alone means 自定义).
void readMaterial(Fields& fields, ductsys::Settings& s) {
    const bool roughnessGiven = fields.has("roughness");
    if (fields.has("material")) {
        const QString name = fields.text("material");
        const auto found =
            std::find_if(calc::materials.begin(), calc::materials.end(),
                         [&](const calc::Material& m) { return qString(m.name) == name; });
        if (found == calc::materials.end()) {
            fields.wrongType("material", name,
                             QString::fromUtf8("材料名称，如 \"薄钢板\" 或 \"自定义\""));
        }
        s.material = std::size_t(found - calc::materials.begin());
    } else if (roughnessGiven) {
        s.material = calc::customMaterial;
    }
    s.roughness = calc::storedValue(calc::materials[s.material].roughnessText);
    if (!roughnessGiven) {
        return;
    }
    double roughness = 0;
    readLimit(fields, "roughness", roughness, ductsys::roughnessRange);
    if (s.material != calc::customMaterial &&
        !calc::isMaterialRoughness(s.material, float(roughness))) {
        fields.refuse(
            QString::fromUtf8("粗糙度 %1 mm 与材料“%2”不符（应为 %3）")
                .arg(roughness)
                .arg(qString(calc::materials[s.material].name), materialRoughnessText(s.material)));
    }
    s.roughness = float(roughness);
}

ductsys::Settings readSettings(const QJsonValue& value, QJsonObject& unknown) {
    ductsys::Settings s;
    if (value.isUndefined()) {
        return s;
    }
    if (!value.isObject()) {
        throw Refusal{QString::fromUtf8("字段 \"settings\" 应为对象。")};
    }
    Fields fields(value.toObject(), QString::fromUtf8("设置"));
    readMaterial(fields, s);
    if (fields.has("formula")) {
        s.formula = calc::FrictionFormula(
            int(fields.number("formula", 1, 2, QString::fromUtf8("1 或 2"))) - 1);
    }
    readAir(fields, "density", s.density, ductsys::densityRange);
    readAir(fields, "viscosity", s.viscosity, ductsys::viscosityRange);
    readLimit(fields, "velocityMain", s.velocityLimits[0], ductsys::velocityLimitRange);
    readLimit(fields, "velocityBranch", s.velocityLimits[1], ductsys::velocityLimitRange);
    readLimit(fields, "velocityTerminal", s.velocityLimits[2], ductsys::velocityLimitRange);
    readLimit(fields, "maxFriction", s.maxFriction, ductsys::maxFrictionRange);
    readLimit(fields, "maxAspect", s.maxAspect, ductsys::maxAspectRange);
    readLimit(fields, "balanceLimit", s.balanceLimit, ductsys::balanceLimitRange);
    unknown = fields.rest();
    return s;
}

// The line and column of a place in the text, counted as an editor counts them.
QString placeText(const QByteArray& text, qsizetype offset) {
    const QByteArray before = text.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QString::fromUtf8("第 %1 行第 %2 列")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

// Whether the parser ran out of text rather than met a wrong character: a number cut short,
// or a failure at the end that moves to the new end when a blank is added. A refused last
// character ("{]") keeps the failure where it was.
bool endsEarly(const QByteArray& text, const QJsonParseError& error) {
    if (error.error == QJsonParseError::TerminationByNumber) {
        return true;
    }
    QJsonParseError extended;
    QJsonDocument::fromJson(text + ' ', &extended);
    return error.offset >= text.size() && extended.offset > text.size();
}

QString jsonErrorText(const QByteArray& text, const QJsonParseError& error) {
    if (endsEarly(text, error)) {
        // Where an editor's end of file is.
        return QString::fromUtf8("文件不完整（在%1处中断）。").arg(placeText(text, text.size()));
    }
    // Qt's offset is past the offending character, except for garbage after the end.
    const int offset =
        error.error == QJsonParseError::GarbageAtEnd ? error.offset : error.offset - 1;
    return QString::fromUtf8("文件不是有效的 JSON：%1有错误。").arg(placeText(text, offset));
}

} // namespace

QByteArray projectBytes(const Project& project) {
    QJsonObject root = project.unknownKeys.file;
    root.insert(QLatin1String("format"), QLatin1String(projectFormat));
    root.insert(QLatin1String("version"), projectVersion);
    root.insert(QLatin1String("settings"),
                settingsObject(project.settings, project.unknownKeys.settings));
    QJsonArray segments;
    for (const ductsys::Segment& segment : project.segments) {
        segments.append(segmentObject(segment));
    }
    root.insert(QLatin1String("segments"), segments);
    // Qt orders an object's keys by how it holds them, which differs between inserted and
    // parsed keys that are not ASCII. Written in the parser's order, a file saves again to
    // the same bytes.
    const QByteArray compact = QJsonDocument(root).toJson(QJsonDocument::Compact);
    return QJsonDocument::fromJson(compact).toJson(QJsonDocument::Indented);
}

std::variant<Project, QString> readProject(const QByteArray& bytes) {
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (text.trimmed().isEmpty()) {
        return QString::fromUtf8("文件是空的。");
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        return jsonErrorText(text, error);
    }
    const QJsonObject root = document.object();
    if (!document.isObject() ||
        root.value(QLatin1String("format")) != QLatin1String(projectFormat)) {
        return QString::fromUtf8("文件不是风管系统文件（应有 \"format\": \"%1\"）。")
            .arg(QLatin1String(projectFormat));
    }
    try {
        Fields fields(root, QString::fromUtf8("文件"));
        fields.take("format");
        const QString whole = QString::fromUtf8("不小于 1 的整数");
        const double version = fields.number("version", 1, HUGE_VAL, whole);
        if (version != std::floor(version)) {
            fields.wrongType("version", version, whole);
        }
        if (version > projectVersion) {
            return QString::fromUtf8(
                       "此文件由更新版本的程序保存（文件格式版本 %1，本程序只能读取版本 %2），"
                       "请升级程序后再打开。")
                .arg(version)
                .arg(projectVersion);
        }
        Project project;
        project.settings =
            readSettings(fields.takeIfPresent("settings"), project.unknownKeys.settings);
        const QJsonValue segments = fields.take("segments");
        if (!segments.isArray()) {
            fields.wrongType("segments", segments, QString::fromUtf8("管段的列表"));
        }
        const QJsonArray list = segments.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            project.segments.push_back(readSegment(list[i], i));
        }
        project.unknownKeys.file = fields.rest();
        return project;
    } catch (const Refusal& refusal) {
        return refusal.reason;
    }
}

} // namespace files
