// The classic desktop's frame sizes.
#include "SystemMetrics.h"

namespace {

struct Metric {
    int nIndex;
    int nValue;
};
constexpr Metric SYSTEM_METRICS[] = {
    {SM_CXEDGE, 2}, {SM_CYEDGE, 2}, {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3}, {SM_CYCAPTION, 19}, {SM_CYMENU, 19},
};

} // namespace

int ClassicSystemMetric(int nIndex)
{
    for (const Metric& metric : SYSTEM_METRICS) {
        if (metric.nIndex == nIndex)
            return metric.nValue;
    }
    return 0;
}

CClientSize FrameClientSize(const RECT& rect)
{
    return {rect.right - rect.left - 2 * ClassicSystemMetric(SM_CXEDGE) - 2 * ClassicSystemMetric(SM_CXDLGFRAME),
            rect.bottom - rect.top - 2 * ClassicSystemMetric(SM_CYEDGE) - 2 * ClassicSystemMetric(SM_CYDLGFRAME) -
                ClassicSystemMetric(SM_CYCAPTION) - ClassicSystemMetric(SM_CYMENU)};
}
