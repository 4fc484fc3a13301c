#pragma once
// A full disk on demand.

#include <sys/resource.h>

namespace zuv::test {

// Makes every write beyond `bytes` fail, even for root, until destroyed.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

} // namespace zuv::test
