#include "sim/SimMenuParser.h"

#include <map>
#include <utility>
#include <vector>

#include "sim/WireText.h"

namespace {
struct ParseError {
    std::string m_strText;
};

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

std::vector<std::string> SplitSemicolons(const std::string& line) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t semi; (semi = line.find(';', start)) != std::string::npos; start = semi + 1)
        parts.push_back(Trim(line.substr(start, semi - start)));
    parts.push_back(Trim(line.substr(start)));
    return parts;
}

bool LooksLikeName(const std::string& text) {
    return text.size() >= 2 && text[0] == 'P' && text[1] >= '0' && text[1] <= '9';
}

bool BeginsWithError(const std::string& text) {
    return text.compare(0, 5, "Error") == 0;
}

// Options of one line: key=value pairs and bare flags, in the order written.
struct Option {
    std::string m_strKey;
    std::string m_strValue;
    bool m_bHasValue = false;
};

class MenuParser {
public:
    CSimMenu Parse(const std::string& text);

private:
    void ParseLine(const std::string& line);
    void ParseItem(const std::string& keyword, const std::string& name, const std::vector<Option>& options);
    void ApplyOption(CSimItem& item, const Option& option, std::map<std::string, std::string>& numbers);
    void ApplyNumbers(CSimItem& item, const std::map<std::string, std::string>& numbers);
    void CheckValueTexts(const CSimItem& item, int index);
    void ResolveWhen();
    std::string Encode(const std::string& utf8, const char* what);
    CSimDecimal Number(const std::string& text, const char* key, int* fractionDigits = nullptr);
    [[noreturn]] void Fail(const std::string& text) const {
        throw ParseError{"line " + std::to_string(m_nLine) + ": " + text};
    }

    CSimMenu m_menu;
    std::vector<int> m_open;            // the sub-menus not yet closed by `end`
    std::map<int, std::string> m_when;  // item -> "PNAME=DECIMAL", resolved at the end
    int m_nLine = 0;
};

CSimMenu MenuParser::Parse(const std::string& text) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++m_nLine;
        ParseLine(text.substr(start, end - start));
        start = end + 1;
    }
    if (!m_open.empty()) {
        m_nLine = m_menu.m_items[m_open.back()].m_nLine;
        Fail("menu \"" + m_menu.m_items[m_open.back()].m_strName + "\" has no `end`");
    }
    if (m_menu.m_top.empty())
        throw ParseError{"the menu has no items"};
    ResolveWhen();
    if (m_menu.m_nStart < 0)
        m_menu.m_nStart = m_menu.m_top.front();
    return std::move(m_menu);
}

void MenuParser::ParseLine(const std::string& raw) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#')
        return;
    const std::vector<std::string> parts = SplitSemicolons(line);
    const std::string& head = parts.front();
    const auto space = head.find_first_of(" \t");
    const std::string keyword = head.substr(0, space);
    const std::string name = space == std::string::npos ? std::string() : Trim(head.substr(space));
    std::vector<Option> options;
    for (size_t i = 1; i < parts.size(); ++i) {
        const auto eq = parts[i].find('=');
        if (eq == std::string::npos)
            options.push_back({parts[i], {}, false});
        else
            options.push_back({Trim(parts[i].substr(0, eq)), Trim(parts[i].substr(eq + 1)), true});
    }
    if (keyword == "end") {
        if (!name.empty() || !options.empty())
            Fail("`end` takes nothing after it");
        if (m_open.empty())
            Fail("`end` without an open menu");
        if (m_menu.m_items[m_open.back()].m_children.empty())
            Fail("menu \"" + m_menu.m_items[m_open.back()].m_strName + "\" has no items");
        m_open.pop_back();
        return;
    }
    if (keyword != "param" && keyword != "menu")
        Fail("expected `param`, `menu` or `end`, not \"" + keyword + "\"");
    ParseItem(keyword, name, options);
}

void MenuParser::ParseItem(const std::string& keyword, const std::string& name,
                           const std::vector<Option>& options) {
    CSimItem item;
    item.m_nLine = m_nLine;
    item.m_bMenu = keyword == "menu";
    item.m_strName = Encode(name, "name");
    if (!LooksLikeName(item.m_strName))
        Fail("name \"" + name + "\" must begin with \"P\" and a digit");
    if (item.m_strName.size() > kNameFieldWidth)
        Fail("name \"" + name + "\" is longer than 16 bytes");
    if (m_menu.Find(item.m_strName) >= 0)
        Fail("name \"" + name + "\" is used twice");
    item.m_nParent = m_open.empty() ? -1 : m_open.back();
    const int index = static_cast<int>(m_menu.m_items.size());

    std::map<std::string, std::string> numbers;
    for (const Option& option : options)
        ApplyOption(item, option, numbers);
    if (item.m_bMenu && !numbers.empty())
        Fail("a menu takes only `when` and `start`");
    if (!item.m_bMenu)
        ApplyNumbers(item, numbers);

    m_menu.m_items.push_back(std::move(item));
    (m_open.empty() ? m_menu.m_top : m_menu.m_items[m_open.back()].m_children).push_back(index);
    if (!m_menu.m_items[index].m_bMenu)
        CheckValueTexts(m_menu.m_items[index], index);
    if (keyword == "menu")
        m_open.push_back(index);
}

void MenuParser::ApplyOption(CSimItem& item, const Option& option,
                             std::map<std::string, std::string>& numbers) {
    const std::string& key = option.m_strKey;
    const bool isFlag = key == "readonly" || key == "comma" || key == "start" || key == "last";
    if (isFlag == option.m_bHasValue)
        Fail(isFlag ? "`" + key + "` takes no value" : "unknown flag or missing value: \"" + key + "\"");
    if (key == "start") {
        if (m_menu.m_nStart >= 0)
            Fail("a second `start` item");
        m_menu.m_nStart = static_cast<int>(m_menu.m_items.size());
    } else if (key == "when") {
        m_when[static_cast<int>(m_menu.m_items.size())] = option.m_strValue;
    } else if (key == "last") {
        item.m_bLast = true;
    } else if (item.m_bMenu) {
        Fail("a menu takes only `when`, `start` and `last`");
    } else if (key == "readonly") {
        item.m_bReadOnly = true;
    } else if (key == "comma") {
        item.m_bComma = true;
    } else if (key == "unit") {
        item.m_strUnit = Encode(option.m_strValue, "unit");
    } else if (key == "error") {
        item.m_strError = Encode(option.m_strValue, "error text");
    } else if (key == "text") {
        item.m_strText = Encode(option.m_strValue, "text");
    } else if (key == "value" || key == "step" || key == "min" || key == "max" || key == "decimals") {
        if (numbers.count(key) != 0)
            Fail("`" + key + "` given twice");
        numbers[key] = option.m_strValue;
    } else {
        Fail("unknown key \"" + key + "\"");
    }
}

void MenuParser::ApplyNumbers(CSimItem& item, const std::map<std::string, std::string>& numbers) {
    if (!item.m_strError.empty() && !item.m_strText.empty())
        Fail("`error` and `text` exclude each other");
    const bool numeric = item.m_strError.empty() && item.m_strText.empty();
    if (numeric && numbers.count("value") == 0)
        Fail("parameter \"" + item.m_strName + "\" needs a `value` (or an `error` or `text`)");
    if (!numeric && !numbers.empty())
        Fail("a parameter with `error` or `text` takes no numbers");
    if (!numeric)
        return;
    int valueDigits = 0;
    item.m_value = Number(numbers.at("value"), "value", &valueDigits);
    item.m_nDecimals = valueDigits;
    if (const auto it = numbers.find("decimals"); it != numbers.end()) {
        const std::string& d = it->second;
        if (d.size() != 1 || d[0] < '0' || d[0] > '0' + CSimDecimal::kMaxDecimals)
            Fail("`decimals` must be 0 to 6");
        item.m_nDecimals = d[0] - '0';
    }
    if (const auto it = numbers.find("step"); it != numbers.end())
        item.m_step = Number(it->second, "step");
    if (const auto it = numbers.find("min"); it != numbers.end()) {
        item.m_min = Number(it->second, "min");
        item.m_bHasMin = true;
    }
    if (const auto it = numbers.find("max"); it != numbers.end()) {
        item.m_max = Number(it->second, "max");
        item.m_bHasMax = true;
    }
    if (item.m_step <= CSimDecimal())
        Fail("`step` must be above 0");
    if ((item.m_bHasMin && item.m_value < item.m_min) || (item.m_bHasMax && item.m_value > item.m_max))
        Fail("`value` lies outside `min`..`max`");
    for (const CSimDecimal number : {item.m_value, item.m_step, item.m_min, item.m_max}) {
        if (!number.FitsDecimals(item.m_nDecimals))
            Fail("a number has more digits after the point than `decimals` shows");
    }
}

void MenuParser::CheckValueTexts(const CSimItem& item, int index) {
    if (!item.m_strError.empty()) {
        if (!BeginsWithError(item.m_strError))
            Fail("an error text must begin with \"Error\"");
        if (item.m_strError.size() > kErrorFieldWidth)
            Fail("an error text is at most 17 bytes");
        return;
    }
    if (!item.m_strText.empty() && (LooksLikeName(item.m_strText) || BeginsWithError(item.m_strText)))
        Fail("a `text` value must not look like a name or an error");
    std::vector<CSimDecimal> shown = {item.m_value};
    if (item.m_bHasMin)
        shown.push_back(item.m_min);
    if (item.m_bHasMax)
        shown.push_back(item.m_max);
    for (const CSimDecimal value : shown) {
        if (m_menu.ValueText(index, value).size() > kValueFieldWidth)
            Fail("value text \"" + m_menu.ValueText(index, value) + "\" is longer than 16 bytes");
    }
}

void MenuParser::ResolveWhen() {
    for (const auto& [index, condition] : m_when) {
        m_nLine = m_menu.m_items[index].m_nLine;
        const auto eq = condition.rfind('=');
        if (eq == std::string::npos)
            Fail("`when` needs PNAME=DECIMAL");
        const std::string name = Encode(Trim(condition.substr(0, eq)), "name");
        const int target = m_menu.Find(name);
        if (target < 0 || !m_menu.m_items[target].IsNumeric())
            Fail("`when` names \"" + name + "\", which is not a numeric parameter");
        m_menu.m_items[index].m_nWhenItem = target;
        m_menu.m_items[index].m_whenValue = Number(Trim(condition.substr(eq + 1)), "when");
    }
}

std::string MenuParser::Encode(const std::string& utf8, const char* what) {
    const auto encoded = Utf8ToWindows1252(utf8);
    if (!encoded)
        Fail(std::string(what) + " \"" + utf8 + "\" is not UTF-8 that Windows-1252 can show");
    for (const char c : *encoded) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            Fail(std::string(what) + " holds a control character");
    }
    if (encoded->empty())
        Fail(std::string(what) + " is empty");
    return *encoded;
}

CSimDecimal MenuParser::Number(const std::string& text, const char* key, int* fractionDigits) {
    const auto number = CSimDecimal::Parse(text, fractionDigits);
    if (!number)
        Fail("`" + std::string(key) + "` is not a decimal number: \"" + text + "\"");
    return *number;
}
}  // namespace

CSimMenuParse ParseSimMenu(const std::string& text) {
    CSimMenuParse result;
    try {
        result.m_menu = MenuParser().Parse(text);
    } catch (const ParseError& error) {
        result.m_strError = error.m_strText;
    }
    return result;
}
