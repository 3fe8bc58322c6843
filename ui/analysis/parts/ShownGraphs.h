#pragma once

// The graphs an analysis window shows, in chart order (upper chart first), as the readout and
// the statistics panel read them. Rebuilt only when the charts' series or their data change,
// so that a pointer move costs a comparison, not a pass over the points.

#include "core/views/Readout.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace korvex {

class AnalysisDataSet;
class ChartWidget;

class ShownGraphs {
public:
    using DataSets = std::function<std::vector<AnalysisDataSet*>()>;
    using Flag = std::function<bool()>;

    // overview: the Overview tab is selected (names get the device's name in front).
    ShownGraphs(ChartWidget& upper, ChartWidget& lower, DataSets dataSets, Flag overview);

    const std::vector<ReadoutGraph>& Graphs();
    // Raised by every rebuild of the list.
    std::uint64_t Generation() const { return generation_; }

private:
    struct Key {
        const Series* series;
        std::uint64_t dataVersion;
        std::uint64_t styleVersion;
        bool operator==(const Key&) const = default;
    };
    std::vector<Key> CurrentKeys() const;
    void Build();

    ChartWidget& upper_;
    ChartWidget& lower_;
    DataSets dataSets_;
    Flag overview_;
    std::vector<Key> keys_;
    bool builtForOverview_ = false;
    bool built_ = false;
    std::uint64_t generation_ = 0;
    std::vector<ReadoutGraph> graphs_;
};

} // namespace korvex
