#pragma once
// The part of std::expected the BMP decoder uses, for clang 14 only.
//
// The fuzz target must be built with clang (libFuzzer comes with it), and clang 14 cannot compile
// the std::expected of libstdc++ 12, which needs conditionally trivial special members; the library
// then leaves std::expected out. This header is force-included into the fuzz build and fills the
// gap; wherever the library's own std::expected exists it does nothing.

#include <version>

#if !defined(__cpp_lib_expected)

#include <cstdlib>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace std {

template <class E>
class unexpected {
  public:
    constexpr explicit unexpected(E error) : error_(std::move(error)) {}
    constexpr const E& error() const& noexcept { return error_; }
    constexpr E& error() & noexcept { return error_; }
    constexpr E&& error() && noexcept { return std::move(error_); }

  private:
    E error_;
};

template <class E>
unexpected(E) -> unexpected<E>;

template <class T, class E>
class expected {
  public:
    using value_type = T;
    using error_type = E;

    constexpr expected() : state_(in_place_index<0>) {}
    template <class U = T>
    requires(!is_same_v<remove_cvref_t<U>, expected> &&
             is_constructible_v<T, U&&>) constexpr expected(U&& value)
        : state_(in_place_index<0>, std::forward<U>(value)) {}
    template <class G>
    constexpr expected(const unexpected<G>& failure) : state_(in_place_index<1>, failure.error()) {}
    template <class G>
    constexpr expected(unexpected<G>&& failure)
        : state_(in_place_index<1>, std::move(failure).error()) {}

    constexpr bool has_value() const noexcept { return state_.index() == 0; }
    constexpr explicit operator bool() const noexcept { return has_value(); }
    constexpr T& operator*() & { return *get_if<0>(&state_); }
    constexpr const T& operator*() const& { return *get_if<0>(&state_); }
    constexpr T* operator->() { return get_if<0>(&state_); }
    constexpr const T* operator->() const { return get_if<0>(&state_); }
    constexpr T& value() & { return has_value() ? **this : (abort(), **this); }
    constexpr const T& value() const& { return has_value() ? **this : (abort(), **this); }
    constexpr E& error() & { return *get_if<1>(&state_); }
    constexpr const E& error() const& { return *get_if<1>(&state_); }

  private:
    variant<T, E> state_;
};

template <class E>
class expected<void, E> {
  public:
    using value_type = void;
    using error_type = E;

    constexpr expected() = default;
    template <class G>
    constexpr expected(const unexpected<G>& failure) : error_(failure.error()) {}
    template <class G>
    constexpr expected(unexpected<G>&& failure) : error_(std::move(failure).error()) {}

    constexpr bool has_value() const noexcept { return !error_.has_value(); }
    constexpr explicit operator bool() const noexcept { return has_value(); }
    constexpr E& error() & { return *error_; }
    constexpr const E& error() const& { return *error_; }

  private:
    optional<E> error_;
};

}  // namespace std

#endif
