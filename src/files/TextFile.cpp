#include "files/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/Error.h"

namespace condsim {

namespace {

// Closes its descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return descriptor_; }
    // Closes now and reports the close's own failure (a full disk may show only here).
    int close() {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result;
    }

  private:
    int descriptor_;
};

// The I/O error of a code, naming the file it concerns.
Error fileError(int code, const std::string& name) {
    return ioError(code).withDetail(fullFileName(name));
}

[[noreturn]] void throwIoErrorOfErrno(const std::string& name) {
    throw fileError(ioCodeOfErrno(errno), name);
}

void writeAll(int descriptor, const std::string& content, const std::string& name) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            throwIoErrorOfErrno(name);
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
}

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string name) : name_(std::move(name)) {}
    ~TemporaryFile() {
        if (!committed_) ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& name() const { return name_; }
    void commit() { committed_ = true; }

  private:
    std::string name_;
    bool committed_ = false;
};

}  // namespace

int ioCodeOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return io_code::FileNotFound;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return io_code::InvalidFileName;
        case EMFILE:
        case ENFILE:
            return io_code::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return io_code::AccessDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return io_code::DiskFull;
        default:
            return error;
    }
}

std::string fullFileName(const std::string& name) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(name, ignored);
    return full.empty() ? name : full.string();
}

std::string readTextFile(const std::string& name) {
    if (name.empty()) throw ioError(io_code::FileNotFound);
    // Without waiting: a pipe would block the open until another program writes to it,
    // and a device or a kernel file such as /proc/kmsg the reads until it has something.
    FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) throwIoErrorOfErrno(name);
    struct stat status {};
    if (::fstat(file.get(), &status) == 0 && S_ISDIR(status.st_mode)) {
        throw fileError(io_code::AccessDenied, name).withDetail("This is a folder, not a file");
    }
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) {
        throw Error("The file is a pipe or a socket: condsim reads files and devices only",
                    fullFileName(name));
    }
    std::string content;
    char buffer[65536];
    // One byte beyond the limit tells a file at the limit from one that goes on.
    while (content.size() <= maximumReadBytes) {
        const size_t wanted = std::min(sizeof buffer, maximumReadBytes + 1 - content.size());
        const ssize_t count = ::read(file.get(), buffer, wanted);
        if (count < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                throw Error("The file has nothing to read now: it waits for data to arrive",
                            fullFileName(name));
            }
            throwIoErrorOfErrno(name);
        }
        if (count == 0) break;
        content.append(buffer, static_cast<size_t>(count));
    }
    if (content.size() > maximumReadBytes) {
        throw Error("The file is larger than " + std::to_string(maximumReadBytes / mebibyte) +
                        " MiB, the most that condsim reads from a file",
                    fullFileName(name));
    }
    if (file.close() != 0) throwIoErrorOfErrno(name);
    return content;
}

void writeTextFile(const std::string& name, const std::string& content) {
    if (name.empty()) throw ioError(io_code::FileNotFound);
    FileDescriptor file(::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.get() < 0) throwIoErrorOfErrno(name);
    writeAll(file.get(), content, name);
    if (file.close() != 0) throwIoErrorOfErrno(name);
}

void writeTextFileAtomically(const std::string& name, const std::string& content) {
    if (name.empty()) throw ioError(io_code::FileNotFound);
    namespace fs = std::filesystem;
    // Follow a symbolic link to the file it names, so that the link itself stays.
    std::string target = name;
    char resolved[PATH_MAX];
    struct stat linkStatus {};
    if (::lstat(name.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode)) {
        if (::realpath(name.c_str(), resolved) != nullptr) {
            target = resolved;
        } else {
            // A dangling link: create the file it points to.
            std::error_code ignored;
            const fs::path pointed = fs::read_symlink(name, ignored);
            if (!pointed.empty()) {
                target = pointed.is_absolute() ? pointed.string()
                                               : (fs::path(name).parent_path() / pointed).string();
            }
        }
    }
    struct stat targetStatus {};
    const bool exists = ::stat(target.c_str(), &targetStatus) == 0;
    if (exists && S_ISDIR(targetStatus.st_mode)) throw fileError(io_code::AccessDenied, name);
    if (exists && !S_ISREG(targetStatus.st_mode)) {
        writeTextFile(target, content);  // a device or a FIFO cannot be renamed over
        return;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) throwIoErrorOfErrno(name);

    fs::path folder = fs::path(target).parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ".condsim-XXXXXX").string();
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) {
        // A folder that exists and still says "no such file" takes no new files (a kernel
        // folder such as /proc): the file cannot be written, it was not missing.
        const int failure = errno;
        struct stat folderStatus {};
        if (failure == ENOENT && ::stat(folder.c_str(), &folderStatus) == 0 &&
            S_ISDIR(folderStatus.st_mode)) {
            throw fileError(io_code::AccessDenied, name)
                .withDetail("No file can be written in the folder " + fullFileName(folder));
        }
        errno = failure;
        throwIoErrorOfErrno(name);
    }
    TemporaryFile temporary(pattern);
    FileDescriptor file(descriptor);
    const mode_t permissions =
        exists ? (targetStatus.st_mode & 07777) : static_cast<mode_t>(0666 & ~[] {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            return mask;
        }());
    if (::fchmod(file.get(), permissions) != 0) throwIoErrorOfErrno(name);
    writeAll(file.get(), content, name);
    if (::fsync(file.get()) != 0) throwIoErrorOfErrno(name);
    if (file.close() != 0) throwIoErrorOfErrno(name);
    if (::rename(temporary.name().c_str(), target.c_str()) != 0) throwIoErrorOfErrno(name);
    temporary.commit();
}

bool fileExists(const std::string& name) {
    struct stat status {};
    return !name.empty() && ::stat(name.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

}  // namespace condsim
