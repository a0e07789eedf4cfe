// A result holds a value or a problem; a value needs no default, and reading
// the value of a failure stops the program in every build.
#include "core/text/Result.h"

#include <gtest/gtest.h>

#include <string>

namespace tintora {
namespace {

struct NoDefault {
    explicit NoDefault(int n)
        : number(n)
    {
    }
    int number;
};

TEST(Result, HoldsAValueOrAProblem)
{
    const Result<NoDefault> made(NoDefault(7));
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.value().number, 7);
    EXPECT_EQ(made.problem(), "");
    const Result<std::string> text(std::string("value"));
    const Result<std::string> failed(Failure("Cannot write \"x\": disk full."));
    EXPECT_EQ(text.value(), "value");
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.problem(), "Cannot write \"x\": disk full.");
}

TEST(ResultDeathTest, TheValueOfAFailureStopsTheProgram)
{
    const Result<NoDefault> failed(Failure("why"));
    EXPECT_DEATH((void)failed.value(), "the value of a failed result was read; the failure was: why");
}

}  // namespace
}  // namespace tintora
