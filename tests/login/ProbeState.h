// What the program's test hook writes on "dump": one name=value line each, a list's rows as
// repeated names in order, each row's cells joined by '|'.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace login_test {

struct ProbeState
{
    std::map<std::string, std::vector<std::string>> lines;

    static ProbeState Parse(const std::string& text);
    // The first value of the name; empty when the name is missing.
    std::string operator[](const char* name) const;
    // Every value of the name in order.
    std::vector<std::string> All(const char* name) const;
};

// The cells of a list row.
std::vector<std::string> Cells(const std::string& row);

}  // namespace login_test
