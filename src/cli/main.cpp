// The command-line program's entry: the arguments in, the outcome's bytes to
// standard output and standard error, its status as the exit status.

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The bytes go out as they are: the C library's text mode would turn
    // every LF of a CR LF line end into another CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const orvalt::cli::Outcome outcome = orvalt::cli::Run(args);
    std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
    std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("orvalt99-cli: 標準出力に書けませんでした。\n", stderr);
        return orvalt::cli::kBadUsage;
    }
    return outcome.status;
}
