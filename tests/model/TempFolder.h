#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the test ends.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace korvel::testing {

class TempFolder {
public:
    explicit TempFolder(std::string_view prefix = "korvel")
    {
        std::random_device rd;
        for (;;) {
            path_ = std::filesystem::temp_directory_path() /
                    (std::string(prefix) + "-" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(path_))
                break;
        }
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes a file below the folder (creating its parent folders) with exactly these bytes.
    std::filesystem::path write(const std::filesystem::path& relative, std::string_view bytes) const
    {
        std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    std::string read(const std::filesystem::path& relative) const
    {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

} // namespace korvel::testing
