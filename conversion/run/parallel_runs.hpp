#pragma once
// Many logs converted at once, their results taken in the order given: what
// a program says about them, and when, does not depend on how many run at a
// time or which finishes first.

#include <cstddef>
#include <functional>

#include "conversion/files/temporary_file_cleanup.hpp"

namespace conversion {

// Each conversion at work may have a temporary file that must go if the
// process is ended.
constexpr unsigned MostJobs = TemporaryFileSlots;

// The processors the system gives the program (1 when it cannot say), at most MostJobs.
unsigned ProcessorCount();

// Runs work(i) for every i below count, up to `jobs` of them at the same
// time, and done(i) on the calling thread in the order of i, each as soon as
// it and every earlier one have worked. With one job, work(i) and done(i)
// alternate on the calling thread. work(i) must touch nothing that another
// work(j) touches.
void RunInOrder(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& done);

}  // namespace conversion
