#include "host/driver/dump_file.h"

#include <cstdio>

#include "host/driver/equation_json.h"
#include "host/driver/grid_output.h"

bool WriteDump(const std::string& path, const DistributionRoad& road, std::string& error) {
    // Lines end in LF on every platform, so that a dump is the same file wherever it was made.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    const int dims = road.Kind().dims;
    std::fputs("{\n", file);
    if (dims == 1) {
        WriteGridMembers(file, road.Grid());
    } else {
        std::fprintf(file, "  \"dims\": %d,\n  \"domains\": {", dims);
        for (int d = 0; d < dims; ++d) {
            std::fprintf(file, "%s\n    \"%s\": {\n", d ? "," : "", DirectionName(d));
            WriteGridMembers(file, road.Grid(d), "      ");
            std::fputs("\n    }", file);
        }
        std::fputs("\n  }", file);
    }
    std::fputs(",\n", file);
    WriteEquationMembers(file, road);
    std::fputs("\n}\n", file);
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
