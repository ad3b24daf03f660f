// A file system that never answers: what a share whose server has gone looks like to the
// programs on the client. It mounts one FUSE connection on each directory it is given, completes
// the kernel's handshake, then reads every request and answers none, so every caller stays
// waiting inside the kernel for as long as this program lives. When it ends, the kernel aborts the
// connections and the waiting calls fail.
//
//   never_answering_fs TYPE DIR...   e.g. never_answering_fs fuse.sshfs /tmp/x/share
//
// Prints "ready" and a line feed on standard output once every directory is mounted. It mounts
// through the kernel's own interface (root only), so it must run in a private mount namespace:
// the mounts then die with it. Only Linux code here.
#include <fcntl.h>
#include <linux/fuse.h>
#include <poll.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The kernel refuses to hand a request to a smaller buffer.
constexpr std::size_t kRequestBufferSize = 1 << 20;

bool AnswerInit(int connection, const fuse_in_header& header, const fuse_init_in& init) {
    struct {
        fuse_out_header header;
        fuse_init_out init;
    } reply{};
    reply.header.len = sizeof reply;
    reply.header.unique = header.unique;
    reply.init.major = FUSE_KERNEL_VERSION;
    reply.init.minor = std::min<std::uint32_t>(init.minor, FUSE_KERNEL_MINOR_VERSION);
    reply.init.max_write = 1 << 16;
    reply.init.time_gran = 1;
    return ::write(connection, &reply, sizeof reply) == static_cast<ssize_t>(sizeof reply);
}

int Mount(const std::string& type, const std::string& directory) {
    const int connection = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (connection < 0) {
        std::perror("never_answering_fs: /dev/fuse");
        return -1;
    }
    const std::string options =
        "fd=" + std::to_string(connection) + ",rootmode=40000,user_id=0,group_id=0,allow_other";
    if (::mount("dead-server:/share", directory.c_str(), type.c_str(), MS_NOSUID | MS_NODEV,
                options.c_str()) != 0) {
        std::perror(("never_answering_fs: mount " + directory).c_str());
        ::close(connection);
        return -1;
    }
    return connection;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: never_answering_fs TYPE DIR...\n");
        return 2;
    }
    const std::string type = argv[1];
    std::vector<pollfd> connections;
    for (int i = 2; i < argc; ++i) {
        const int connection = Mount(type, argv[i]);
        if (connection < 0) {
            return 1;
        }
        connections.push_back(pollfd{connection, POLLIN, 0});
    }
    std::printf("ready\n");
    std::fflush(stdout);

    std::vector<char> buffer(kRequestBufferSize);
    for (;;) {
        if (::poll(connections.data(), connections.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return 1;
        }
        for (pollfd& entry : connections) {
            if ((entry.revents & POLLIN) == 0) {
                continue;
            }
            const ssize_t got = ::read(entry.fd, buffer.data(), buffer.size());
            if (got < static_cast<ssize_t>(sizeof(fuse_in_header))) {
                continue;  // interrupted, or a request the kernel withdrew
            }
            fuse_in_header header{};
            std::memcpy(&header, buffer.data(), sizeof header);
            if (header.opcode != FUSE_INIT) {
                continue;  // read, and never answered
            }
            fuse_init_in init{};
            std::memcpy(&init, buffer.data() + sizeof header,
                        std::min(sizeof init, static_cast<std::size_t>(got) - sizeof header));
            if (!AnswerInit(entry.fd, header, init)) {
                std::perror("never_answering_fs: answering the handshake");
                return 1;
            }
        }
    }
}
