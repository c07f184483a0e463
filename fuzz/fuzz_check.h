#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken property is a finding: report it and abort, so that libFuzzer keeps the
// input that showed it.
inline void require(bool holds, std::string_view property, std::string_view detail = {}) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "property broken: %.*s [%.*s]\n", static_cast<int>(property.size()),
                 property.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}
