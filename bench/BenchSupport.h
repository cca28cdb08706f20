#pragma once
// What the benchmark drivers share: a steady clock, the best of several rounds, a program run
// without a shell (the plain tools the figures compare against), a small fast pseudo-random
// source for generated data, and the line a driver prints for bench/run.
//
// Every figure is measured in one process, our side and the plain side in alternation, and each
// keeps its best round: on a machine that is busy with other work the best of several runs is
// the least disturbed measure of both.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zvbench {

// The seconds that f takes.
template <class F> double timed(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Keeps the best of the rounds; with ZV_BENCH_VERBOSE set, writes every round to the error
// stream under its name.
class Best {
public:
    explicit Best(const char* name = "") : name_(name) {}
    void add(double s) {
        if (s < best_) best_ = s;
        if (qEnvironmentVariableIsSet("ZV_BENCH_VERBOSE"))
            std::fputs((QByteArray(name_) + ' ' + QByteArray::number(s, 'f', 6) + '\n').constData(),
                       stderr);
    }
    double seconds() const { return best_; }

private:
    const char* name_;
    double best_ = std::numeric_limits<double>::infinity();
};

// Runs argv[0] (looked up in PATH) with its standard output and error thrown away and waits for
// it; its exit status, or -1 when it could not run.
inline int runQuiet(const QStringList& argv) {
    std::vector<QByteArray> bytes;
    for (const QString& a : argv)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> args;
    for (QByteArray& b : bytes)
        args.push_back(b.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// xorshift64*: the same bytes on every run, fast enough to fill hundreds of megabytes.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed ? seed : 1) {}
    uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    // A whole number in 0..n-1.
    int below(int n) { return int(next() % uint64_t(n)); }
    void fill(char* data, size_t size) {
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            const uint64_t v = next();
            for (int k = 0; k < 8; ++k)
                data[i + size_t(k)] = char(v >> (8 * k));
        }
        for (; i < size; ++i)
            data[i] = char(next());
    }

private:
    uint64_t state_;
};

// The line bench/run reads: "<figure> <our seconds> <plain seconds>".
// Numbers are written without the process locale (Qt sets it from the environment).
inline void report(const char* figure, double ours, double plain) {
    const QByteArray line = QByteArray(figure) + ' ' + QByteArray::number(ours, 'f', 6) + ' ' +
                            QByteArray::number(plain, 'f', 6) + '\n';
    std::fputs(line.constData(), stdout);
    std::fflush(stdout);
}

} // namespace zvbench
