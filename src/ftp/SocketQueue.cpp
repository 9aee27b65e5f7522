// The system's queue of a socket's unacknowledged bytes, and the half-close, for each system.
#include "ftp/SocketQueue.h"

#if defined(_WIN32)
#include <winsock2.h>
#else
#include <sys/ioctl.h>
#include <sys/socket.h>
#if defined(__linux__)
#include <linux/sockios.h>
#endif
#endif

namespace dravenloom {

std::optional<qint64> UnsentBytes(qintptr descriptor) {
    if (descriptor < 0)
        return std::nullopt;
#if defined(__linux__)
    int queued = 0;
    if (ioctl(static_cast<int>(descriptor), SIOCOUTQ, &queued) != 0)
        return std::nullopt;
    return queued;
#elif defined(__APPLE__)
    int queued = 0;
    socklen_t size = sizeof queued;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_NWRITE, &queued, &size) != 0)
        return std::nullopt;
    return queued;
#else
    // Windows tells no such number: the timeout then counts from the last bytes handed over.
    return std::nullopt;
#endif
}

bool CloseSending(qintptr descriptor) {
    if (descriptor < 0)
        return false;
#if defined(_WIN32)
    return shutdown(static_cast<SOCKET>(descriptor), SD_SEND) == 0;
#else
    return shutdown(static_cast<int>(descriptor), SHUT_WR) == 0;
#endif
}

} // namespace dravenloom
