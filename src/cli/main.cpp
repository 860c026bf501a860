// The command-line program's entry: the arguments in, the outcome's bytes to
// standard output and standard error, its status as the exit status.

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
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
