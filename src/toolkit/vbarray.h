#pragma once
// Arrays with fixed, inclusive bounds, written lower To upper: vb::Array<QString, 1, 500> is
// "1 To 500", vb::Array2<QString, 1, 500, 0, 6> is "(1 To 500, 0 To 6)". Elements are read and
// written with a(i) and a(i, j). An index outside the bounds raises vb::Error 9 (subscript out of
// range) before anything is touched, so a bad write never lands anywhere. A fractional index is
// first rounded to the nearest whole number, halves to the even one, as every index of the
// program's own language is.

#include "toolkit/vberror.h"

#include <array>
#include <cmath>
#include <concepts>
#include <cstddef>

namespace vb {

namespace detail {
// The whole-number index for an index value; raises 9 when it lies outside lower..upper.
template <long Lower, long Upper, class I>
std::size_t arraySlot(I index)
{
    long long i;
    if constexpr (std::floating_point<I>) {
        if (!std::isfinite(index))
            raise(ErrSubscript);
        const I r = std::nearbyint(index); // the default rounding mode: halves to even
        if (r < static_cast<I>(Lower) || r > static_cast<I>(Upper))
            raise(ErrSubscript);
        i = static_cast<long long>(r);
    } else {
        static_assert(std::integral<I>, "an array index is a number");
        i = static_cast<long long>(index);
    }
    if (i < Lower || i > Upper)
        raise(ErrSubscript);
    return static_cast<std::size_t>(i - Lower);
}
} // namespace detail

template <class T, long Lower, long Upper>
class Array {
    static_assert(Lower <= Upper, "lower bound above upper bound");

public:
    static constexpr long lower() { return Lower; } // LBound
    static constexpr long upper() { return Upper; } // UBound
    static constexpr std::size_t size() { return std::size_t(Upper - Lower + 1); }

    template <class I>
    T& operator()(I index) { return items_[detail::arraySlot<Lower, Upper>(index)]; }
    template <class I>
    const T& operator()(I index) const { return items_[detail::arraySlot<Lower, Upper>(index)]; }

    void fill(const T& value) { items_.fill(value); }
    void clear() { items_.fill(T{}); } // every element back to empty or zero

    // Plain iteration over every element, lower bound first.
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::array<T, size()> items_{};
};

template <class T, long Lower1, long Upper1, long Lower2, long Upper2>
class Array2 {
    static_assert(Lower1 <= Upper1 && Lower2 <= Upper2, "lower bound above upper bound");
    static constexpr std::size_t columns = std::size_t(Upper2 - Lower2 + 1);

public:
    static constexpr long lower1() { return Lower1; }
    static constexpr long upper1() { return Upper1; }
    static constexpr long lower2() { return Lower2; }
    static constexpr long upper2() { return Upper2; }
    static constexpr std::size_t size() { return std::size_t(Upper1 - Lower1 + 1) * columns; }

    template <class I, class J>
    T& operator()(I i, J j) { return items_[slot(i, j)]; }
    template <class I, class J>
    const T& operator()(I i, J j) const { return items_[slot(i, j)]; }

    void fill(const T& value) { items_.fill(value); }
    void clear() { items_.fill(T{}); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    template <class I, class J>
    static std::size_t slot(I i, J j)
    {
        // Both indexes are checked before the element is reached.
        const std::size_t row = detail::arraySlot<Lower1, Upper1>(i);
        const std::size_t col = detail::arraySlot<Lower2, Upper2>(j);
        return row * columns + col;
    }

    std::array<T, size()> items_{};
};

} // namespace vb
