#pragma once

#include <string_view>

namespace spinalyst {

// Orders names as a person expects rather than by bytes: letters first, an accented letter
// beside its base letter and case ignored ("Élodie" before "Zoé"); names alike but for accents
// put the plain one first ("Zoe", "Zoé"), then names alike but for case the lower case first;
// the bytes decide last, so the order is total. Bytes that are not UTF-8 count as
// Windows-1252. Returns -1, 0 or 1.
int CompareNames(std::string_view a, std::string_view b);

struct NameLess {
    bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

}  // namespace spinalyst
