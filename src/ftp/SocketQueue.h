// What the system still holds of the bytes written to a socket, and closing a socket's sending
// side while its descriptor stays open.
#pragma once

#include <QtGlobal>

#include <optional>

namespace dravenloom {

// Bytes written to the socket that the peer has not yet acknowledged: on a slow line this is the
// tail of a transfer, still on its way long after the program handed it over. Nothing where the
// system cannot say.
std::optional<qint64> UnsentBytes(qintptr descriptor);

// Ends the sending direction (the peer reads end of file) and keeps the descriptor, so that
// UnsentBytes can still follow what is on its way. False where that is not possible.
bool CloseSending(qintptr descriptor);

} // namespace dravenloom
