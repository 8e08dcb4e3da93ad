#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace spinalyst::fuzz {

// A broken promise of a parser or writer: abort, so the fuzzer keeps the input that broke it.
inline void Check(bool ok, const char* promise) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

inline std::string_view AsText(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace spinalyst::fuzz
