#pragma once
// The one error type of condsim. It carries the text that the error box shows; the
// dispatch of user actions adds the final "." (see withFinalPoint). An optional detail,
// shown on the lines below, says what the error concerns: the file and its path, the line
// and the token that failed, or what the user can do about it.

#include <stdexcept>
#include <string>
#include <utility>

namespace condsim {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& text, std::string detail = {})
        : std::runtime_error(text), text_(text), detail_(std::move(detail)) {}
    const std::string& text() const { return text_; }
    // The lines shown below the text; empty when there are none.
    const std::string& detail() const { return detail_; }
    // The same error with one more line of detail below those it has.
    Error withDetail(const std::string& line) const {
        return Error(text_, detail_.empty() ? line : detail_ + "\n" + line);
    }

  private:
    std::string text_;
    std::string detail_;
};

// The floating-point faults that end a handler.
enum class FloatingPointFault { InvalidOperation, DivisionByZero, Overflow };

// I/O error codes as the text-file channel reports them.
namespace io_code {
inline constexpr int FileNotFound = 2;
inline constexpr int InvalidFileName = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int ReadBeyondEnd = 100;
inline constexpr int DiskFull = 101;
inline constexpr int InvalidNumericInput = 106;
}  // namespace io_code

// "'%s' は浮動小数点数ではありません" with the whole untrimmed text in place of %s.
Error notANumberError(const std::string& text);
Error floatingPointError(FloatingPointFault fault);
// The text of an I/O error code; unknown codes give "I/O エラー (%d)".
Error ioError(int code);
std::string ioErrorText(int code);

// The error box text: "." is appended when the last character sorts after "." in
// character-code order (every multi-byte UTF-8 character does).
std::string withFinalPoint(const std::string& text);

// What the error box shows: the text with its final ".", then the detail on the lines below.
std::string errorBoxText(const Error& error);

}  // namespace condsim
