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
    while (!atEnd() && isBlank(content_[position_])) ++position_;
    if (atEnd()) return 0;
    const size_t start = position_;
    while (position_ < content_.size() && position_ - start < maximumTokenLength &&
           !isBlank(content_[position_])) {
        ++position_;
    }
    ext value = 0;
    if (!parseFileToken(content_.substr(start, position_ - start), value)) invalidInput_ = true;
    return value;
}

void FileValueReader::skipToNextLine() {
    while (position_ < content_.size()) {
        const char c = content_[position_++];
        if (c == '\n') return;
        if (c == '\r') {
            if (position_ < content_.size() && content_[position_] == '\n') ++position_;
            return;
        }
    }
}

}  // namespace condsim
