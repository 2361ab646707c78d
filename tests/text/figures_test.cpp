// Figures for programs read back the same whatever locale the desktop program took from the
// user's environment.

#include "text/figures.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <string>

namespace idrovela::text {
namespace {

// Sets the C locale for the test's lifetime, as QApplication sets it from the environment.
class CLocale {
  public:
    explicit CLocale(const char* name) : before_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~CLocale() { std::setlocale(LC_ALL, before_.c_str()); }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;
    [[nodiscard]] bool Set() const { return set_; }

  private:
    std::string before_;
    bool set_ = false;
};

TEST(Exact, WritesSeventeenDigitsWithADotUnderAnItalianLocale) {
    const CLocale italian("it_IT.UTF-8");
    if (!italian.Set()) {
        GTEST_SKIP() << "the locale it_IT.UTF-8 is not installed (scripts/locale.sh makes it)";
    }
    EXPECT_EQ(Exact(1728.5), "1728.5");
    EXPECT_EQ(Exact(0.1), "0.10000000000000001");
    EXPECT_EQ(Exact(-2.5e-300), "-2.5e-300");
    EXPECT_EQ(Exact(1e22), "1e+22");
    const std::string text = Exact(2124.123456789);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, 2124.123456789);
}

}  // namespace
}  // namespace idrovela::text
