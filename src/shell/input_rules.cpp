#include "shell/input_rules.h"

#include <algorithm>

#include "core/cp1252.h"

namespace veltrano {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Byte offset of character index n in a UTF-8 text.
std::size_t ByteOffset(const std::string& utf8, std::size_t n) {
    return Utf8Left(utf8, n).size();
}

}  // namespace

std::string ToUpperText(const std::string& utf8) {
    std::string out = utf8;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0..U+00FE (à..þ) except U+00F7 (÷): one step back is the capital.
            const auto n = static_cast<unsigned char>(out[i + 1]);
            if (n >= 0xA0 && n <= 0xBE && n != 0xB7) out[i + 1] = static_cast<char>(n - 0x20);
            ++i;
        }
    }
    return out;
}

Typing FilterWholeNumber(const Typing& typed) {
    Typing out;
    const std::size_t cursorByte = ByteOffset(typed.text, typed.cursor);
    for (std::size_t i = 0; i < typed.text.size(); ++i) {
        const char c = typed.text[i];
        const bool keep = IsDigit(c) || (c == '-' && out.text.empty());
        if (keep) out.text.push_back(c);
        if (i + 1 == cursorByte) out.cursor = out.text.size();
    }
    if (cursorByte == 0) out.cursor = 0;
    return out;
}

Typing FormatAmountTyping(const std::string& before, const Typing& typed) {
    std::string raw = typed.text;
    const std::size_t cursorByte = std::min(ByteOffset(raw, typed.cursor), raw.size());
    // The characters of this edit end at the cursor; a "." among them is the
    // user's decimal separator, every other "." a group separator shown earlier.
    const std::size_t inserted = raw.size() > before.size() ? raw.size() - before.size() : 0;
    const std::size_t firstTyped = cursorByte >= inserted ? cursorByte - inserted : 0;
    for (std::size_t i = firstTyped; i < cursorByte; ++i) {
        if (raw[i] == '.') raw[i] = ',';
    }

    bool negative = false;
    bool comma = false;
    std::string integer;
    std::string fraction;
    std::size_t kept = 0;
    std::size_t keptBeforeCursor = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        bool keep = false;
        if (c == '-' && kept == 0) {
            negative = keep = true;
        } else if (c == ',' && !comma) {
            comma = keep = true;
        } else if (IsDigit(c)) {
            (comma ? fraction : integer).push_back(c);
            keep = true;
        }
        if (keep) {
            ++kept;
            if (i < cursorByte) ++keptBeforeCursor;
        }
    }

    std::string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) grouped.push_back('.');
        grouped.push_back(integer[i]);
    }
    Typing out;
    out.text = (negative ? "-" : "") + grouped + (comma ? "," : "") + fraction;
    // Put the cursor after as many kept characters as stood before it.
    std::size_t seen = 0;
    std::size_t pos = 0;
    while (pos < out.text.size() && seen < keptBeforeCursor) {
        if (out.text[pos] != '.') ++seen;
        ++pos;
    }
    out.cursor = pos;
    return out;
}

Typing ApplyInputRules(const FieldSpec& spec, const Typing& typed) {
    Typing out = typed;
    switch (spec.kind) {
        case FieldKind::Integer:
            out = FilterWholeNumber(typed);
            break;
        case FieldKind::Amount:
            out = FormatAmountTyping({}, typed);
            break;
        case FieldKind::Date:
            if (spec.maxLength == 0) out.text = Utf8Left(out.text, 10);
            break;
        case FieldKind::Time:
            if (spec.maxLength == 0) out.text = Utf8Left(out.text, 5);
            break;
        case FieldKind::Check:
            out.text.assign(1, out.text == "1" ? '1' : '0');
            break;
        default:
            break;
    }
    if (spec.letterCase == LetterCase::Upper) out.text = ToUpperText(out.text);
    if (spec.maxLength > 0) out.text = Utf8Left(out.text, static_cast<std::size_t>(spec.maxLength));
    out.cursor = std::min(out.cursor, Utf8Length(out.text));
    return out;
}

}  // namespace veltrano
