#include "Measurements.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: wordloom_bench load FILE | longword FILE | save FILE | save-again FILE | "
                         "merge FILE | delete N"
                         " | import FILE | startup [FILE]\n"
                         "Runs one measurement and prints: <name> <seconds> <peak-RSS-MB>\n");
    return 2;
}

Measured Measure(const std::string& name, const char* argument) {
    if (name == "load")
        return Measurements::Load(argument);
    if (name == "longword")
        return Measurements::LongWord(argument);
    if (name == "save")
        return Measurements::Save(argument);
    if (name == "save-again")
        return Measurements::SaveAgain(argument);
    if (name == "merge")
        return Measurements::SaveAfterOutsideChange(argument);
    if (name == "delete")
        return Measurements::Delete(std::stoll(argument));
    if (name == "import")
        return Measurements::Import(argument);
    return Measurements::Startup(argument);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string name = argv[1];
    const bool known = name == "load" || name == "longword" || name == "save" || name == "save-again" ||
                       name == "merge" || name == "delete" || name == "import" || name == "startup";
    if (!known || (name != "startup" && argc < 3))
        return Usage();
    try {
        Measured measured = Measure(name, argc > 2 ? argv[2] : "");
        std::printf("%s %.4f %.1f\n", name.c_str(), measured.Seconds, measured.PeakMB);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wordloom_bench %s: %s\n", name.c_str(), e.what());
        return 1;
    }
}
