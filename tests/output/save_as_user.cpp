// Saves a file as another user would, for the saving tests: run as root it first becomes the user
// named by the number given, so that the folder's and the file's permissions are those of a user
// and not those of root, who may write anywhere.
//   save_as_user UID FILE TEXT    prints "saved", or the reason the file was not written
// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/file_saving.h"

#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const auto user = uid_t(std::strtoul(argv[1], nullptr, 10));
    if (geteuid() == 0 && user != 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid_t(user)) != 0 || setuid(user) != 0) {
            std::perror("save_as_user: cannot become the user");
            return 2;
        }
    }
    const auto failure = tarnis::writeFileWhole(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]));
    std::puts(failure ? qPrintable(*failure) : "saved");
    return failure ? 1 : 0;
}
