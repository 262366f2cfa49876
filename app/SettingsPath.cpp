#include "app/SettingsPath.h"

#include <cstdlib>

#include "app/FileAccess.h"

namespace korvane {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string DriveRoot(char drive) {
    std::string path(1, drive);
    path += ":\\";
    path += kSettingsFileName;
    return path;
}

// "server\share\rest" -> "\\server\share\Tabrivo.ini"; empty without a server and a share.
std::string ShareRoot(std::string_view afterSlashes) {
    const std::size_t serverEnd = afterSlashes.find('\\');
    if (serverEnd == 0 || serverEnd == std::string_view::npos)
        return {};
    const std::string_view afterServer = afterSlashes.substr(serverEnd + 1);
    const std::string_view share = afterServer.substr(0, afterServer.find('\\'));
    if (share.empty())
        return {};
    std::string path = "\\\\";
    path += afterSlashes.substr(0, serverEnd);
    path += '\\';
    path += share;
    path += '\\';
    path += kSettingsFileName;
    return path;
}

std::string PathFromFolder(std::string_view folder) {
    if (folder.starts_with("\\\\?\\") || folder.starts_with("\\\\.\\")) {
        const std::string_view rest = folder.substr(4);
        if (rest.starts_with("UNC\\"))
            return ShareRoot(rest.substr(4));
        if (rest.size() >= 2 && IsAsciiLetter(rest[0]) && rest[1] == ':')
            return DriveRoot(rest[0]);
        return {};
    }
    if (folder.starts_with("\\\\"))
        return ShareRoot(folder.substr(2));
    if (folder.empty() || !IsAsciiLetter(folder.front()))
        return {};
    return DriveRoot(folder.front());
}

#ifndef _WIN32
std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}
#endif

}  // namespace

std::string BuildSettingsPath(std::string_view programPath) {
    const std::size_t lastBackslash = programPath.rfind('\\');
    return PathFromFolder(lastBackslash == std::string_view::npos
                              ? programPath
                              : programPath.substr(0, lastBackslash));
}

std::string SettingsPathFromEnvironment(std::string_view korvaneSettings,
                                        std::string_view xdgConfigHome, std::string_view home) {
    if (!korvaneSettings.empty())
        return std::string(korvaneSettings);
    std::string folder;
    // Relative values are to be ignored: they would depend on the current folder.
    if (xdgConfigHome.starts_with('/')) {
        folder = xdgConfigHome;
    } else if (!home.empty()) {
        folder = home;
        if (!folder.ends_with('/'))
            folder += '/';
        folder += ".config";
    } else {
        return {};
    }
    if (!folder.ends_with('/'))
        folder += '/';
    folder += "korvane/";
    folder += kSettingsFileName;
    return folder;
}

std::string DefaultSettingsPath() {
#ifdef _WIN32
    return BuildSettingsPath(file_access::ProgramFilePath());
#else
    return SettingsPathFromEnvironment(Environment("KORVANE_SETTINGS"),
                                       Environment("XDG_CONFIG_HOME"), Environment("HOME"));
#endif
}

}  // namespace korvane
