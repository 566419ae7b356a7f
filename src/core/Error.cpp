#include "core/Error.h"

namespace condsim {

Error notANumberError(const std::string& text) {
    return Error("'" + text + "' は浮動小数点数ではありません");
}

Error floatingPointError(FloatingPointFault fault) {
    switch (fault) {
        case FloatingPointFault::InvalidOperation:
            return Error("不正な浮動小数点数演算命令");
        case FloatingPointFault::DivisionByZero:
            return Error("0 による浮動小数点数除算");
        case FloatingPointFault::Overflow:
            return Error("浮動小数点数のオーバーフロー");
    }
    return Error("不正な浮動小数点数演算命令");
}

std::string ioErrorText(int code) {
    switch (code) {
        case io_code::FileNotFound:
            return "ファイルが見つかりません";
        case io_code::InvalidFileName:
            return "不正なファイル名です";
        case io_code::TooManyOpenFiles:
            return "オープンしたファイルが多すぎます";
        case io_code::AccessDenied:
            return "ファイルへのアクセスが拒否されました";
        case io_code::ReadBeyondEnd:
            return "ファイルの末尾以降を読み込みました";
        case io_code::DiskFull:
            return "ディスクがいっぱいです";
        case io_code::InvalidNumericInput:
            return "入力値が数値ではありません";
        default:
            return "I/O エラー (" + std::to_string(code) + ")";
    }
}

Error ioError(int code) { return Error(ioErrorText(code)); }

std::string withFinalPoint(const std::string& text) {
    if (!text.empty() &&
        static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
        return text + ".";
    }
    return text;
}

std::string errorBoxText(const Error& error) {
    const std::string text = withFinalPoint(error.text());
    return error.detail().empty() ? text : text + "\n" + error.detail();
}

}  // namespace condsim
