// A library loaded at run time by name (dlopen / LoadLibrary).
#pragma once

#include <filesystem>
#include <string>

namespace vanto {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library; false (and Loaded() false) when it cannot be loaded.
    bool Load(const std::filesystem::path& path);
    void Unload();
    bool Loaded() const { return handle_ != nullptr; }

    // Address of an exported symbol, or null.
    void* Symbol(const char* name) const;

    template <typename Fn> Fn Function(const char* name) const { return reinterpret_cast<Fn>(Symbol(name)); }

    // The loader's message for the last failure (empty when none).
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace vanto
