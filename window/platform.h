#pragma once

#include "calc/runtime_error.h"

namespace idrovela::window {

// Keeping the window above all others, or releasing it. The window's size and position stay as
// they are; a failing call is not reported.
class AlwaysOnTop {
  public:
    virtual void SetAlwaysOnTop(bool onTop) = 0;

  protected:
    AlwaysOnTop() = default;
    AlwaysOnTop(const AlwaysOnTop&) = default;
    AlwaysOnTop& operator=(const AlwaysOnTop&) = default;
    ~AlwaysOnTop() = default;
};

// Tells the user about a run-time error that ended a handler. It is called once the handlers
// have unwound, and the window goes on in the state the error left.
class ErrorReporter {
  public:
    virtual void ReportError(const RuntimeError& error) = 0;

  protected:
    ErrorReporter() = default;
    ErrorReporter(const ErrorReporter&) = default;
    ErrorReporter& operator=(const ErrorReporter&) = default;
    ~ErrorReporter() = default;
};

}  // namespace idrovela::window
