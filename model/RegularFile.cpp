#include "model/RegularFile.h"

#include <system_error>

namespace korvel {

bool openRegularFile(const std::filesystem::path& path, std::ifstream& in, std::uintmax_t maxBytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes)
        return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

} // namespace korvel
