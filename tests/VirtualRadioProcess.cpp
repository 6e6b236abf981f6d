#include "VirtualRadioProcess.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zorva::test {

VirtualRadio::VirtualRadio(std::vector<std::string> options) {
    int out[2];
    if (pipe(out) != 0) return;
    std::vector<std::string> args{ZORVA_RADIOSIM_PATH};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // The first line is the device path.
    pollfd waitFor{out[0], POLLIN, 0};
    char c = 0;
    while (poll(&waitFor, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
        path_ += c;
    close(out[0]);
}

void VirtualRadio::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

} // namespace zorva::test
