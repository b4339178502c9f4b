#include "host/registry_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "host/registry_text.h"

namespace qv::host {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

// What identifies one version of the file: each write renames a new file into place.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeSeconds = 0;
    long mtimeNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& st) {
    return FileIdentity{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

FileIdentity IdentityOfPath(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? IdentityOf(st) : FileIdentity{};
}

RegistryWrite Classify(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? RegistryWrite::Denied : RegistryWrite::Failed;
}

// Creates the folder and its parents (0700, as the XDG folders are); 0 or the errno.
int MakeFolders(const std::string& dir) {
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string prefix = dir.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return errno;
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    if (stat(dir.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::shared_ptr<const RegistryKey> EmptyRegistry() {
    auto root = std::make_shared<RegistryKey>();
    root->name = std::string(kRegistryRootName);
    return root;
}

class RegistryFileStore final : public RegistryStore {
public:
    explicit RegistryFileStore(std::string path)
        : path_(std::move(path)), lockPath_(path_ + ".lock"), tree_(EmptyRegistry()) {
        const size_t slash = path_.rfind('/');
        dir_ = slash == std::string::npos ? "." : slash == 0 ? "/" : path_.substr(0, slash);
    }

    std::shared_ptr<const RegistryKey> Read() override {
        std::lock_guard guard(mutex_);
        Refresh(false);
        return tree_;
    }

    RegistryWrite Update(const std::function<bool(RegistryKey&)>& edit) override {
        std::lock_guard guard(mutex_);
        if (const int error = MakeFolders(dir_); error != 0) return Classify(error);
        Fd lock(open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (!lock.ok()) return Classify(errno);
        while (flock(lock.get(), LOCK_EX) != 0) {
            if (errno != EINTR) return RegistryWrite::Failed;
        }
        Refresh(true);
        RegistryKey edited = *tree_;
        if (!edit(edited)) return RegistryWrite::Unchanged;
        return Write(std::move(edited));
    }

private:
    // Re-reads the file when it is not the version last seen.
    void Refresh(bool locked) {
        const FileIdentity now = IdentityOfPath(path_);
        if (loaded_ && now == seen_) return;
        loaded_ = true;
        seen_ = now;
        tree_ = EmptyRegistry();
        if (!now.exists) return;
        Fd fd(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st {};
        if (!fd.ok() || fstat(fd.get(), &st) != 0) return;
        seen_ = IdentityOf(st);
        std::string text;
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return;
            if (n == 0) break;
            text.append(buffer, static_cast<size_t>(n));
        }
        if (std::optional<RegistryKey> parsed = ParseRegistryText(text)) {
            tree_ = std::make_shared<const RegistryKey>(std::move(*parsed));
            return;
        }
        if (MoveAside(seen_, locked)) seen_ = FileIdentity{};
    }

    // Keeps an unparsable file for a person to look at; true once the path no longer holds it.
    bool MoveAside(const FileIdentity& corrupt, bool locked) {
        std::optional<Fd> lock;
        if (!locked) {
            if (MakeFolders(dir_) != 0) return false;
            lock.emplace(open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
            if (!lock->ok() || flock(lock->get(), LOCK_EX) != 0) return false;
        }
        if (!(IdentityOfPath(path_) == corrupt)) return true;
        char stamp[32];
        const time_t now = time(nullptr);
        struct tm local {};
        localtime_r(&now, &local);
        strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
        const std::string base = path_ + ".corrupt-" + stamp;
        for (int n = 1; n < 1000; ++n) {
            const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
            if (renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
                std::fprintf(stderr, "The registry file %s could not be read; it was moved to %s.\n",
                             path_.c_str(), aside.c_str());
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    RegistryWrite Write(RegistryKey edited) {
        std::string temp = path_ + ".tmp-XXXXXX";
        Fd fd(mkostemp(temp.data(), O_CLOEXEC));
        if (!fd.ok()) return Classify(errno);
        struct stat st {};
        int error = 0;
        if (!WriteAll(fd.get(), FormatRegistryText(edited)) || fsync(fd.get()) != 0 ||
            fstat(fd.get(), &st) != 0 || rename(temp.c_str(), path_.c_str()) != 0) {
            error = errno;
        }
        if (error != 0) {
            unlink(temp.c_str());
            return Classify(error);
        }
        Fd dir(open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.ok()) fsync(dir.get());
        tree_ = std::make_shared<const RegistryKey>(std::move(edited));
        seen_ = IdentityOf(st);
        loaded_ = true;
        return RegistryWrite::Written;
    }

    std::mutex mutex_;
    const std::string path_;
    const std::string lockPath_;
    std::string dir_;
    bool loaded_ = false;
    FileIdentity seen_;
    std::shared_ptr<const RegistryKey> tree_;
};

std::unique_ptr<RegistryStore>& Installed() {
    static std::unique_ptr<RegistryStore> store = MakeRegistryFileStore(DefaultRegistryPath());
    return store;
}

} // namespace

std::string DefaultRegistryPath() {
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        config = std::string(home) + "/.config";
    } else if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
        config = std::string(user->pw_dir) + "/.config";
    } else {
        config = ".config";
    }
    return config + "/quorva-velocitor/registry";
}

std::unique_ptr<RegistryStore> MakeRegistryFileStore(std::string path) {
    return std::make_unique<RegistryFileStore>(std::move(path));
}

RegistryStore& GetRegistryStore() { return *Installed(); }

void SetRegistryStore(std::unique_ptr<RegistryStore> store) {
    Installed() = store ? std::move(store) : MakeRegistryFileStore(DefaultRegistryPath());
}

} // namespace qv::host
