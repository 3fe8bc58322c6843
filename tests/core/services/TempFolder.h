#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace korvex::test {

// A fresh folder below the system's temp folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() : TempFolder(std::filesystem::temp_directory_path().string()) {}
    explicit TempFolder(const std::string& base)
    {
        std::string pattern = (std::filesystem::path(base) / "korvex-svc-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Below tmpfs where there is one: for tests that sync many writes.
    static TempFolder Fast()
    {
        return std::filesystem::is_directory("/dev/shm") ? TempFolder("/dev/shm") : TempFolder();
    }

private:
    std::string path_;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace korvex::test
