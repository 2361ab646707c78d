#include <gtest/gtest.h>

#include "calc/module_calcoli.h"
#include "tests/support/expect_error.h"

namespace idrovela::Module_Calcoli {
namespace {

TEST(CalcolaPollici, EachBandIsClosedAtItsUpperBound) {
    const struct {
        const char* diameter;
        const char* expected;
    } cases[] = {
        {"13,2", "3/8\""},
        {"13,3", "1/2\""},
        {"16,7", "1/2\""},
        {"22,3", "3/4\""},
        {"27,9", "1\""},
        {"36,6", "1''1/4"},
        {"42,5", "1''1/2"},
        {"53,9", "2\""},
        {"69,7", "2''1/2"},
        {"81,7", "3\""},
        {"81,8", ""},
        {"500", ""},
        {"37", "1''1/2"},
        {"0", "3/8\""},
        {"-5", "3/8\""},
        {"13,4", "1/2\""},
        {"13,2000000000000001", "3/8\""},  // reads as the bound itself
        {"55", "2''1/2"},
        {"70", "3\""},
        {"28", "1''1/4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CalcolaPollici(c.diameter), c.expected) << c.diameter << " mm";
    }
}

TEST(CalcolaPollici, DesignationsAreExactCharacters) {
    // Mixed sizes use two apostrophes, never a quotation mark.
    EXPECT_EQ(CalcolaPollici("30"), std::string({'1', '\'', '\'', '1', '/', '4'}));
    EXPECT_EQ(CalcolaPollici("20"), std::string({'3', '/', '4', '"'}));
}

TEST(CalcolaPollici, TextThatIsNotANumberRaisesTypeMismatch) {
    EXPECT_RUNTIME_ERROR(CalcolaPollici(""), ErrorCode::TypeMismatch);
    EXPECT_RUNTIME_ERROR(CalcolaPollici("abc"), ErrorCode::TypeMismatch);
}

}  // namespace
}  // namespace idrovela::Module_Calcoli
