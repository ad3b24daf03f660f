// Stands in the test prefix's registry as the program that opens web and "mailto:" addresses,
// so the end-to-end cases see what the dialog program handed to the shell: each start appends
// its arguments, one line per start, to the file that KOLT_E2E_OPENED names (inherited from the
// driver through the dialog program).
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* log = std::getenv("KOLT_E2E_OPENED");
    if (log == nullptr || *log == '\0') {
        return 2;
    }
    std::string line;
    for (int i = 1; i < argc; ++i) {
        line.append(i > 1 ? " " : "").append(argv[i]);
    }
    line += '\n';
    std::FILE* file = std::fopen(log, "ab");
    if (file == nullptr) {
        return 1;
    }
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
