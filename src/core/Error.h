#pragma once
// The one error type of condsim. It carries the text that the error box shows; the
// dispatch of user actions adds the final "." (see withFinalPoint).

#include <stdexcept>
#include <string>

namespace condsim {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text), text_(text) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
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

}  // namespace condsim
