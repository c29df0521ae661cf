#include "base/progress.h"

#include <memory>
#include <utility>

#include "base/base_texts.h"

namespace qrn {

const char* QuarterProgress::Passed(std::uint64_t done, std::uint64_t total, std::uint64_t nowMs) {
    if (total == 0 || done >= total || nowMs - start_ < kProgressQuietMs) return nullptr;
    const int quarter = static_cast<int>(done * 4 / total);  // 0 to 3
    if (quarter <= said_) return nullptr;
    said_ = quarter;
    return kQuarterTexts[quarter - 1];
}

std::function<void(int, int)> SpokenQuarters(std::function<std::uint64_t()> clock,
                                             std::function<void(const char*)> say) {
    auto progress = std::make_shared<QuarterProgress>(clock());
    return [progress, clock = std::move(clock), say = std::move(say)](int done, int total) {
        if (done < 0 || total <= 0) return;
        if (const char* text = progress->Passed(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total), clock()))
            say(text);
    };
}

}  // namespace qrn
