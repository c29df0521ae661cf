// How far a long operation has come, said at each quarter it passes, but
// only once it has run long enough for that to help: short ones stay quiet.
#pragma once
#include <cstdint>
#include <functional>

namespace qrn {

constexpr std::uint64_t kProgressQuietMs = 2000;

class QuarterProgress {
public:
    explicit QuarterProgress(std::uint64_t startMs) : start_(startMs) {}
    // The text for the last quarter passed and not yet said ("50パーセント"),
    // or null: too early, nothing new, or the whole done (the summary tells that).
    const char* Passed(std::uint64_t done, std::uint64_t total, std::uint64_t nowMs);

private:
    std::uint64_t start_;
    int said_ = 0;  // quarters said
};

// A callback for a walk of total steps: each step done is counted, and
// what is to be said goes to say; clock gives milliseconds.
std::function<void(int done, int total)> SpokenQuarters(std::function<std::uint64_t()> clock,
                                                        std::function<void(const char*)> say);

}  // namespace qrn
