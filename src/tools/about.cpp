#include "tools/about.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "core/ui.h"

namespace kw {

namespace {

bool isExecutableFile(const std::string& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> findSysInfoViewer(std::string_view path)
{
    for (std::string_view viewer : kSysInfoViewer) {
        std::size_t begin = 0;
        while (begin <= path.size()) {
            std::size_t end = path.find(':', begin);
            if (end == std::string_view::npos)
                end = path.size();
            const std::string_view folder = path.substr(begin, end - begin);
            begin = end + 1;
            if (folder.empty() || folder.front() != '/')
                continue;
            std::string file(folder);
            if (file.back() != '/')
                file += '/';
            file += viewer;
            if (isExecutableFile(file))
                return file;
        }
    }
    return std::nullopt;
}

void StartSysInfo(Ui& ui, std::string_view path, const Starter& start)
{
    const auto viewer = findSysInfoViewer(path);
    if (!viewer || !start(*viewer))
        ui.message(kSysInfoFehlt);
}

}  // namespace kw
