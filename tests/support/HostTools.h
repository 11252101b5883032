// Programs of the test machine that tests use to check their output (poppler's pdftotext and pdfinfo), run from
// the test program: directly on Linux and Windows, and through the host under Wine, where the tools are the Linux
// machine's own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vanto::test {

// One argument of a host tool: a text, or a file as the test program names it.
struct HostArgument {
    HostArgument(const char* text) : Text(text) {}
    HostArgument(std::string text) : Text(std::move(text)) {}
    HostArgument(const std::filesystem::path& file) : File(file), IsFile(true) {}
    std::string Text;
    std::filesystem::path File;
    bool IsFile = false;
};

// The standard output of the tool; fails the test and gives an empty text when it cannot be run or fails.
std::string HostToolOutput(const std::string& tool, const std::vector<HostArgument>& arguments);

// Makes `link` a symbolic link to `target`, a folder or a file. Under Wine, where MinGW's std::filesystem makes no
// links, the host's ln makes it, and Wine shows it with the reparse-point attribute, as Windows shows a junction.
void MakeLink(const std::filesystem::path& target, const std::filesystem::path& link);

// True when the test program runs under Wine.
bool UnderWine();

} // namespace vanto::test
