// Who may talk over the cross-process message channel. Its sockets live in
// the abstract namespace, which has no file permissions: any local user can
// connect to a listener, and any local user can bind a name first. So each
// end asks the kernel who the other is (SO_PEERCRED) and keeps to its own
// user: the listener serves only peers running as its own user, and a sender
// talks only to a listener of its own user that is the process it meant to
// reach. Internal to platform/windows.
#pragma once

#include <sys/types.h>

namespace devwin {

// The credentials the kernel recorded for the other end of a connection
// (for a listener's peer, as it connected; for a sender's peer, as the
// listener called listen()).
struct PeerCredentials {
  pid_t pid = 0;
  uid_t uid = 0;
};

// False when the socket has no recorded peer.
bool ReadPeerCredentials(int fd, PeerCredentials* peer);

// The listener's rule: only its own user. The super-user is no exception:
// it has no need of this channel to reach a reader's windows.
bool MayServePeer(const PeerCredentials& peer, uid_t ownUser);

// The sender's rule: the listener must be the process `expectedPid`, running
// as the sender's own user; anything else holds the name by accident or on
// purpose, and gets no message.
bool IsExpectedListener(const PeerCredentials& listener, pid_t expectedPid, uid_t ownUser);

}  // namespace devwin
