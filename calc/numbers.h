#pragma once

#include <compare>
#include <cstdint>
#include <limits>

#include "calc/runtime_error.h"

namespace idrovela {

// A 16-bit whole number: diameters in mm and the whole-number form of the flow.
class Integer {
  public:
    static constexpr std::int16_t kMin = std::numeric_limits<std::int16_t>::min();
    static constexpr std::int16_t kMax = std::numeric_limits<std::int16_t>::max();

    constexpr Integer() = default;
    constexpr explicit Integer(std::int16_t value) : value_(value) {}

    [[nodiscard]] constexpr std::int16_t value() const { return value_; }
    [[nodiscard]] constexpr double toDouble() const { return value_; }

    friend constexpr auto operator<=>(Integer, Integer) = default;

  private:
    std::int16_t value_ = 0;
};

// A 32-bit whole number: the loss gradient and the power found by the power search.
class Long {
  public:
    static constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

    constexpr Long() = default;
    constexpr explicit Long(std::int32_t value) : value_(value) {}

    [[nodiscard]] constexpr std::int32_t value() const { return value_; }
    [[nodiscard]] constexpr double toDouble() const { return value_; }

    friend constexpr auto operator<=>(Long, Long) = default;

  private:
    std::int32_t value_ = 0;
};

// A fixed-point number with exactly four decimal places, held as a count of ten-thousandths.
// Sums and differences are exact; leaving the 64-bit range raises Overflow.
class Currency {
  public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    constexpr explicit Currency(Integer value) : count_(std::int64_t{value.value()} * kScale) {}
    constexpr explicit Currency(Long value) : count_(std::int64_t{value.value()} * kScale) {}

    [[nodiscard]] static constexpr Currency fromCount(std::int64_t tenThousandths) {
        Currency c;
        c.count_ = tenThousandths;
        return c;
    }
    // A whole number of units; used for constants and steps such as 1000 l/h.
    [[nodiscard]] static constexpr Currency fromWhole(std::int32_t units) {
        return fromCount(std::int64_t{units} * kScale);
    }

    [[nodiscard]] constexpr std::int64_t count() const { return count_; }

    // The nearest Double to the exact value.
    [[nodiscard]] double toDouble() const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

    friend Currency operator+(Currency a, Currency b) {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(a.count_, b.count_, &sum)) {
            Raise(ErrorCode::Overflow);
        }
        return fromCount(sum);
    }
    friend Currency operator-(Currency a, Currency b) {
        std::int64_t difference = 0;
        if (__builtin_sub_overflow(a.count_, b.count_, &difference)) {
            Raise(ErrorCode::Overflow);
        }
        return fromCount(difference);
    }

  private:
    std::int64_t count_ = 0;
};

}  // namespace idrovela
