// The floor of bench/run: a staged copy of every file of a folder made with
// exactly the system calls Velda's run makes per file and nothing else, so
// that Velda's own cost can be told from the file system's. Standing alone:
// no Qt, no Velda code.
//
//   velda_floor_copy SOURCE DESTINATION STAGING JOURNAL [GROUP [WAY]]
//
// Without GROUP each file is copied into STAGING and renamed into
// DESTINATION, as within one file system. With GROUP (another file system
// than STAGING's) each file is copied into a hidden part beside its
// destination, its part noted in JOURNAL first, and the destination's file
// system is flushed once every GROUP files and at the end. WAY tells the
// cost of that part from the rest: "part" (the default, as Velda does),
// "unnamed" (a file without a name in DESTINATION, given its name by one
// link: no part to note), or "direct" (made under its name, as cp does, and
// no journal). Prints "ms=<time of the copy> cpu_ms=<its processor time>"
// as velda_bench does.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool fail(const std::string& what)
{
    std::fprintf(stderr, "velda_floor_copy: %s: %s\n", what.c_str(), std::strerror(errno));
    return false;
}

bool writeAll(int fd, const std::string& text)
{
    return ::write(fd, text.data(), text.size()) == ssize_t(text.size());
}

bool copyData(int in, int out)
{
    bool sameFileSystem = true;
    for (;;) {
        const ssize_t copied = sameFileSystem ? ::copy_file_range(in, nullptr, out, nullptr, 4 << 20, 0)
                                              : ::sendfile(out, in, nullptr, 4 << 20);
        if (copied < 0 && sameFileSystem && errno == EXDEV) {
            sameFileSystem = false;
            continue;
        }
        if (copied <= 0)
            return copied == 0;
    }
}

enum class Way { Part, Unnamed, Direct };

bool copyOne(const std::string& from, const std::string& staged, const std::string& to, int journal, int item,
             bool beside, Way way)
{
    if (beside && way == Way::Part && !writeAll(journal, "part " + staged + "\n"))
        return fail(staged);
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (in < 0 || ::fstat(in, &info) != 0)
        return fail(from);
    const std::string folder = to.substr(0, to.rfind('/'));
    const int out = way == Way::Unnamed ? ::open(folder.c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0600)
        : ::open((way == Way::Direct ? to : staged).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0 || !copyData(in, out) || ::fchmod(out, info.st_mode & 07777) != 0)
        return fail(staged);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    struct stat made;
    if (::futimens(out, times) != 0 || ::fstat(out, &made) != 0)
        return fail(staged);
    const std::string unnamed = "/proc/self/fd/" + std::to_string(out);
    if (way == Way::Unnamed && ::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) != 0)
        return fail(to);
    if (::close(out) != 0 || ::close(in) != 0)
        return fail(staged);
    if (way == Way::Part && ::renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return fail(to);
    return way == Way::Direct
        || writeAll(journal, "placed " + std::to_string(item) + " copied unflushed " + std::to_string(made.st_ino)
                                 + " " + std::to_string(made.st_size) + "\n")
        || fail("journal");
}

bool flush(const std::string& folder, int journal)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0 && ::fdatasync(journal) == 0;
    if (fd >= 0)
        ::close(fd);
    return (flushed && writeAll(journal, "flushed\n")) || fail(folder);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string wayName = argc == 7 ? argv[6] : "part";
    const Way way = wayName == "unnamed" ? Way::Unnamed : wayName == "direct" ? Way::Direct : Way::Part;
    if (argc < 5 || argc > 7 || (way == Way::Part && wayName != "part")) {
        std::fprintf(stderr, "usage: velda_floor_copy SOURCE DESTINATION STAGING JOURNAL [GROUP [part|unnamed|direct]]\n");
        return 2;
    }
    const std::string source = argv[1], destination = argv[2], staging = argv[3];
    const long group = argc >= 6 ? std::atol(argv[5]) : 0;
    const auto start = std::chrono::steady_clock::now();

    std::vector<std::string> names;
    DIR* folder = ::opendir(source.c_str());
    if (!folder)
        return fail(source), 1;
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_type == DT_REG)
            names.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end());

    const int journal = ::open(argv[4], O_WRONLY | O_APPEND | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (journal < 0)
        return fail(argv[4]), 1;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const std::string staged = group > 0 ? destination + "/.velda-" + name + ".part" : staging + "/" + name;
        if (!copyOne(source + "/" + name, staged, destination + "/" + name, journal, int(i), group > 0, way))
            return 1;
        if (group > 0 && (i + 1) % size_t(group) == 0 && !flush(destination, journal))
            return 1;
    }
    if (group > 0 && !flush(destination, journal))
        return 1;
    ::close(journal);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long long cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
    std::printf("ms=%lld cpu_ms=%lld\n", static_cast<long long>(ms.count()), cpuMs);
    return 0;
}
