#include "ui/analysis/parts/ShownGraphs.h"

#include "core/logdata/AnalysisDataSet.h"
#include "ui/chart/ChartWidget.h"

namespace korvex {

ShownGraphs::ShownGraphs(ChartWidget& upper, ChartWidget& lower, DataSets dataSets, Flag overview)
    : upper_(upper), lower_(lower), dataSets_(std::move(dataSets)), overview_(std::move(overview))
{}

std::vector<ShownGraphs::Key> ShownGraphs::CurrentKeys() const
{
    std::vector<Key> keys;
    for (ChartWidget* chart : {&upper_, &lower_})
        for (const Series* s : chart->SeriesList())
            keys.push_back({s, s->dataVersion(), s->styleVersion()});
    return keys;
}

const std::vector<ReadoutGraph>& ShownGraphs::Graphs()
{
    std::vector<Key> keys = CurrentKeys();
    const bool overview = overview_ && overview_();
    if (!built_ || keys != keys_ || overview != builtForOverview_) {
        keys_ = std::move(keys);
        builtForOverview_ = overview;
        Build();
    }
    return graphs_;
}

void ShownGraphs::Build()
{
    built_ = true;
    ++generation_;
    graphs_.clear();
    const std::vector<AnalysisDataSet*> sets =
        dataSets_ ? dataSets_() : std::vector<AnalysisDataSet*>();
    // The charts also hold the axis placeholders, which belong to no field: only series found in
    // a data set are read.
    for (const Key& key : keys_) {
        for (AnalysisDataSet* set : sets) {
            if (!set)
                continue;
            int field = -1;
            for (int i = 0; i < set->slotCount() && field < 0; ++i)
                if (set->series(i) == key.series)
                    field = i;
            if (field < 0)
                continue;
            std::string prefix;
            if (builtForOverview_ && set->deviceSettings())
                prefix = set->deviceSettings()->displayName() + ": ";
            graphs_.push_back(MakeReadoutGraph(*set, field, prefix));
            break;
        }
    }
}

} // namespace korvex
