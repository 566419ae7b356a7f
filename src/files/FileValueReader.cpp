#include "files/FileValueReader.h"

#include <string>

#include "files/NumberText.h"

namespace condsim {

namespace {

constexpr char endOfFileMark = 26;
constexpr size_t maximumTokenLength = 64;
// Exponents beyond this are outside every extended value; keeping the accumulator
// bounded avoids integer overflow on long exponent runs.
constexpr long exponentSaturation = 100000;

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence of two to four bytes at the start of
// text, or 0 when there is none.
size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    // Overlong forms, surrogates and values beyond U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) {
        return 0;
    }
    return length;
}

}  // namespace

bool parseFileToken(std::string_view token, ext& value) {
    size_t i = 0;
    const size_t n = token.size();
    bool negative = false;
    if (i < n && (token[i] == '+' || token[i] == '-')) {
        negative = token[i++] == '-';
        if (i == n) return false;  // a sign must be followed by something
    }
    std::string digits;
    while (i < n && isDigit(token[i])) digits += token[i++];
    long fractionDigits = 0;
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && isDigit(token[i])) {
            digits += token[i++];
            ++fractionDigits;
        }
    }
    long exponent = 0;
    if (i < n && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (token[i] == '+' || token[i] == '-')) negativeExponent = token[i++] == '-';
        if (i == n || !isDigit(token[i])) return false;
        while (i < n && isDigit(token[i])) {
            if (exponent < exponentSaturation) exponent = exponent * 10 + (token[i] - '0');
            ++i;
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return false;
    bool overflow = false;
    value = detail::scaledDigits(digits, exponent - fractionDigits, negative, overflow);
    return !overflow;
}

FileValueReader::FileValueReader(std::string_view content) : content_(content) {
    if (content_.substr(0, utf8ByteOrderMark.size()) == utf8ByteOrderMark)
        position_ = utf8ByteOrderMark.size();
}

void FileValueReader::advance() {
    const char c = content_[position_++];
    const bool crBefore = position_ >= 2 && content_[position_ - 2] == '\r';
    if (c == '\r' || (c == '\n' && !crBefore)) ++line_;
}

bool FileValueReader::atEnd() const {
    return position_ >= content_.size() || content_[position_] == endOfFileMark;
}

bool FileValueReader::onlyBlanksRemain() const {
    for (size_t i = position_; i < content_.size(); ++i) {
        if (content_[i] == endOfFileMark) return true;
        if (!isBlank(content_[i])) return false;
    }
    return true;
}

ext FileValueReader::readValue() {
    while (!atEnd() && isBlank(content_[position_])) advance();
    if (atEnd()) return 0;
    valueLine_ = line_;
    const size_t start = position_;
    // A token holds no line end, so its characters need no counting.
    while (position_ < content_.size() && !isBlank(content_[position_])) ++position_;
    const std::string_view token = content_.substr(start, position_ - start);
    valueToken_ = token;
    ext value = 0;
    if (token.size() > maximumTokenLength || !parseFileToken(token, value)) {
        value = 0;
        if (!invalidInput_) {
            invalidToken_ = token;
            invalidTokenLine_ = line_;
        }
        invalidInput_ = true;
    }
    return value;
}

void FileValueReader::skipToNextLine() {
    while (position_ < content_.size()) {
        const char c = content_[position_];
        advance();
        if (c == '\n') return;
        if (c == '\r') {
            if (position_ < content_.size() && content_[position_] == '\n') advance();
            return;
        }
    }
}

std::string shownToken(std::string_view token) {
    constexpr size_t shownLength = 64;
    const std::string_view shown = token.substr(0, shownLength);
    std::string text;
    for (size_t i = 0; i < shown.size();) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        if (byte > 32 && byte < 127) {
            text += shown[i++];
            continue;
        }
        if (const size_t length = utf8SequenceLength(shown.substr(i)); length > 0) {
            text += shown.substr(i, length);
            i += length;
            continue;
        }
        constexpr char hex[] = "0123456789ABCDEF";
        text += "\\x";
        text += hex[byte >> 4];
        text += hex[byte & 15];
        ++i;
    }
    if (token.size() > shownLength) text += "...";
    return text;
}

}  // namespace condsim
