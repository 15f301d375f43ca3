#pragma once

#include "OstDXShow.h"
#include "OstSimulatedCamera.h"
#include "OstVideoInputCategory.h"

#include <memory>
#include <optional>

namespace bench {

// The simulated camera's capture graph painting into a window, at 30 frames a second and the
// size given, for as long as the object lives; the camera leaves the category with it.
class SimulatedGraph {
public:
    SimulatedGraph(const QString& path, IOstVideoWindow* window, int width, int height) : path_(path) {
        OstVideoInputCategory::GetInstance().Add(std::make_shared<OstSimulatedCamera>(path));
        graph_.emplace(path, window, nullptr);
        graph_->ChangeResolution(24, width, height);
        graph_->ChangeFrameRate(30);
        running_ = graph_->Run() == GraphState::Running;
        if (running_)
            graph_->SetVideoPosition();
    }
    ~SimulatedGraph() {
        graph_->Disconnect();
        graph_.reset();
        OstVideoInputCategory::GetInstance().Remove(path_);
    }
    SimulatedGraph(const SimulatedGraph&) = delete;
    SimulatedGraph& operator=(const SimulatedGraph&) = delete;

    bool Running() const { return running_; }
    OstDXShow& Graph() { return *graph_; }

private:
    QString path_;
    std::optional<OstDXShow> graph_;
    bool running_ = false;
};

} // namespace bench
