#include "Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace cli {

std::string LostOutputMessage(int error) {
    std::string message = "notorio-cli: cannot write to standard output";
    if (error != 0) {
        message += ": ";
        message += std::strerror(error);
    }
    return message;
}

int FinishOutput(int status) {
    errno = 0;
    std::cout.flush();
    bool lost = !std::cout;
    int error = errno;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        lost = true;
        error = error != 0 ? error : errno;
    }
    if (!lost) {
        return status;
    }
    std::cerr << LostOutputMessage(error) << '\n';
    return 1;
}

} // namespace cli
