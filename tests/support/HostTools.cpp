#include "support/HostTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vanto::test {
namespace fs = std::filesystem;

namespace {

// One argument for sh, quoted so that nothing in it is special.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
// The Linux path of a file the Windows program names, through Wine's own mapping of its drives.
std::string UnixPath(const fs::path& file) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = toUnix ? toUnix(fs::absolute(file).c_str()) : nullptr;
    EXPECT_NE(unixPath, nullptr) << "Wine cannot name " << Utf8(file) << " on the host";
    std::string result = unixPath ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Wine starts a host program like its own, but detached: the handle it gives back tells neither when the program
// ends nor how. So the shell writes the output aside and renames it into place when the tool has ended.
std::string OutputThroughHost(const std::string& command) {
    wchar_t tempFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, tempFolder);
    static int runs = 0;
    const std::wstring stem = std::wstring(tempFolder) + L"host-tool-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++runs);
    const fs::path done = stem + L".out", status = stem + L".status";
    const std::string script = command + " >" + ShellQuoted(UnixPath(stem + L".part")) + "; echo $? >" +
                               ShellQuoted(UnixPath(status)) + "; mv " + ShellQuoted(UnixPath(stem + L".part")) + " " +
                               ShellQuoted(UnixPath(done));
    // The host splits the command line at spaces outside double quotes; the script holds none.
    std::wstring commandLine = L"sh -c \"" + fs::path(std::u8string(script.begin(), script.end())).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "the host's shell cannot be started: " << command;
        return {};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int wait = 0; wait < 3000 && !fs::exists(done); ++wait) {
        Sleep(10);
    }
    std::ifstream statusFile(status);
    int exitStatus = -1;
    statusFile >> exitStatus;
    std::ifstream in(done, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    in.close();
    statusFile.close();
    std::error_code ec;
    fs::remove(done, ec);
    fs::remove(status, ec);
    EXPECT_EQ(exitStatus, 0) << command;
    return bytes.str();
}
#endif

std::string OutputOf(const std::string& command) {
#ifdef _WIN32
    FILE* pipe = _popen(command.c_str(), "rb");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
#ifdef _WIN32
    const int status = _pclose(pipe);
#else
    const int status = pclose(pipe);
#endif
    EXPECT_EQ(status, 0) << command;
    return output;
}

} // namespace

bool UnderWine() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

std::string HostToolOutput(const std::string& tool, const std::vector<HostArgument>& arguments) {
    std::string command = tool;
    for (const HostArgument& argument : arguments) {
#ifdef _WIN32
        if (!UnderWine()) { // cmd's quoting
            command += " \"" + (argument.IsFile ? Utf8(argument.File) : argument.Text) + "\"";
            continue;
        }
        const std::string text = argument.IsFile ? UnixPath(argument.File) : argument.Text;
#else
        const std::string text = argument.IsFile ? Utf8(argument.File) : argument.Text;
#endif
        command += " " + ShellQuoted(text);
    }
#ifdef _WIN32
    if (UnderWine()) {
        return OutputThroughHost(command);
    }
#endif
    return OutputOf(command);
}

void MakeLink(const fs::path& target, const fs::path& link) {
    if (UnderWine()) {
        HostToolOutput("ln", {"-s", target, link});
        EXPECT_TRUE(fs::exists(fs::symlink_status(link))) << "no link " << Utf8(link);
    } else if (fs::is_directory(target)) {
        fs::create_directory_symlink(target, link);
    } else {
        fs::create_symlink(target, link);
    }
}

} // namespace vanto::test
