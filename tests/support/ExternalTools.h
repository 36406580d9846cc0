#pragma once
// Programs of the machine that tests call to check what the product wrote (pdfinfo, pdftoppm,
// ...): whether one is installed, and what it printed.

#include <cstdio>
#include <cstdlib>
#include <string>

// The command's standard output and error; prefixed "failed: " when it exits non-zero.
inline std::string RunTool(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        if (::pclose(pipe) != 0)
            out = "failed: " + out;
    }
    return out;
}

inline bool HasProgram(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null").c_str()) == 0;
}
