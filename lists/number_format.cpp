#include "lists/number_format.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string General(double value) {
    if (!std::isfinite(value)) return "#NUM!";
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char text[32];
        std::snprintf(text, sizeof text, "%.0f", value);
        return text;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// The code with bracketed parts ([Red], [$-411]) and repeat/space markers taken out, quoted and
// escaped characters kept as literals (marked by a preceding '\').
std::string Normalise(std::string_view code) {
    const std::size_t section = code.find(';');
    code = code.substr(0, section);
    std::string out;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '[') {
            const std::size_t close = code.find(']', i);
            if (close == std::string_view::npos) break;
            i = close;
        } else if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? code.size() : close;
            for (std::size_t k = i + 1; k < end; ++k) out += std::string("\\") + code[k];
            i = end;
        } else if (c == '\\' && i + 1 < code.size()) {
            out += '\\';
            out += code[++i];
        } else if ((c == '_' || c == '*') && i + 1 < code.size()) {
            if (c == '_') out += "\\ ";
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// Letters outside literals, lower-cased; literals as '\' + byte.
bool HasUnquoted(const std::string& code, std::string_view letters) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '\\') {
            ++i;
            continue;
        }
        const char lower = static_cast<char>(code[i] >= 'A' && code[i] <= 'Z' ? code[i] + 32 : code[i]);
        if (letters.find(lower) != std::string_view::npos) return true;
    }
    return false;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(long long days, long long& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

std::string Padded(long long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string FormatDate(double value, const std::string& code) {
    if (!std::isfinite(value) || value < 0 || value > 2958466) return General(value);
    // Serial day 25569 is 1970-01-01; seconds rounded to the nearest.
    auto seconds = static_cast<long long>(std::llround(value * 86400.0));
    const long long days = seconds / 86400 - 25569;
    seconds %= 86400;
    long long year;
    unsigned month, day;
    CivilFromDays(days, year, month, day);
    std::string out;
    bool afterHour = false;  // "m" after "h" is minutes
    for (std::size_t i = 0; i < code.size();) {
        if (code[i] == '\\') {
            if (i + 1 < code.size()) out += code[i + 1];
            i += 2;
            continue;
        }
        const char lower = static_cast<char>(code[i] >= 'A' && code[i] <= 'Z' ? code[i] + 32 : code[i]);
        std::size_t run = 1;
        while (i + run < code.size() && (code[i + run] | 0x20) == lower) ++run;
        switch (lower) {
            case 'y': out += run <= 2 ? Padded(year % 100, 2) : std::to_string(year); break;
            case 'm':
                out += afterHour ? Padded(seconds / 60 % 60, run) : Padded(month, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'd': out += Padded(day, run >= 2 ? 2 : 1); break;
            case 'h': out += Padded(seconds / 3600, run >= 2 ? 2 : 1); afterHour = true; break;
            case 's': out += Padded(seconds % 60, 2); break;
            default: out.append(code, i, run); break;
        }
        i += run;
    }
    return out;
}

std::string GroupThousands(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// Digit patterns: literal text, then 0/#/,/. and %, then literal text.
std::string FormatDigits(double value, const std::string& code) {
    std::string prefix, suffix;
    std::size_t minInteger = 0, decimals = 0;
    bool grouping = false, percent = false, inNumber = false, afterNumber = false, afterPoint = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        std::string& literal = inNumber || afterNumber ? suffix : prefix;
        if (c == '\\') {
            if (i + 1 < code.size()) literal += code[++i];
            if (inNumber) afterNumber = true, inNumber = false;
        } else if ((c == '0' || c == '#' || c == ',' || c == '.') && !afterNumber) {
            inNumber = true;
            if (c == '.') afterPoint = true;
            else if (c == ',') grouping = true;
            else if (afterPoint) ++decimals;
            else if (c == '0') ++minInteger;
        } else if (c == '%') {
            percent = true;
            literal += c;
        } else {
            if (inNumber) afterNumber = true, inNumber = false;
            literal += c;
        }
    }
    if (percent) value *= 100;
    // Halves round away from zero, as spreadsheets show them (printf would round to even).
    const double scale = std::pow(10.0, static_cast<double>(decimals));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", static_cast<int>(decimals), std::round(std::fabs(value) * scale) / scale);
    std::string number = text;
    const std::size_t point = number.find('.');
    std::string integer = number.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : number.substr(point);
    if (integer == "0" && minInteger == 0) integer.clear();
    if (integer.size() < minInteger) integer.insert(0, minInteger - integer.size(), '0');
    if (grouping) integer = GroupThousands(integer);
    const bool negative = value < 0 && number.find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + prefix + integer + fraction + suffix;
}

}  // namespace

std::string_view BuiltInNumberFormat(int id) {
    switch (id) {
        case 1: return "0";
        case 2: return "0.00";
        case 3: return "#,##0";
        case 4: return "#,##0.00";
        case 9: return "0%";
        case 10: return "0.00%";
        case 14: return "yyyy/m/d";
        case 15: return "d-mmm-yy";
        case 16: return "d-mmm";
        case 17: return "mmm-yy";
        case 18: case 20: case 32: return "h:mm";
        case 19: case 21: case 33: return "h:mm:ss";
        case 22: return "yyyy/m/d h:mm";
        case 27: case 30: case 31: case 34: case 35: case 36:
        case 50: case 51: case 52: case 53: case 54: case 57: case 58: return "yyyy/m/d";
        case 37: return "#,##0";
        case 38: case 39: case 40: return "#,##0.00";
        case 45: return "mm:ss";
        case 46: return "h:mm:ss";
        default: return "General";
    }
}

std::string FormatCellNumber(double value, std::string_view formatCode) {
    const std::string code = Normalise(formatCode);
    if (code.empty() || code == "General" || code == "general" || code == "@") return General(value);
    if (HasUnquoted(code, "ymdhs")) return FormatDate(value, code);
    if (HasUnquoted(code, "e?/")) return General(value);
    if (HasUnquoted(code, "0#")) return FormatDigits(value, code);
    return General(value);
}
