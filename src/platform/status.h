#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace plat {

// A failure as the system's error reporter sees it: a number and a description.
struct Error {
    int number = 0;
    QString description;
};

// The result of an operation that can fail. The system's procedures are written in the
// "on a failure go on with the next statement" style: a caller either checks `ok()` and
// reports, or simply ignores the status and goes on. Nothing throws.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error e)
        : error_(std::move(e))
    {
    }
    static Status failure(int number, QString description)
    {
        return Status(Error { number, std::move(description) });
    }

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }
    // Explicitly skipping a failure, as the system's handlers do.
    void ignore() const { }

private:
    std::optional<Error> error_;
};

template <class T> class [[nodiscard]] Result {
public:
    Result(T value)
        : v_(std::move(value))
    {
    }
    Result(Error e)
        : v_(std::move(e))
    {
    }

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T valueOr(T fallback) const { return ok() ? std::get<0>(v_) : std::move(fallback); }
    const Error& error() const { return std::get<1>(v_); }
    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, Error> v_;
};

// Error numbers the layer reports; the values are the form toolkit's run-time error numbers
// where one exists, since the error reports sent to the server and the run log carry them.
namespace err {
    inline constexpr int InvalidProcedureCall = 5; // e.g. focusing a hidden control
    inline constexpr int Overflow = 6;
    inline constexpr int SubscriptOutOfRange = 9;
    inline constexpr int TypeMismatch = 13;
    inline constexpr int FileNotFound = 53;
    inline constexpr int FileIo = 57;
    inline constexpr int InputPastEndOfFile = 62; // a line asked for beyond a file's last
    inline constexpr int PathNotFound = 76;
    inline constexpr int ControlArrayElementMissing = 340;
    inline constexpr int ObjectAlreadyLoaded = 360; // a control array element loaded twice
    inline constexpr int InvalidProperty = 380;
    inline constexpr int PropertyNotSupported = 438; // the object has no such property
    inline constexpr int InvalidPicture = 481;
    inline constexpr int Network = 10000;
    inline constexpr int Timeout = 10001;
}

} // namespace plat
