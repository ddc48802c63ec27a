// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output_file.h"

#include "cli/interruption.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnis::cli {

namespace {

namespace fs = std::filesystem;

std::string systemError(int error) { return std::strerror(error); }

std::optional<std::string> writeStandardOutput(const std::function<void(std::ostream&)>& write)
{
    write(std::cout);
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0)
        return "cannot write to standard output: " + systemError(errno);
    return std::nullopt;
}

// Devices and pipes are written in place; there is nothing to replace.
std::optional<std::string> writeInPlace(const std::string& fileName, const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        return "cannot write file " + fileName + ": " + systemError(errno);
    write(out);
    out.flush();
    if (!out)
        return "cannot write file " + fileName + ": " + systemError(errno);
    return std::nullopt;
}

// A temporary file beside the target, renamed over it once complete.
std::optional<std::string> replaceRegularFile(const std::string& fileName,
                                              const std::function<void(std::ostream&)>& write)
{
    // Through a link, replace the file it points to and keep the link.
    std::error_code resolved;
    fs::path target = fs::weakly_canonical(fs::path(fileName), resolved);
    if (resolved)
        target = fileName;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hiddenName = ".";
    hiddenName.append(target.filename().string()).append(".XXXXXX");
    std::string pattern = (folder / hiddenName).string();
    const int descriptor = makeRemovableTemporary(pattern);
    if (descriptor < 0)
        return "cannot write file " + fileName + ": " + systemError(errno);
    close(descriptor);
    const auto fail = [&](int error) {
        std::error_code ignored;
        fs::remove(pattern, ignored);
        forgetTemporary();
        return "cannot write file " + fileName + ": " + systemError(error);
    };
    {
        std::ofstream out(pattern, std::ios::binary | std::ios::trunc);
        write(out);
        out.flush();
        if (!out)
            return fail(errno ? errno : EIO);
    }
    std::error_code error;
    if (fs::exists(target, error)) {
        fs::permissions(pattern, fs::status(target).permissions(), error);
    } else {
        // mkstemp made it private; a new file gets the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fs::permissions(pattern, fs::perms(0666 & ~mask), error);
    }
    fs::rename(pattern, target, error);
    if (error)
        return fail(error.value());
    forgetTemporary();
    return std::nullopt;
}

} // namespace

std::optional<std::string> writeOutput(const std::string& fileName, const std::function<void(std::ostream&)>& write)
{
    if (fileName.empty())
        return writeStandardOutput(write);
    std::error_code error;
    const fs::file_status status = fs::status(fileName, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        if (fs::is_directory(status))
            return "cannot write file " + fileName + ": it is a folder";
        return writeInPlace(fileName, write);
    }
    return replaceRegularFile(fileName, write);
}

} // namespace tarnis::cli
