// Times whole programs side by side: starts command A, waits for it, starts command B, waits,
// and so on, and prints the median of each and the median of the pairs' ratios A/B. A program
// that lives a millisecond is timed against a baseline started right after it, so the drift of
// the machine's speed over seconds falls out of the ratio. Standard output and error go to
// /dev/null; no shell is started.
//
//   korvane_paired_start PAIRS 'COMMAND A' 'COMMAND B'
//
// A command is split at blanks; single quotes keep a blank inside one argument.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> Split(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool started = false;
    for (const char c : command) {
        if (c == '\'') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started)
                words.push_back(word);
            word.clear();
            started = false;
        } else {
            word += c;
            started = true;
        }
    }
    if (started)
        words.push_back(word);
    return words;
}

// The wall time of one run in microseconds; negative when the program could not be started or
// did not end normally.
double TimeRun(const std::vector<std::string>& words, int devNull) {
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDERR_FILENO);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: korvane_paired_start PAIRS 'COMMAND A' 'COMMAND B'\n");
        return 2;
    }
    const int pairs = std::atoi(argv[1]);
    const std::vector<std::string> a = Split(argv[2]);
    const std::vector<std::string> b = Split(argv[3]);
    const int devNull = open("/dev/null", O_RDWR);
    if (a.empty() || b.empty() || devNull < 0) {
        std::fprintf(stderr, "korvane_paired_start: empty command or no /dev/null\n");
        return 2;
    }
    std::vector<double> timesA;
    std::vector<double> timesB;
    std::vector<double> ratios;
    for (int i = 0; i < pairs + 1; ++i) {  // the first pair warms the caches up and is dropped
        const double timeA = TimeRun(a, devNull);
        const double timeB = TimeRun(b, devNull);
        if (timeA < 0 || timeB < 0) {
            std::fprintf(stderr, "korvane_paired_start: a command failed to start or to end\n");
            return 1;
        }
        if (i == 0)
            continue;
        timesA.push_back(timeA);
        timesB.push_back(timeB);
        ratios.push_back(timeA / timeB);
    }
    std::printf("A %.0f us, B %.0f us, A/B %.3f (medians of %d pairs)\n", Median(timesA),
                Median(timesB), Median(ratios), pairs);
    return 0;
}
