// Host layers for systems without the Windows interfaces.
#include "platform/computer_name.h"
#include "platform/system_message_box.h"

#include <cstdio>
#include <unistd.h>

std::string HostComputerName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return std::string(name).substr(0, 15);
}

namespace {
class StderrMessageBox : public ISystemMessageBox {
public:
    void Show(const char* text, const char* caption) override
    {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
};
} // namespace

ISystemMessageBox& HostSystemMessageBox()
{
    static StderrMessageBox box;
    return box;
}
