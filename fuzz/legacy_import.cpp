// The legacy database conversion on any file: it never writes outside the program's folder, whatever names the
// file holds ("..", separators, absolute paths).
#include "FuzzCheck.h"
#include "app/LegacyImport.h"
#include "common/Paths.h"

#include <filesystem>
#include <fstream>
#include <string>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const fs::path sandbox = fs::temp_directory_path() / ("vanto-fuzz-legacy-" + std::to_string(getpid()));
    const fs::path exe = sandbox / "a" / "b" / "exe";
    std::error_code ec;
    fs::remove_all(sandbox, ec);
    fs::create_directories(exe / "お客様");
    {
        std::ofstream(exe / "mon_gest.HR3OR", std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        std::ofstream(exe / "VISITOR_M.DT", std::ios::binary);
        std::ofstream(exe / "X1.MONDT", std::ios::binary) << "1,2,3\r\n";
    }
    vanto::WorkingPaths paths;
    paths.ExeDir = paths.OwnerDir = paths.UsersDir = vanto::PathToUtf8(exe) + "/";
    vanto::ComposePaths(paths, "vantodesk");
    vanto::LegacyImport(paths);

    // Everything that exists below the sandbox lies in the program's folder.
    for (auto it = fs::recursive_directory_iterator(sandbox, fs::directory_options::none, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(exe);
        const bool inside = !relative.empty() && *relative.begin() != "..";
        const bool above = it->path() == sandbox / "a" || it->path() == sandbox / "a" / "b" || it->path() == exe;
        FUZZ_CHECK(inside || above);
    }
    return 0;
}
