#pragma once

#include <cstdint>

// Transfer ids unique within the process and never 0 (0 means "not queued").
class OstTransferId {
public:
    static std::uint32_t Next();
};
