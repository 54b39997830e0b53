#include "host/driver/dump_file.h"

#include <cstdio>

#include "host/driver/equation_output.h"
#include "host/driver/grid_output.h"

bool WriteDump(const std::string& path, const DistributionRoad& road, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    std::fputs("{\n", file);
    WriteGridMembers(file, road.Grid());
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
