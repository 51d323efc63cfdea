// When to ask for feedback: at most once every 60 days, counted from the stored time of
// the last prompt (`FeedbackLast`, seconds since 1970).
#pragma once

#include <cstdint>
#include <optional>

namespace ks {

inline constexpr int64_t kFeedbackInterval = 5184000;  // 60 days in seconds

struct FeedbackDecision {
    bool prompt = false;
    bool storeNow = false;  // write the present time as `FeedbackLast`
    bool operator==(const FeedbackDecision&) const = default;
};

// `last`: the stored value, absent when there is none. A stored time that is not
// earlier than now (absent, or in the future) is replaced by now without a prompt.
FeedbackDecision feedbackDecision(std::optional<int64_t> last, int64_t now);

}  // namespace ks
