#include "ProbeState.h"

namespace login_test {

ProbeState ProbeState::Parse(const std::string& text)
{
    ProbeState state;
    for (size_t start = 0; start < text.size();)
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            state.lines[line.substr(0, equals)].push_back(line.substr(equals + 1));
        start = end + 1;
    }
    return state;
}

std::string ProbeState::operator[](const char* name) const
{
    const auto found = lines.find(name);
    return found == lines.end() || found->second.empty() ? std::string() : found->second[0];
}

std::vector<std::string> ProbeState::All(const char* name) const
{
    const auto found = lines.find(name);
    return found == lines.end() ? std::vector<std::string>() : found->second;
}

std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;)
    {
        const size_t bar = row.find('|', start);
        cells.push_back(row.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return cells;
        start = bar + 1;
    }
}

}  // namespace login_test
