// The virtual radio in a child process, serving on its pseudo-terminal.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace zorva::test {

class VirtualRadio {
public:
    // Starts the radio with its command-line options and waits for its device path.
    explicit VirtualRadio(std::vector<std::string> options);
    ~VirtualRadio() { Stop(); }
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    const std::string& Path() const { return path_; }
    // Ends the radio (it saves its memory when asked to) and waits for it.
    void Stop();

private:
    pid_t pid_ = -1;
    std::string path_;
};

} // namespace zorva::test
