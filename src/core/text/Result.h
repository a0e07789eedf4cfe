#pragma once
// The outcome of an operation that can fail for a reason the user is to read:
// the value on success (nothing for Result<>), otherwise the problem, one
// sentence ready to show ("Cannot write "x.tfx": No space left on device.").
// The core's file operations return it rather than throw, or answer with a
// bare bool or an optional text. A failure is written `return Failure(text);`.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <variant>

namespace tintora {

// Why an operation failed; becomes a failed Result of any kind.
struct Failure {
    explicit Failure(std::string text)
        : problem(std::move(text))
    {
    }
    std::string problem;
};

// Reading the value of a failure is a programming error: the program stops
// and says so, in every build, rather than go on with a made-up value.
[[noreturn]] inline void stopOnValueOfFailure(const std::string& problem)
{
    std::fputs("tintora: the value of a failed result was read; the failure was: ", stderr);
    std::fputs(problem.c_str(), stderr);
    std::fputs("\n", stderr);
    std::abort();
}

template <class T = void>
class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value))
    {
    }
    Result(Failure failure)
        : state_(std::in_place_index<1>, std::move(failure.problem))
    {
    }

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Read on success only (see stopOnValueOfFailure).
    const T& value() const&
    {
        requireValue();
        return std::get<0>(state_);
    }
    T&& value() &&
    {
        requireValue();
        return std::get<0>(std::move(state_));
    }
    // Empty on success.
    const std::string& problem() const
    {
        static const std::string none;
        return ok() ? none : std::get<1>(state_);
    }

private:
    void requireValue() const
    {
        if (!ok())
            stopOnValueOfFailure(std::get<1>(state_));
    }

    // By index, so that a Result<std::string> tells its value from its problem.
    std::variant<T, std::string> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : problem_(std::move(failure.problem))
        , failed_(true)
    {
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& problem() const { return problem_; }

private:
    std::string problem_;
    bool failed_ = false;
};

}  // namespace tintora
