#pragma once

#include <cstdint>

// The life of a capture graph; callers store and compare the values as integers.
enum class GraphState : std::int32_t {
    NotBuilt = 0, // no graph
    Built = 1,    // graph and elements exist, the stream is not connected yet
    Ready = 2,    // the stream is connected; the graph is stopped
    Running = 3,  // the graph runs and frames reach the video window
};
