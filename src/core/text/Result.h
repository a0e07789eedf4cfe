#pragma once
// The outcome of an operation that can fail for a reason the user is to read:
// the value on success (nothing for Result<>), otherwise the problem, one
// sentence ready to show ("Cannot write "x.tfx": No space left on device.").
// The core's file operations return it rather than throw, or answer with a
// bare bool or an optional text. A failure is written `return Failure(text);`.
#include <cassert>
#include <string>
#include <utility>

namespace tintora {

// Why an operation failed; becomes a failed Result of any kind.
struct Failure {
    explicit Failure(std::string text)
        : problem(std::move(text))
    {
    }
    std::string problem;
};

template <class T = void>
class [[nodiscard]] Result {
public:
    Result(T value)
        : value_(std::move(value))
    {
    }
    Result(Failure failure)
        : problem_(std::move(failure.problem))
        , failed_(true)
    {
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Read on success only; a failure, which is a programming error here,
    // gives the value type's default.
    const T& value() const&
    {
        assert(ok());
        return value_;
    }
    T&& value() &&
    {
        assert(ok());
        return std::move(value_);
    }
    // Empty on success.
    const std::string& problem() const { return problem_; }

private:
    T value_{};
    std::string problem_;
    bool failed_ = false;
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
