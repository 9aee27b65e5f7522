// Names of the FTP client's requests.
#include "publish/FtpClient.h"

namespace dravenloom {

const char* FtpRequestName(FtpRequest request) {
    switch (request) {
    case FtpRequest::Connect:
        return "Connect";
    case FtpRequest::Cwd:
        return "Cwd";
    case FtpRequest::TypeSet:
        return "TypeSet";
    case FtpRequest::Put:
        return "Put";
    case FtpRequest::Quit:
        return "Quit";
    case FtpRequest::Abort:
        return "Abort";
    }
    return "?";
}

} // namespace dravenloom
