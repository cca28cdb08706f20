// A child program for the tests of program start and wait:
//   zv_child sleep <ms> <marker>   sleeps, then writes "done" to marker
//   zv_child args <file> [args...] writes each argument on a line of its own to file
//   zv_child exit <code>           ends with that exit code
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "sleep") == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
        std::ofstream(argv[3]) << "done\n";
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "args") == 0) {
        std::ofstream out(argv[2]);
        for (int i = 3; i < argc; ++i)
            out << argv[i] << '\n';
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
    return 100;
}
