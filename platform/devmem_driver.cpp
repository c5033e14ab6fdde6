// The driver library's five calls, done with mmap on /dev/mem. Like the library,
// the mappings are never undone: pointers into them stay valid until the process ends.
#include "platform/phys_mem_driver.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr const char* kDevMem = "/dev/mem";

class DevMemDriver : public IPhysMemDriver {
public:
    ~DevMemDriver() override
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    void Pre_Open_Device(int32_t, const char*, const char*) override {}
    void MapMem_Open() override
    {
        m_fd = open(kDevMem, O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            m_error = std::string(kDevMem) + ": " + std::strerror(errno);
    }
    void MapMem_Phys_To_Linear(uint32_t low, uint32_t high, uint32_t length, const uint8_t** linear) override
    {
        if (m_fd < 0 || linear == nullptr || length == 0)
            return;
        uint64_t address = (uint64_t{high} << 32) | low;
        long page = sysconf(_SC_PAGESIZE);
        uint64_t pageMask = static_cast<uint64_t>(page > 0 ? page : 4096) - 1;
        uint64_t base = address & ~pageMask;
        size_t span = static_cast<size_t>(address - base) + length;
        void* p = mmap(nullptr, span, PROT_READ, MAP_SHARED, m_fd, static_cast<off_t>(base));
        if (p == MAP_FAILED) {
            m_error = std::string(kDevMem) + ": " + std::strerror(errno);
            return;
        }
        *linear = static_cast<const uint8_t*>(p) + (address - base);
    }
    void MapMem_Close() override
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }
    void Post_Close_Device(const char*, const char*) override {}
    std::string LastError() const override { return m_error; }

private:
    int m_fd = -1;
    std::string m_error;
};

} // namespace

std::unique_ptr<IPhysMemDriver> MakeHostPhysMemDriver()
{
    return std::make_unique<DevMemDriver>();
}
