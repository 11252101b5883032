// The six calls of the tester's USB library, answered by the emulated tester.
//
// At every USBQK_Open the scenario is chosen and read: the file named by UUSBQK_EMULATOR_SCENARIO, else
// uusbqk-emulator.json in the library's own folder, else the built-in demo scenario.
#include "Device.h"
#include "Platform.h"
#include "Scenario.h"
#include "Tester.h"
#include "Transcript.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>

#pragma GCC visibility push(default)
#include "uusbqk.h"
#pragma GCC visibility pop

namespace emu {
extern const unsigned char kBuiltinScenario[];
extern const std::size_t kBuiltinScenarioSize;
} // namespace emu

namespace {

using emu::Device;

constexpr std::size_t kMaxDevices = 16;

struct Registry {
    std::mutex mutex;
    std::map<int32_t, std::shared_ptr<Device>> devices;
    int32_t next = 1;
    std::shared_ptr<emu::ReferenceStore> store = std::make_shared<emu::ReferenceStore>();

    // Unloading the library (or leaving the program) with a device still open ends its thread first.
    ~Registry() {
        for (auto& [handle, device] : devices) {
            device->Stop();
        }
    }
};

Registry& Devices() {
    static Registry registry;
    return registry;
}

std::shared_ptr<Device> Find(int32_t handle) {
    Registry& r = Devices();
    std::lock_guard lock(r.mutex);
    auto it = r.devices.find(handle);
    return it == r.devices.end() ? nullptr : it->second;
}

std::string Env(const char* name) {
    return emu::EnvironmentText(name);
}

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return text.str();
}

std::filesystem::path LibraryFolder() {
    return emu::ModuleFolder(reinterpret_cast<const void*>(&USBQK_Open));
}

struct Source {
    std::string name; // where the scenario came from, for messages and to notice a change
    std::string text;
};

std::optional<Source> ChooseScenario(const std::string& logPath) {
    if (std::string path = Env("UUSBQK_EMULATOR_SCENARIO"); !path.empty()) {
        auto text = ReadFile(emu::PathFromUtf8(path));
        if (!text) {
            emu::Diagnose(logPath, path + ": cannot read the scenario named by UUSBQK_EMULATOR_SCENARIO", true);
            return std::nullopt;
        }
        return Source{path, *text};
    }
    std::filesystem::path beside = LibraryFolder() / "uusbqk-emulator.json";
    std::error_code ec;
    if (!LibraryFolder().empty() && std::filesystem::is_regular_file(beside, ec)) {
        auto text = ReadFile(beside);
        if (!text) {
            emu::Diagnose(logPath, emu::PathToUtf8(beside) + ": cannot read the scenario", true);
            return std::nullopt;
        }
        return Source{emu::PathToUtf8(beside), *text};
    }
    return Source{"(built-in demo scenario)",
                  std::string(reinterpret_cast<const char*>(emu::kBuiltinScenario), emu::kBuiltinScenarioSize)};
}

int32_t Open() {
    emu::DeviceSettings settings{Env("UUSBQK_EMULATOR_TRANSCRIPT"), Env("UUSBQK_EMULATOR_LOG")};
    auto source = ChooseScenario(settings.logPath);
    if (!source) {
        return -1;
    }
    std::string error;
    auto scenario = emu::ParseScenario(source->text, error);
    if (!scenario) {
        emu::Diagnose(settings.logPath, source->name + ": " + error, true);
        return -1;
    }
    if (!scenario->attached) {
        return -1;
    }
    Registry& r = Devices();
    std::lock_guard lock(r.mutex);
    if (r.devices.size() >= kMaxDevices) {
        emu::Diagnose(settings.logPath, "too many devices open at once");
        return -1;
    }
    // The reference sets keep the program's changes unless the scenario (file or content) changed.
    r.store->Adopt(source->name + "\n" + source->text, *scenario);
    auto device = std::make_shared<Device>(std::make_shared<const emu::Scenario>(std::move(*scenario)), r.store,
                                           std::move(settings));
    if (!device->Start()) {
        return -1;
    }
    int32_t handle = r.next;
    while (r.devices.count(handle)) {
        handle = handle >= 0x7FFFFFFE ? 1 : handle + 1;
    }
    r.next = handle >= 0x7FFFFFFE ? 1 : handle + 1;
    r.devices[handle] = std::move(device);
    return handle;
}

} // namespace

extern "C" {

int32_t USBQK_CALL USBQK_Open(void) {
    try {
        return Open();
    } catch (...) {
        return -1;
    }
}

int32_t USBQK_CALL USBQK_Close(int32_t device) {
    try {
        std::shared_ptr<Device> d;
        {
            Registry& r = Devices();
            std::lock_guard lock(r.mutex);
            auto it = r.devices.find(device);
            if (it == r.devices.end()) {
                return 0;
            }
            d = std::move(it->second);
            r.devices.erase(it);
        }
        d->Stop();
        return 1;
    } catch (...) {
        return 0;
    }
}

int32_t USBQK_CALL USBQK_OpenPipe(int32_t device, uint8_t interfaceNo, int32_t direction) {
    try {
        auto d = Find(device);
        return d ? d->OpenPipe(interfaceNo, direction) : -1;
    } catch (...) {
        return -1;
    }
}

int32_t USBQK_CALL USBQK_ResetDevice(int32_t device) {
    try {
        auto d = Find(device);
        return d && d->Reset() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int32_t USBQK_CALL USBQK_Check(int32_t device) {
    try {
        auto d = Find(device);
        return !d || d->Gone() ? 1 : 0;
    } catch (...) {
        return 1;
    }
}

int32_t USBQK_CALL USBQK_VendorRequest(int32_t device, int32_t direction, int32_t reserved0, int32_t reserved1,
                                       int32_t request, int32_t value, int32_t length, uint8_t* buffer) {
    try {
        auto d = Find(device);
        return d && d->VendorRequest(direction, reserved0, reserved1, request, value, length, buffer) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
