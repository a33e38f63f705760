// Real file-system conditions for the tests of the writers and readers:
// a user without privileges, and a full disk.
//
// The tests usually run as root, whom permissions do not bind; a check of
// "permission denied" then runs its body in a child process that has
// dropped to the unprivileged user nobody (65534), as `setpriv --reuid=65534
// --regid=65534 --clear-groups` would.  A full disk is a 64 KiB tmpfs
// mounted for the test when running as root, else the simulated full disk
// of the writer (SetWriteSpaceForTests).
#pragma once

#include "core/SystemHelpers.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <functional>
#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wyndlor::test {

constexpr uid_t kNobody = 65534;

// Runs `body` as an unprivileged user and returns its result (0-255).  As
// root: in a child process with user, group and supplementary groups
// dropped to nobody; otherwise in this process.  -1 when the child could
// not be run.
inline int AsUnprivilegedUser(const std::function<int()> &body) {
    if (::geteuid() != 0) return body();
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(254);
        ::_exit(body() & 0xFF);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// A temporary folder that an unprivileged user may enter and write.
inline void OpenToEveryone(const QTemporaryDir &dir) {
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

// A folder whose file system is full once Fill() ran.
class FullFileSystem {
public:
    FullFileSystem() {
        path_ = dir_.filePath(QStringLiteral("full"));
        QDir().mkpath(path_);
        mounted_ = ::geteuid() == 0 &&
                   ::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem() {
        SetWriteSpaceForTests(-1);
        if (mounted_) ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    QString Path() const { return path_; }
    QString FilePath(const QString &name) const { return path_ + QLatin1Char('/') + name; }
    bool Mounted() const { return mounted_; }

    // Takes every byte left: a filler file on the tmpfs, or the simulated
    // full disk.
    void Fill() {
        if (!mounted_) {
            SetWriteSpaceForTests(0);
            return;
        }
        QFile filler(FilePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        const QByteArray one(1, 'x');
        while (filler.write(one) > 0) {
        }
    }

    // The names in the folder other than the filler: what a failed write
    // may have left behind.
    QStringList Names() const {
        QStringList names = QDir(path_).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private:
    QTemporaryDir dir_;
    QString path_;
    bool mounted_ = false;
};

}  // namespace wyndlor::test
