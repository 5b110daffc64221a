// A program for the process tests: writes its arguments after the second, one a line, to the
// file its first argument names, and ends with the exit code its second argument gives.
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 3) {
        return 100;
    }
    std::ofstream out(argv[1], std::ios::binary);
    for (int i = 3; i < argc; ++i) {
        out << argv[i] << '\n';
    }
    return std::atoi(argv[2]);
}
