// Measures how far the process's resident memory rose during a piece of work: the kernel's
// peak mark is reset first (where the kernel allows), so an earlier peak does not hide it.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace tarnwick::testing {

class PeakMemory {
  public:
    // Starts a measurement now.
    PeakMemory() {
        std::ofstream("/proc/self/clear_refs") << "5";
        baseline_ = StatusKiB("VmRSS:");
    }

    // Bytes the peak resident size reached above the resident size at the start.
    std::int64_t GrowthBytes() const {
        const std::int64_t peak = StatusKiB("VmHWM:");
        return peak > baseline_ ? (peak - baseline_) * 1024 : 0;
    }

  private:
    static std::int64_t StatusKiB(const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field, 0) == 0) {
                std::istringstream values(line.substr(field.size()));
                std::int64_t kib = 0;
                values >> kib;
                return kib;
            }
        }
        return 0;
    }

    std::int64_t baseline_ = 0;
};

}  // namespace tarnwick::testing
