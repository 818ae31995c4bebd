#pragma once

#include <utility>
#include <vector>

// The classic quicksort on entries lo..hi (0-based) with the middle entry, copied once, as the
// pivot. Entries with equal keys come out in the order this procedure leaves them, which callers
// rely on. The larger side loops instead of recursing: the depth stays bounded and the result is
// the same.
template <typename T, typename Less>
void middlePivotSort(std::vector<T>& a, long lo, long hi, const Less& less)
{
    while (lo < hi) {
        long i = lo, j = hi;
        const T pivot = a[static_cast<std::size_t>((lo + hi) / 2)];
        do {
            while (less(a[static_cast<std::size_t>(i)], pivot))
                ++i;
            while (less(pivot, a[static_cast<std::size_t>(j)]))
                --j;
            if (i <= j) {
                std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j)
                middlePivotSort(a, lo, j, less);
            lo = i;
        } else {
            if (i < hi)
                middlePivotSort(a, i, hi, less);
            hi = j;
        }
    }
}
