#include "app/FeedbackTiming.h"

namespace ks {

FeedbackDecision feedbackDecision(std::optional<int64_t> last, int64_t now) {
    if (!last || *last >= now) return {false, true};
    if (now - *last > kFeedbackInterval) return {true, true};
    return {false, false};
}

}  // namespace ks
