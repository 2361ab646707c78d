#pragma once

#include <exception>
#include <string_view>

namespace idrovela {

// The run-time errors a handler can raise, numbered as the user sees them in the message box.
enum class ErrorCode : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

[[nodiscard]] constexpr int ErrorNumber(ErrorCode code) {
    return static_cast<int>(code);
}

[[nodiscard]] constexpr std::string_view ErrorDescription(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case ErrorCode::Overflow:
            return "Overflow";
        case ErrorCode::DivisionByZero:
            return "Division by zero";
        case ErrorCode::TypeMismatch:
            return "Type mismatch";
    }
    return "Unknown error";
}

// Thrown where the fault occurs; nothing catches it but the window's error reporter.
class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(ErrorCode code) noexcept : code_(code) {}

    [[nodiscard]] ErrorCode code() const noexcept { return code_; }
    [[nodiscard]] int number() const noexcept { return ErrorNumber(code_); }
    [[nodiscard]] std::string_view description() const noexcept { return ErrorDescription(code_); }
    [[nodiscard]] const char* what() const noexcept override {
        return ErrorDescription(code_).data();
    }

  private:
    ErrorCode code_;
};

[[noreturn]] inline void Raise(ErrorCode code) {
    throw RuntimeError(code);
}

}  // namespace idrovela
