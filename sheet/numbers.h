#pragma once

#include <string>
#include <string_view>

#include "circuit/scale.h"

namespace idrovela::sheet {

// Each number of a form, read in turn: the first that is not one is the reason.
class Numbers {
  public:
    // The number `text` gives (ReadNumber, or ReadScaledNumber with a scale); 0 once one was not.
    double Read(std::string_view text, std::string_view what,
                const circuit::Scale* scale = nullptr);
    [[nodiscard]] const std::string& Problem() const { return problem_; }

  private:
    std::string problem_;
};

}  // namespace idrovela::sheet
