#include "conversion/run/parallel_runs.hpp"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace conversion {

unsigned ProcessorCount() { return std::clamp(std::thread::hardware_concurrency(), 1u, MostJobs); }

void RunInOrder(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& done) {
  const std::size_t threads = std::min<std::size_t>(std::clamp(jobs, 1u, MostJobs), count);
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      work(i);
      done(i);
    }
    return;
  }
  std::mutex mutex;
  std::condition_variable finished;
  std::vector<bool> worked(count, false);
  std::size_t next = 0;
  auto worker = [&] {
    for (;;) {
      std::size_t i = 0;
      {
        const std::lock_guard lock(mutex);
        if (next == count) return;
        i = next++;
      }
      work(i);
      {
        const std::lock_guard lock(mutex);
        worked[i] = true;
      }
      finished.notify_one();
    }
  };
  std::vector<std::jthread> workers;
  for (std::size_t t = 0; t < threads; ++t) workers.emplace_back(worker);
  for (std::size_t i = 0; i < count; ++i) {
    {
      std::unique_lock lock(mutex);
      finished.wait(lock, [&] { return worked[i]; });
    }
    done(i);
  }
}

}  // namespace conversion
