// The register the benchmarks read: customers with two vehicles each, laid out as the program writes it, in a
// temporary folder removed at the end.
#pragma once

#include "common/Paths.h"
#include "common/Sjis.h"
#include "register/Register.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

namespace vanto::bench {

struct BenchRegisterShape {
    int customers = 10'000;
    std::string recordIndex; // each vehicle's record index, UTF-8
    // The next inspection date of a customer's first (0) or second (1) vehicle, as typed.
    std::function<std::string(int customer, int vehicle)> nextCheck;
};

class BenchRegister {
public:
    explicit BenchRegister(const BenchRegisterShape& shape) {
        namespace fs = std::filesystem;
        std::random_device random;
        root_ = fs::temp_directory_path() / ("vanto-bench-" + std::to_string(random()));
        const fs::path customers = root_ / PathFromUtf8("お客様");
        fs::create_directories(customers);
        std::string list;
        for (int i = 0; i < shape.customers; ++i) {
            const std::string n = std::to_string(i);
            const std::string name = "顧客" + n + "様";
            list += EncodeSjisLossy(name) + "\r\n";
            const fs::path folder = customers / PathFromUtf8(name);
            fs::create_directory(folder);
            Write(folder / PathFromUtf8(name + ".DT"),
                  List("TEL", "03-" + n + "-5678") + List("HANDY", "090-" + n + "-0000") + List("POST_NO", "123-4567") +
                      List("ADD", "東京都品川区南品川" + n + "丁目") + List("CAR_NO", "品川500あ" + n));
            int k = 0;
            for (const char* series : {"品川500あ", "横浜300さ"}) {
                const std::string vehicle = series + n;
                const fs::path vehicleFolder = folder / PathFromUtf8(vehicle);
                fs::create_directory(vehicleFolder);
                Write(vehicleFolder / PathFromUtf8("ﾓﾆﾀ.DT"), shape.recordIndex);
                Write(vehicleFolder / PathFromUtf8(vehicle + ".DT"),
                      List("MAKER", "メーカー" + n) + List("TYPE_CAR", "セダン") + List("MODEL", "平成30年4月") +
                          List("ENGING_TYPE", "2ZR-FAE") + List("COMMENT", "定期点検のお客様です") +
                          Value("BODY_NUMBER", "ZRE212-" + n) + Value("TYPE", "DBA-ZRE212") + Value("MILEAGE", "45000") +
                          Value("NEXT_CHECK", shape.nextCheck(i, k++)));
            }
        }
        std::ofstream(root_ / "VISITOR_M.DT", std::ios::binary) << list;
    }
    ~BenchRegister() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    BenchRegister(const BenchRegister&) = delete;
    BenchRegister& operator=(const BenchRegister&) = delete;

    // The register's folder, with a trailing separator.
    std::string Dir() const { return WithTrailingSeparator(PathToUtf8(root_)); }
    Register Reg() const { return Register(Dir() + "お客様/", Dir() + "VISITOR_M.DT", Dir()); }

private:
    static void Write(const std::filesystem::path& path, const std::string& utf8) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string bytes = EncodeSjisLossy(utf8);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // A section with one list entry, as the register writes it.
    static std::string List(const std::string& section, const std::string& value) {
        return "[" + section + "]\r\nNUM=1\r\nDATA0=" + value + "\r\n";
    }
    // A section with a single value.
    static std::string Value(const std::string& section, const std::string& value) {
        return "[" + section + "]\r\nDATA0=" + value + "\r\n";
    }

    std::filesystem::path root_;
};

} // namespace vanto::bench
