#include "files/SessionFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/Error.h"
#include "core/ReleaseInfo.h"
#include "files/TextFile.h"

namespace condsim {

using nlohmann::ordered_json;

void refuseSession(const std::string& fileName, const std::string& key, const std::string& why) {
    throw Error("The session " + fileName + " cannot be opened: " + key + ": " + why);
}

std::string exactText(ext value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%La", value);
    return buffer;
}

std::optional<ext> exactValue(const std::string& text) {
    // Only the hexadecimal form this file writes: a decimal text here would be rounded.
    const auto start = text.find_first_not_of("+-");
    if (start == std::string::npos || text.compare(start, 2, "0x") != 0 || start > 1) return {};
    char* end = nullptr;
    const ext value = std::strtold(text.c_str(), &end);
    // A value beyond the range of the type reads as an infinity: no number of a window.
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return {};
    return value;
}

namespace {

ordered_json numberJson(const SessionNumber& number) {
    if (!number.exact) return number.text;
    return ordered_json{{"text", number.text}, {"exact", exactText(*number.exact)}};
}

ordered_json pairsJson(const std::vector<std::array<SessionNumber, 2>>& rows) {
    ordered_json list = ordered_json::array();
    for (const auto& row : rows) list.push_back({numberJson(row[0]), numberJson(row[1])});
    return list;
}

// A value on one line, with a blank after each comma and colon.
std::string oneLine(const ordered_json& value) {
    if (value.is_object()) {
        std::string text = "{";
        for (auto item = value.begin(); item != value.end(); ++item)
            text += (item == value.begin() ? "" : ", ") + ordered_json(item.key()).dump() + ": " +
                    oneLine(item.value());
        return text + "}";
    }
    if (value.is_array()) {
        std::string text = "[";
        for (size_t i = 0; i < value.size(); ++i) text += (i == 0 ? "" : ", ") + oneLine(value[i]);
        return text + "]";
    }
    return value.dump();
}

// Objects and lists a line per member, except where the whole fits on one short line, so
// that a pair of the observed data or a row of the constants table is one line.
void writeReadable(const ordered_json& value, int indent, std::string& out) {
    constexpr size_t shortLine = 72;
    const std::string flat = oneLine(value);
    if (!value.is_structured() || value.empty() || flat.size() + indent <= shortLine) {
        out += flat;
        return;
    }
    const std::string inner(static_cast<size_t>(indent + 2), ' ');
    out += value.is_object() ? "{\n" : "[\n";
    size_t i = 0;
    for (auto item = value.begin(); item != value.end(); ++item, ++i) {
        out += inner;
        if (value.is_object()) out += ordered_json(item.key()).dump() + ": ";
        writeReadable(item.value(), indent + 2, out);
        out += i + 1 < value.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<size_t>(indent), ' ') + (value.is_object() ? "}" : "]");
}

std::string keyOf(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
}

// Reading, each value under the path of its key so that a refusal names it.
class Reader {
  public:
    explicit Reader(std::string fileName) : fileName_(std::move(fileName)) {}

    [[noreturn]] void refuse(const std::string& key, const std::string& why) const {
        refuseSession(fileName_, key, why);
    }

    const ordered_json& member(const ordered_json& object, const std::string& path,
                               const std::string& name, ordered_json::value_t kind,
                               const char* kindName) const {
        const std::string key = keyOf(path, name);
        const auto found = object.find(name);
        if (found == object.end()) refuse(key, "missing");
        if (found->type() != kind &&
            !(kind == ordered_json::value_t::number_integer && found->is_number_unsigned()))
            refuse(key, std::string("must be ") + kindName);
        return *found;
    }
    const ordered_json& object(const ordered_json& in, const std::string& path,
                               const std::string& name) const {
        return member(in, path, name, ordered_json::value_t::object, "an object");
    }
    std::string text(const ordered_json& in, const std::string& path,
                     const std::string& name) const {
        return member(in, path, name, ordered_json::value_t::string, "a text in quotes")
            .get<std::string>();
    }
    bool flag(const ordered_json& in, const std::string& path, const std::string& name) const {
        return member(in, path, name, ordered_json::value_t::boolean, "true or false").get<bool>();
    }
    int whole(const ordered_json& in, const std::string& path, const std::string& name) const {
        const auto& value =
            member(in, path, name, ordered_json::value_t::number_integer, "a whole number");
        const long long wide = value.is_number_unsigned()
                                   ? static_cast<long long>(std::min<unsigned long long>(
                                         value.get<unsigned long long>(), 1000001))
                                   : value.get<long long>();
        if (wide < -1000000 || wide > 1000000) refuse(keyOf(path, name), "out of range");
        return static_cast<int>(wide);
    }
    std::string choice(const ordered_json& in, const std::string& path, const std::string& name,
                       const std::vector<std::string>& choices) const {
        std::string value = text(in, path, name);
        std::string names;
        for (const std::string& c : choices) {
            if (value == c) return value;
            names += (names.empty() ? "" : ", ") + c;
        }
        refuse(keyOf(path, name), "'" + value + "' is not one of " + names);
    }
    SessionNumber number(const ordered_json& value, const std::string& key) const {
        if (value.is_string()) return {value.get<std::string>(), std::nullopt};
        if (!value.is_object())
            refuse(key, "must be a text in quotes, or {\"text\": ..., \"exact\": ...}");
        SessionNumber number{text(value, key, "text"), std::nullopt};
        const std::string exact = text(value, key, "exact");
        number.exact = exactValue(exact);
        if (!number.exact) refuse(key + ".exact", "'" + exact + "' is not an exact value");
        return number;
    }
    SessionNumber number(const ordered_json& in, const std::string& path,
                         const std::string& name) const {
        const std::string key = keyOf(path, name);
        if (!in.contains(name)) refuse(key, "missing");
        return number(in.at(name), key);
    }
    std::vector<std::array<SessionNumber, 2>> pairs(const ordered_json& in, const std::string& path,
                                                    const std::string& name) const {
        const auto& list = member(in, path, name, ordered_json::value_t::array, "a list");
        std::vector<std::array<SessionNumber, 2>> rows;
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string key = keyOf(path, name) + "[" + std::to_string(i) + "]";
            if (!list[i].is_array() || list[i].size() != 2) refuse(key, "must be a list of two");
            rows.push_back({number(list[i][0], key + "[0]"), number(list[i][1], key + "[1]")});
        }
        return rows;
    }

  private:
    std::string fileName_;
};

}  // namespace

std::string sessionText(const Session& s) {
    ordered_json json;
    json["format"] = sessionFormat;
    json["condsim"] = s.version;
    ordered_json observed;
    observed["file"] = s.dataFile;
    if (s.pairsInSession) observed["pairs"] = pairsJson(s.observed);
    if (s.imported) {
        const SessionImport& i = *s.imported;
        observed["import"] = {{"file", i.file},
                              {"separator", i.separator},
                              {"skip", i.skip},
                              {"decimalComma", i.decimalComma},
                              {"columns", {i.concentrationColumn, i.conductivityColumn}},
                              {"concentrationUnit", i.concentrationUnit},
                              {"density", i.density},
                              {"conductivityUnit", i.conductivityUnit}};
    }
    json["observed"] = observed;
    json["main"] = {{"n", s.n},
                    {"beta1", s.beta1},
                    {"alfa", s.alfa},
                    {"model1", s.model1},
                    {"MCA", s.MCA},
                    {"MCX", s.MCX},
                    {"points", s.points},
                    {"scale", s.scale},
                    {"plotRange", s.plotRange},
                    {"constantsSet", s.constantsSet},
                    {"constants", pairsJson(s.constants)}};
    ordered_json factors = ordered_json::array();
    for (const SessionNumber& value : s.factors.values) factors.push_back(numberJson(value));
    json["scalingFactors"] = {{"gradient", s.factors.gradient},
                              {"a", s.factors.a},
                              {"tableRows", s.factors.tableRows},
                              {"values", factors}};
    const SessionSolution& m = s.solution;
    json["solutionModel"] = {{"kind", m.kind},
                             {"ionSize", numberJson(m.ionSize)},
                             {"bjerrum", m.bjerrum},
                             {"solvent", m.solvent},
                             {"temperature", numberJson(m.temperature)},
                             {"permittivity", numberJson(m.permittivity)},
                             {"viscosity", numberJson(m.viscosity)}};
    json["fit"] = {{"parameters", s.fitParameters}, {"weights", s.fitWeights}};
    json["calculated"] = s.calculated;
    if (s.series) {
        ordered_json sets = ordered_json::array();
        for (const SeriesEntry& set : s.series->sets)
            sets.push_back(
                {{"file", set.dataFile}, {"temperature", set.temperature}, {"anion", set.anion}});
        json["temperatureSeries"] = {{"sets", sets},
                                     {"temperature", s.series->temperature},
                                     {"anion", s.series->anion},
                                     {"globalFit", s.series->globalFit},
                                     {"heatCapacity", s.series->heatCapacity}};
    }
    std::string text;
    writeReadable(json, 0, text);
    return text + "\n";
}

Session parseSession(const std::string& text, const std::string& fileName) {
    const Reader r(fileName);
    ordered_json json;
    try {
        json = ordered_json::parse(text);
    } catch (const ordered_json::parse_error& error) {
        // The library's message gives the line and column where the text stops being JSON.
        std::string why = error.what();
        if (const auto colon = why.find("parse error"); colon != std::string::npos)
            why = why.substr(colon);
        r.refuse("(the whole file)", "not a JSON text (" + why + ")");
    }
    if (!json.is_object()) r.refuse("(the whole file)", "not a session: no JSON object");
    Session s;
    const int format = r.whole(json, "", "format");
    if (format > sessionFormat) {
        // The version that wrote it, where it says; the refusal needs nothing else.
        const auto writer = json.find("condsim");
        s.version = writer != json.end() && writer->is_string()
                        ? writer->get<std::string>()
                        : "of format " + std::to_string(format);
        r.refuse("format", "format " + std::to_string(format) + " was written by condsim " +
                               s.version + "; this condsim " + programVersion + " reads format " +
                               std::to_string(sessionFormat) + ": open it with condsim " +
                               s.version + " or newer");
    }
    if (format < 1) r.refuse("format", "format " + std::to_string(format) + " does not exist");
    s.version = r.text(json, "", "condsim");

    const auto& observed = r.object(json, "", "observed");
    s.dataFile = r.text(observed, "observed", "file");
    s.pairsInSession = observed.contains("pairs");
    if (s.pairsInSession) s.observed = r.pairs(observed, "observed", "pairs");
    if (observed.contains("import")) {
        const auto& i = r.object(observed, "observed", "import");
        const std::string p = "observed.import";
        SessionImport imported;
        imported.file = r.text(i, p, "file");
        imported.separator = r.choice(i, p, "separator", {"space", "comma", "semicolon", "tab"});
        imported.skip = r.whole(i, p, "skip");
        imported.decimalComma = r.choice(i, p, "decimalComma", {"auto", "yes", "no"});
        const auto& columns = r.member(i, p, "columns", ordered_json::value_t::array, "a list");
        if (columns.size() != 2 || !columns[0].is_number_integer() ||
            !columns[1].is_number_integer())
            r.refuse(p + ".columns", "must be a list of two whole numbers");
        imported.concentrationColumn = columns[0].get<int>();
        imported.conductivityColumn = columns[1].get<int>();
        imported.concentrationUnit =
            r.choice(i, p, "concentrationUnit", {"mol/L", "mmol/L", "mol/kg"});
        imported.density = r.text(i, p, "density");
        imported.conductivityUnit = r.choice(
            i, p, "conductivityUnit", {"S/cm", "mS/cm", "uS/cm", "S/m", "molar", "equivalent"});
        s.imported = imported;
    }

    const auto& main = r.object(json, "", "main");
    s.n = r.whole(main, "main", "n");
    s.beta1 = r.text(main, "main", "beta1");
    s.alfa = r.whole(main, "main", "alfa");
    s.model1 = r.flag(main, "main", "model1");
    s.MCA = r.text(main, "main", "MCA");
    s.MCX = r.text(main, "main", "MCX");
    s.points = r.whole(main, "main", "points");
    s.scale = r.whole(main, "main", "scale");
    const auto& range = r.member(main, "main", "plotRange", ordered_json::value_t::array, "a list");
    if (range.size() != 4) r.refuse("main.plotRange", "must be a list of four texts");
    for (size_t i = 0; i < 4; ++i) {
        if (!range[i].is_string())
            r.refuse("main.plotRange[" + std::to_string(i) + "]", "must be a text in quotes");
        s.plotRange[i] = range[i].get<std::string>();
    }
    s.constantsSet = r.flag(main, "main", "constantsSet");
    s.constants = r.pairs(main, "main", "constants");

    const auto& factors = r.object(json, "", "scalingFactors");
    s.factors.gradient = r.whole(factors, "scalingFactors", "gradient");
    s.factors.a = r.text(factors, "scalingFactors", "a");
    s.factors.tableRows = r.whole(factors, "scalingFactors", "tableRows");
    const auto& values =
        r.member(factors, "scalingFactors", "values", ordered_json::value_t::array, "a list");
    for (size_t i = 0; i < values.size(); ++i)
        s.factors.values.push_back(
            r.number(values[i], "scalingFactors.values[" + std::to_string(i) + "]"));

    const auto& model = r.object(json, "", "solutionModel");
    const std::string p = "solutionModel";
    s.solution.kind = r.choice(model, p, "kind", {"ideal", "debye-huckel", "davies"});
    s.solution.ionSize = r.number(model, p, "ionSize");
    s.solution.bjerrum = r.flag(model, p, "bjerrum");
    s.solution.solvent = r.text(model, p, "solvent");
    s.solution.temperature = r.number(model, p, "temperature");
    s.solution.permittivity = r.number(model, p, "permittivity");
    s.solution.viscosity = r.number(model, p, "viscosity");

    const auto& fit = r.object(json, "", "fit");
    s.fitParameters = r.text(fit, "fit", "parameters");
    s.fitWeights = r.choice(fit, "fit", "weights", {"absolute", "relative"});
    s.calculated = r.flag(json, "", "calculated");
    if (json.contains("temperatureSeries")) {
        const std::string p = "temperatureSeries";
        const auto& series = r.object(json, "", p);
        SessionSeries& read = s.series.emplace();
        const auto& sets = r.member(series, p, "sets", ordered_json::value_t::array, "a list");
        for (size_t i = 0; i < sets.size(); ++i) {
            const std::string key = p + ".sets[" + std::to_string(i) + "]";
            if (!sets[i].is_object()) r.refuse(key, "must be an object");
            read.sets.push_back({r.text(sets[i], key, "file"), r.text(sets[i], key, "temperature"),
                                 r.text(sets[i], key, "anion")});
        }
        read.temperature = r.text(series, p, "temperature");
        read.anion = r.text(series, p, "anion");
        read.globalFit = r.choice(series, p, "globalFit", {"none", "free", "walden"});
        read.heatCapacity = r.flag(series, p, "heatCapacity");
    }
    return s;
}

Session readSessionFile(const std::string& fileName) {
    return parseSession(readTextFile(fileName), fullFileName(fileName));
}

void writeSessionFile(const std::string& fileName, const Session& session) {
    writeTextFileAtomically(fileName, sessionText(session));
}

}  // namespace condsim
